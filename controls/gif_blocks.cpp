#include "controls/gif_blocks.h"

#include <cstring>

namespace {
constexpr size_t kScreenDescriptorEnd = 13;
constexpr size_t kGraphicControlLength = 8;
constexpr size_t kApplicationFixed = 14;
constexpr size_t kCommentFixed = 2;
constexpr size_t kPlainTextFixed = 15;
constexpr size_t kImageFixed = 11;
constexpr uint8_t kTrailer = 0x3B;

size_t ColourTableBytes(uint8_t flags) { return (flags & 0x80) ? 3u * (2u << (flags & 7)) : 0; }
}  // namespace

bool IsGifSignature(const uint8_t* data, size_t size) {
    return data && size >= 6 && std::memcmp(data, "GIF", 3) == 0 &&
           (std::memcmp(data + 3, "87a", 3) == 0 || std::memcmp(data + 3, "89a", 3) == 0);
}

GifBlockWalker::GifBlockWalker(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {
    if (!IsGifSignature(data_, size_) || size_ < kScreenDescriptorEnd) return;
    screenWidth_ = static_cast<int>(Word(6));
    screenHeight_ = static_cast<int>(Word(8));
    colourTableSize_ = ColourTableBytes(data_[10]);
    valid_ = HeaderLength() <= size_;
    Rewind();
}

void GifBlockWalker::Rewind() { offset_ = valid_ ? HeaderLength() : size_; }

GifBlockKind GifBlockWalker::KindAt(size_t offset) const {
    if (offset >= size_) return GifBlockKind::Unknown;
    switch (data_[offset]) {
        case 0x2C: return GifBlockKind::Image;
        case kTrailer: return GifBlockKind::Trailer;
        case 0x21:
            if (offset + 1 >= size_) return GifBlockKind::Unknown;
            switch (data_[offset + 1]) {
                case 0xFF: return GifBlockKind::Application;
                case 0xFE: return GifBlockKind::Comment;
                case 0xF9: return GifBlockKind::GraphicControl;
                case 0x01: return GifBlockKind::PlainText;
                default: return GifBlockKind::Unknown;
            }
        default: return GifBlockKind::Unknown;
    }
}

size_t GifBlockWalker::ChainLength(size_t offset) const {
    size_t length = 0;
    while (offset < size_) {
        const size_t step = static_cast<size_t>(data_[offset]) + 1;
        length += step;
        offset += step;
        if (step == 1) return offset <= size_ ? length : 0;
    }
    return 0;
}

size_t GifBlockWalker::BlockLength(size_t offset) const {
    size_t fixed = 0;
    switch (KindAt(offset)) {
        case GifBlockKind::Application: fixed = kApplicationFixed; break;
        case GifBlockKind::Comment: fixed = kCommentFixed; break;
        case GifBlockKind::PlainText: fixed = kPlainTextFixed; break;
        case GifBlockKind::GraphicControl: fixed = kGraphicControlLength; break;
        case GifBlockKind::Trailer: fixed = 1; break;
        case GifBlockKind::Image:
            if (offset + 9 >= size_) return 0;
            fixed = kImageFixed + ColourTableBytes(data_[offset + 9]);
            break;
        case GifBlockKind::Unknown: return 0;
    }
    if (fixed > size_ - offset) return 0;
    const GifBlockKind kind = KindAt(offset);
    if (kind == GifBlockKind::GraphicControl || kind == GifBlockKind::Trailer) return fixed;
    const size_t chain = ChainLength(offset + fixed);
    return chain ? fixed + chain : 0;
}

bool GifBlockWalker::SkipBlock() {
    const size_t length = BlockLength(offset_);
    if (length == 0) return false;
    offset_ += length;
    return true;
}

bool GifBlockWalker::NextGraphicBlock(GifGraphicBlock& block) {
    const size_t start = offset_;
    size_t control = size_;
    for (;;) {
        const GifBlockKind kind = KindAt(offset_);
        const size_t at = offset_;
        if (kind == GifBlockKind::Trailer || kind == GifBlockKind::Unknown || !SkipBlock()) {
            offset_ = start;
            return false;
        }
        if (kind == GifBlockKind::GraphicControl) control = at;
        if (kind != GifBlockKind::Image && kind != GifBlockKind::PlainText) continue;

        block = GifGraphicBlock{};
        block.begin = control < size_ ? control : at;
        block.end = offset_;
        block.isImage = kind == GifBlockKind::Image;
        if (control < size_) {
            block.delay = static_cast<int>(Word(control + 4));
            block.disposal = (data_[control + 3] >> 2) & 7;
        }
        if (block.isImage) {
            block.left = static_cast<int>(Word(at + 1));
            block.top = static_cast<int>(Word(at + 3));
            block.width = static_cast<int>(Word(at + 5));
            block.height = static_cast<int>(Word(at + 7));
        }
        return true;
    }
}

size_t GifBlockWalker::CountGraphicBlocks() {
    size_t count = 0;
    GifGraphicBlock block;
    while (NextGraphicBlock(block)) ++count;
    return count;
}

size_t GifBlockWalker::StandaloneSize(const GifGraphicBlock& block) const {
    return HeaderLength() + (block.end - block.begin) + 1;
}

void GifBlockWalker::WriteStandalone(const GifGraphicBlock& block, uint8_t* out) const {
    std::memcpy(out, data_, HeaderLength());
    std::memcpy(out + HeaderLength(), data_ + block.begin, block.end - block.begin);
    out[HeaderLength() + (block.end - block.begin)] = kTrailer;
}

unsigned GifFrameWait(int delay) { return delay >= 5 ? static_cast<unsigned>(delay) * 10 : 100; }
