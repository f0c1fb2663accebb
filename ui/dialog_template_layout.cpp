#include "ui/dialog_template_layout.h"

#include <cmath>
#include <optional>

namespace {
constexpr uint32_t kSetFont = 0x40;     // DS_SETFONT; DS_SHELLFONT includes it
constexpr size_t kHeaderSize = 26;      // up to and including cy
constexpr size_t kItemHeaderSize = 24;  // help id, styles, place, size and id

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

    size_t Size() const { return size_; }

private:
    const uint8_t* data_;
    size_t size_;
};

size_t Aligned(size_t offset) { return (offset + 3) & ~static_cast<size_t>(3); }

// Past the menu, class, title and font: where the first item starts.
std::optional<size_t> SkipDialogHeader(const TemplateReader& reader, uint32_t style) {
    auto offset = reader.SkipNameOrOrdinal(kHeaderSize);
    if (offset) offset = reader.SkipNameOrOrdinal(*offset);
    if (offset) offset = reader.SkipString(*offset);
    if (offset && (style & kSetFont) != 0) offset = reader.SkipString(*offset + 6);  // size, weight, italic, set
    if (!offset) return std::nullopt;
    return Aligned(*offset);
}

// One item and the offset past it; nothing when it is cut short.
std::optional<size_t> ReadItem(const TemplateReader& reader, size_t offset, TemplateItem& item) {
    const auto x = reader.Word(offset + 12), y = reader.Word(offset + 14);
    const auto cx = reader.Word(offset + 16), cy = reader.Word(offset + 18);
    const auto id = reader.Dword(offset + 20);
    if (!x || !y || !cx || !cy || !id) return std::nullopt;
    const int left = static_cast<int16_t>(*x), top = static_cast<int16_t>(*y);
    item.id = static_cast<int32_t>(*id);
    item.units = {left, top, left + static_cast<int16_t>(*cx), top + static_cast<int16_t>(*cy)};
    auto next = reader.SkipNameOrOrdinal(offset + kItemHeaderSize);  // class
    if (next) next = reader.SkipNameOrOrdinal(*next);                // title
    if (!next) return std::nullopt;
    const auto extra = reader.Word(*next);
    if (!extra || *next + 2 + *extra > reader.Size()) return std::nullopt;
    return Aligned(*next + 2 + *extra);
}

int Proportional(int units, int pixels, int dialogUnits) {
    return static_cast<int>(std::lround(static_cast<double>(units) * pixels / dialogUnits));
}
}  // namespace

DialogTemplateLayout ReadDialogLayout(const uint8_t* data, size_t size) {
    if (data == nullptr) return {};
    const TemplateReader reader(data, size);
    const auto version = reader.Word(0), signature = reader.Word(2);
    const auto style = reader.Dword(12);
    const auto count = reader.Word(16), cx = reader.Word(22), cy = reader.Word(24);
    if (!version || !signature || !style || !count || !cx || !cy) return {};
    if (*version != 1 || *signature != 0xFFFF || *cx == 0 || *cy == 0) return {};
    auto offset = SkipDialogHeader(reader, *style);
    DialogTemplateLayout layout;
    for (int index = 0; offset && index < *count; ++index) {
        TemplateItem item;
        offset = ReadItem(reader, *offset, item);
        if (offset) layout.items.push_back(item);
    }
    if (!offset) return {};
    layout.width = *cx;
    layout.height = *cy;
    return layout;
}

TemplateRect PlaceOnPicture(const TemplateRect& units, const DialogTemplateLayout& layout, int pictureWidth,
                            int pictureHeight) {
    if (layout.width <= 0 || layout.height <= 0) return {};
    return {Proportional(units.left, pictureWidth, layout.width), Proportional(units.top, pictureHeight, layout.height),
            Proportional(units.right, pictureWidth, layout.width),
            Proportional(units.bottom, pictureHeight, layout.height)};
}
