#include "registry/reg_file_reader.h"

#include <array>
#include <cstdint>
#include <vector>

#include "registry/utf16_text.h"

namespace {
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;

struct ParseError {
    std::string text;
};

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

std::u16string TextOf(std::string_view bytes, AnsiDecoder decodeAnsi, bool& unicode) {
    unicode = bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xFE;
    if (!unicode) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        return decodeAnsi ? decodeAnsi(bytes) : DecodeUtf8(bytes);
    }
    if (bytes.size() % 2 != 0) throw ParseError{"the UTF-16 text has an odd number of bytes"};
    std::u16string text;
    text.reserve(bytes.size() / 2 - 1);
    for (size_t i = 2; i < bytes.size(); i += 2) {
        text.push_back(
            static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8)));
    }
    return text;
}

// Lines end with CR LF, LF or CR, as the registry editor accepts them.
std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

class Parser {
public:
    Parser(std::vector<std::u16string_view> lines, AnsiDecoder decodeAnsi)
        : lines_(std::move(lines)), decodeAnsi_(decodeAnsi) {}

    // With skipped, a line that does not read is left out and listed there, and so are the values
    // of a key whose line was left out; without, it ends the parse.
    RegFileDocument Run(bool unicodeFile, std::vector<RegFileSkippedLine>* skipped) {
        ReadHeader(unicodeFile);
        RegFileDocument document;
        while (NextLine()) {
            const size_t first = index_;
            try {
                ReadStatement(document);
            } catch (const ParseError& error) {
                if (!skipped) throw;
                skipped->push_back({first, Shortened(lines_[first - 1]), error.text});
                // The lines it went on to are read again on their own: one may be the next key.
                index_ = first;
            }
        }
        return document;
    }

    size_t LineNumber() const { return index_; }

private:
    void ReadStatement(RegFileDocument& document) {
        SkipBlanks();
        if (AtEnd() || Peek() == u';') return;
        if (Peek() == u'[') {
            keyRead_ = false;
            document.keys.push_back(KeyLine());
            keyRead_ = true;
        } else if (Peek() == u'@' || Peek() == u'"') {
            if (!keyRead_) {
                throw ParseError{document.keys.empty() ? "a value comes before any key"
                                                       : "a value of a key whose line was left out"};
            }
            if (document.keys.back().remove) throw ParseError{"a value of a key that is to be deleted"};
            document.keys.back().values.push_back(ValueLine());
        } else {
            throw ParseError{"the line is neither a key, a value nor a comment"};
        }
    }

    static std::u16string Shortened(std::u16string_view line) {
        constexpr size_t kShownLength = 100;
        return line.size() <= kShownLength ? std::u16string(line)
                                           : std::u16string(line.substr(0, kShownLength)) + u"...";
    }

    void ReadHeader(bool unicodeFile) {
        if (!NextLine()) throw ParseError{"the file is empty"};
        std::u16string_view header = line_;
        while (!header.empty() && IsBlank(header.back())) header.remove_suffix(1);
        if (header == kRegFileHeader) ansiStrings_ = false;
        else if (header == kRegFileHeader4) ansiStrings_ = !unicodeFile;
        else throw ParseError{"the file does not start with a registry editor header"};
    }

