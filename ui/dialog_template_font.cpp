#include "ui/dialog_template_font.h"

#include <cmath>
#include <optional>

namespace {
constexpr uint32_t kSetFont = 0x40;  // DS_SETFONT; DS_SHELLFONT includes it
constexpr size_t kHeaderSize = 26;   // up to and including cy

// Reads inside the template only.
class TemplateReader {
public:
    TemplateReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    std::optional<uint16_t> Word(size_t offset) const {
        if (offset + 2 > size_) return std::nullopt;
        return static_cast<uint16_t>(data_[offset] | (data_[offset + 1] << 8));
    }
    std::optional<uint32_t> Dword(size_t offset) const {
        const auto low = Word(offset), high = Word(offset + 2);
        if (!low || !high) return std::nullopt;
        return *low | (static_cast<uint32_t>(*high) << 16);
    }
    // Past a zero-terminated UTF-16 string.
    std::optional<size_t> SkipString(size_t offset) const {
        while (true) {
            const auto unit = Word(offset);
            if (!unit) return std::nullopt;
            offset += 2;
            if (*unit == 0) return offset;
        }
    }
    // Past a resource name or ordinal: 0 (none), 0xFFFF and an ordinal, or a string.
    std::optional<size_t> SkipNameOrOrdinal(size_t offset) const {
        const auto first = Word(offset);
        if (!first) return std::nullopt;
        if (*first == 0) return offset + 2;
        if (*first == 0xFFFF) return Word(offset + 2) ? std::optional<size_t>(offset + 4) : std::nullopt;
        return SkipString(offset);
    }

private:
    const uint8_t* data_;
    size_t size_;
};

struct FontLayout {
    size_t pointSizeOffset;  // the font block starts here
    size_t typefaceOffset;
    size_t itemsOffset;  // first item, DWORD-aligned
};

std::optional<FontLayout> LocateFont(const uint8_t* data, size_t size) {
    if (data == nullptr) return std::nullopt;
    const TemplateReader reader(data, size);
    const auto version = reader.Word(0), signature = reader.Word(2);
    const auto style = reader.Dword(12);
    if (!version || !signature || !style || *version != 1 || *signature != 0xFFFF) return std::nullopt;
    if ((*style & kSetFont) == 0 || size < kHeaderSize) return std::nullopt;
    auto offset = reader.SkipNameOrOrdinal(kHeaderSize);
    if (offset) offset = reader.SkipNameOrOrdinal(*offset);
    if (offset) offset = reader.SkipString(*offset);
    if (!offset) return std::nullopt;
    FontLayout layout{};
    layout.pointSizeOffset = *offset;
    layout.typefaceOffset = *offset + 6;  // point size, weight, italic, character set
    const auto typefaceEnd = reader.SkipString(layout.typefaceOffset);
    if (!typefaceEnd) return std::nullopt;
    layout.itemsOffset = (*typefaceEnd + 3) & ~static_cast<size_t>(3);
    if (layout.itemsOffset > size) layout.itemsOffset = size;  // a template without items
    return layout;
}

void AppendWord(std::vector<uint8_t>& bytes, uint16_t word) {
    bytes.push_back(static_cast<uint8_t>(word & 0xFF));
    bytes.push_back(static_cast<uint8_t>(word >> 8));
}
}  // namespace

int DialogPointSize(int pixelsPerInch) {
    if (pixelsPerInch <= 0) return 8;
    return static_cast<int>(std::lround(792.0 / pixelsPerInch));
}

std::vector<uint8_t> WithDialogFont(const uint8_t* data, size_t size, const std::u16string& typeface,
                                    uint16_t pointSize) {
    const auto layout = LocateFont(data, size);
    if (!layout) return {};
    std::vector<uint8_t> bytes(data, data + layout->pointSizeOffset);
    AppendWord(bytes, pointSize);
    bytes.insert(bytes.end(), data + layout->pointSizeOffset + 2, data + layout->typefaceOffset);
    for (char16_t unit : typeface) AppendWord(bytes, static_cast<uint16_t>(unit));
    AppendWord(bytes, 0);
    while (bytes.size() % 4 != 0) bytes.push_back(0);
    bytes.insert(bytes.end(), data + layout->itemsOffset, data + size);
    return bytes;
}

DialogTemplateFont ReadDialogFont(const uint8_t* data, size_t size) {
    DialogTemplateFont font;
    const auto layout = LocateFont(data, size);
    if (!layout) return font;
    const TemplateReader reader(data, size);
    font.pointSize = reader.Word(layout->pointSizeOffset).value_or(0);
    for (size_t offset = layout->typefaceOffset;; offset += 2) {
        const auto unit = reader.Word(offset);
        if (!unit || *unit == 0) break;
        font.typeface.push_back(static_cast<char16_t>(*unit));
    }
    return font;
}
