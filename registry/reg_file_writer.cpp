#include "registry/reg_file_writer.h"

#include <cstdio>

#include "registry/utf16_text.h"

bool RegFileDocument::AsksToDelete() const {
    for (const RegFileKey& key : keys) {
        if (key.remove) return true;
        for (const RegFileValue& value : key.values) {
            if (value.remove) return true;
        }
    }
    return false;
}

namespace {
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
// The registry editor breaks hex data before a line grows past this many characters.
constexpr size_t kHexLineLimit = 77;

char16_t UnitAt(const std::vector<uint8_t>& data, size_t index) {
    return static_cast<char16_t>(data[2 * index] | (data[2 * index + 1] << 8));
}

bool HasLineBreak(std::u16string_view text) {
    return text.find(u'\r') != std::u16string_view::npos || text.find(u'\n') != std::u16string_view::npos;
}

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

// Backslashes and quotes escaped; line breaks in names as the registry editor escapes them.
std::u16string Quoted(std::u16string_view text) {
    std::u16string out = u"\"";
    for (char16_t c : text) {
        if (c == u'\\' || c == u'"') out += u'\\';
        if (c == u'\r') out += u"\\r";
        else if (c == u'\n') out += u"\\n";
        else out += c;
    }
    return out + u"\"";
}

std::u16string HexData(uint32_t type, const std::vector<uint8_t>& data, size_t lineLength) {
    char prefix[24];
    if (type == kRegBinary) std::snprintf(prefix, sizeof(prefix), "hex:");
    else std::snprintf(prefix, sizeof(prefix), "hex(%x):", static_cast<unsigned>(type));
    std::u16string out = Ascii(prefix);
    lineLength += out.size();
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    out.reserve(out.size() + 3 * data.size() + 6 * (data.size() / 24 + 1));
    for (size_t i = 0; i < data.size(); ++i) {
        out += kDigits[data[i] >> 4];
        out += kDigits[data[i] & 0x0F];
        if (i + 1 == data.size()) break;
        out += u',';
        lineLength += 3;
        if (lineLength >= kHexLineLimit) {
            out += u"\\\r\n  ";
            lineLength = 2;
        }
    }
    return out;
}

std::u16string ValueLine(const RegFileValue& value) {
    std::u16string line = value.name.empty() ? u"@=" : Quoted(value.name) + u"=";
    if (value.remove) return line + u"-";
    if (value.type == kRegSz && IsPlainStringData(value.data)) {
        std::u16string text;
        for (size_t i = 0; i + 1 < value.data.size() / 2; ++i) text += UnitAt(value.data, i);
        return line + Quoted(text);
    }
    if (value.type == kRegDword && value.data.size() == 4) {
        char number[16];
        const uint32_t dword =
            value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) | (static_cast<uint32_t>(value.data[3]) << 24);
        std::snprintf(number, sizeof(number), "dword:%08x", static_cast<unsigned>(dword));
        return line + Ascii(number);
    }
    return line + HexData(value.type, value.data, line.size());
}

std::string LittleEndianBytes(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + 2 * text.size());
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}
}  // namespace

bool IsPlainStringData(const std::vector<uint8_t>& data) {
    if (data.size() < 2 || data.size() % 2 != 0) return false;
    const size_t units = data.size() / 2;
    if (UnitAt(data, units - 1) != 0) return false;
    for (size_t i = 0; i + 1 < units; ++i) {
        const char16_t c = UnitAt(data, i);
        if (c == 0 || c == u'\r' || c == u'\n') return false;
    }
    return true;
}

RegFileWrite WriteRegFile(const RegFileDocument& document) {
    std::u16string text = std::u16string(kRegFileHeader) + u"\r\n\r\n";
    for (const RegFileKey& key : document.keys) {
        // The key line has no escapes: a line break would end it early.
        if (HasLineBreak(key.path)) {
            return {false, {}, "the key name " + EncodeUtf8(key.path) + " holds a line break"};
        }
        text += (key.remove ? u"[-" : u"[") + key.path + u"]\r\n";
        for (const RegFileValue& value : key.values) text += ValueLine(value) + u"\r\n";
        text += u"\r\n";
    }
    return {true, LittleEndianBytes(text), {}};
}