    bool NextLine() {
        if (index_ >= lines_.size()) return false;
        line_ = lines_[index_++];
        position_ = 0;
        return true;
    }
    bool AtEnd() const { return position_ >= line_.size(); }
    char16_t Peek() const { return line_[position_]; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek())) ++position_;
    }
    void ExpectLineEnd() {
        SkipBlanks();
        if (!AtEnd()) throw ParseError{"unexpected text after the value"};
    }
    bool Consume(std::u16string_view word) {
        if (line_.size() - position_ < word.size() || !EqualsIgnoringCase(line_.substr(position_, word.size()), word)) {
            return false;
        }
        position_ += word.size();
        return true;
    }

    RegFileKey KeyLine() {
        const size_t close = line_.rfind(u']');
        if (close == std::u16string_view::npos || close <= position_) throw ParseError{"the key line has no ']'"};
        for (size_t i = close + 1; i < line_.size(); ++i) {
            if (!IsBlank(line_[i])) throw ParseError{"text after the key line's ']'"};
        }
        RegFileKey key;
        std::u16string_view path = line_.substr(position_ + 1, close - position_ - 1);
        if (!path.empty() && path.front() == u'-') {
            key.remove = true;
            path.remove_prefix(1);
        }
        if (path.find(u'\0') != std::u16string_view::npos) throw ParseError{"a key name holds a zero character"};
        key.path = CanonicalKeyPath(path);
        return key;
    }

    static std::u16string CanonicalKeyPath(std::u16string_view path) {
        const size_t slash = path.find(u'\\');
        const std::u16string root = CanonicalRootName(path.substr(0, slash));
        if (root.empty()) throw ParseError{"the key path names no registry root"};
        if (slash == std::u16string_view::npos) return root;
        const std::u16string_view rest = path.substr(slash + 1);
        if (rest.empty() || rest.front() == u'\\' || rest.back() == u'\\' ||
            rest.find(u"\\\\") != std::u16string_view::npos) {
            throw ParseError{"the key path has an empty key name"};
        }
        return root + u"\\" + std::u16string(rest);
    }

    // A quoted text with the registry editor's escapes; the position ends after the closing quote.
    std::u16string QuotedText() {
        ++position_;
        std::u16string text;
        while (!AtEnd() && Peek() != u'"') {
            char16_t c = line_[position_++];
            if (c == u'\\') {
                if (AtEnd()) break;
                c = line_[position_++];
                if (c == u'n') c = u'\n';
                else if (c == u'r') c = u'\r';
            }
            text += c;
        }
        if (AtEnd()) throw ParseError{"a quoted text has no closing quote"};
        ++position_;
        return text;
    }

    RegFileValue ValueLine() {
        RegFileValue value;
        if (Peek() == u'@') ++position_;
        else value.name = QuotedText();
        // The registry takes value names up to their first zero.
        if (value.name.find(u'\0') != std::u16string::npos) throw ParseError{"a value name holds a zero character"};
        SkipBlanks();
        if (AtEnd() || Peek() != u'=') throw ParseError{"the value name is not followed by '='"};
        ++position_;
        SkipBlanks();
        if (!AtEnd() && Peek() == u'-') {
            ++position_;
            value.remove = true;
        } else if (!AtEnd() && Peek() == u'"') {
            value.type = kRegSz;
            value.data = StringData(QuotedText());
        } else if (Consume(u"dword:")) {
            value.type = kRegDword;
            const uint32_t number = HexNumber();
            for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<uint8_t>(number >> shift));
        } else if (Consume(u"hex")) {
            value.type = kRegBinary;
            if (Consume(u"(")) {
                value.type = HexNumber();
                if (!Consume(u")")) throw ParseError{"hex( without its ')'"};
            }
            if (!Consume(u":")) throw ParseError{"hex without its ':'"};
            value.data = HexBytes();
            if (ansiStrings_ && (value.type == kRegExpandSz || value.type == kRegMultiSz)) {
                value.data = WideBytes(value.data);
            }
            return value;
        } else {
            throw ParseError{"the value's data has no known form"};
        }
        ExpectLineEnd();
        return value;
    }

    static std::vector<uint8_t> StringData(const std::u16string& text, bool terminated = true) {
        std::vector<uint8_t> data;
        data.reserve(2 * text.size() + 2);
        for (char16_t c : text) {
            data.push_back(static_cast<uint8_t>(c & 0xFF));
            data.push_back(static_cast<uint8_t>(c >> 8));
        }
        if (terminated) data.insert(data.end(), {0, 0});
        return data;
    }

    // A REGEDIT4 file holds expandable and multi-strings as 8-bit text.
    std::vector<uint8_t> WideBytes(const std::vector<uint8_t>& ansi) const {
        const std::string_view bytes(reinterpret_cast<const char*>(ansi.data()), ansi.size());
        return StringData(decodeAnsi_ ? decodeAnsi_(bytes) : DecodeUtf8(bytes), false);
    }

    uint32_t HexNumber() {
        uint32_t number = 0;
        size_t digits = 0;
        while (!AtEnd() && HexDigit(Peek()) >= 0) {
            if (++digits > 8) throw ParseError{"a hex number of more than eight digits"};
            number = (number << 4) | static_cast<uint32_t>(HexDigit(line_[position_++]));
        }
        if (digits == 0) throw ParseError{"a hex number without digits"};
        return number;
    }

    // Comma-separated bytes; a backslash at the end of a line continues them on the next.
    std::vector<uint8_t> HexBytes() {
        std::vector<uint8_t> bytes;
        for (;;) {
            SkipBlanks();
            if (AtEnd()) return bytes;
            if (Peek() == u'\\') {
                ContinueOnNextLine();
                continue;
            }
            int high = HexDigit(Peek());
            if (high < 0) throw ParseError{"a hex byte is not hex"};
            ++position_;
            int byte = high;
            if (!AtEnd() && HexDigit(Peek()) >= 0) byte = (high << 4) | HexDigit(line_[position_++]);
            bytes.push_back(static_cast<uint8_t>(byte));
            SkipBlanks();
            if (AtEnd()) return bytes;
            if (Peek() == u',') ++position_;
            else if (Peek() != u'\\') throw ParseError{"hex bytes must be separated by commas"};
        }
    }

    void ContinueOnNextLine() {
        ++position_;
        ExpectLineEnd();
        if (!NextLine()) throw ParseError{"the file ends inside continued hex data"};
    }

    std::vector<std::u16string_view> lines_;
    AnsiDecoder decodeAnsi_;
    bool ansiStrings_ = false;
    bool keyRead_ = false;  // the last key line was read, so values belong to it
    size_t index_ = 0;
    std::u16string_view line_;
    size_t position_ = 0;
};

struct RootName {
    const char16_t* full;
    const char16_t* shortName;
};
constexpr std::array<RootName, 5> kRoots{{
    {u"HKEY_LOCAL_MACHINE", u"HKLM"},
    {u"HKEY_CURRENT_USER", u"HKCU"},
    {u"HKEY_CLASSES_ROOT", u"HKCR"},
    {u"HKEY_USERS", u"HKU"},
    {u"HKEY_CURRENT_CONFIG", u"HKCC"},
}};
}  // namespace

std::u16string CanonicalRootName(std::u16string_view name) {
    for (const RootName& root : kRoots) {
        if (EqualsIgnoringCase(name, root.full) || EqualsIgnoringCase(name, root.shortName)) return root.full;
    }
    return {};
}

namespace {
RegFileParse Parse(std::string_view bytes, AnsiDecoder decodeAnsi, bool skipLines) {
    size_t line = 0;
    try {
        bool unicode = false;
        const std::u16string text = TextOf(bytes, decodeAnsi, unicode);
        Parser parser(SplitLines(text), decodeAnsi);
        try {
            RegFileParse parsed;
            parsed.document = parser.Run(unicode, skipLines ? &parsed.skipped : nullptr);
            return parsed;
        } catch (const ParseError&) {
            line = parser.LineNumber();
            throw;
        }
    } catch (const ParseError& error) {
        return {std::nullopt, error.text, line, {}};
    }
}
}  // namespace

RegFileParse ParseRegFile(std::string_view bytes, AnsiDecoder decodeAnsi) { return Parse(bytes, decodeAnsi, false); }

RegFileParse ParseRegFileSkippingLines(std::string_view bytes, AnsiDecoder decodeAnsi) {
    return Parse(bytes, decodeAnsi, true);
}
