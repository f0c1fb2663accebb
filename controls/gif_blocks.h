#pragma once
// Walks the blocks of a GIF file in memory and cuts each graphic block (an optional graphic
// control extension and the image it applies to) out as the bytes of a standalone GIF, for a
// picture loader that only shows the first image of a file. Every read is checked against the
// data size: a truncated or inconsistent file ends the walk, it is never read past its end.
//     GifBlockWalker walker(bytes, size);
//     GifGraphicBlock block;
//     while (walker.NextGraphicBlock(block)) { std::vector<uint8_t> gif(walker.StandaloneSize(block));
//                                              walker.WriteStandalone(block, gif.data()); ... }
#include <cstddef>
#include <cstdint>

enum class GifBlockKind { Application, Comment, GraphicControl, PlainText, Image, Trailer, Unknown };

struct GifGraphicBlock {
    size_t begin = 0;      // the graphic control extension, or the image when there is none
    size_t end = 0;        // just past the image data
    bool isImage = false;  // false: the block ends in a plain-text extension
    int delay = -1;        // hundredths of a second; -1 without a graphic control extension
    int disposal = 0;
    int left = 0, top = 0, width = 0, height = 0;
};

// "GIF87a" or "GIF89a".
bool IsGifSignature(const uint8_t* data, size_t size);

class GifBlockWalker {
public:
    GifBlockWalker(const uint8_t* data, size_t size);

    // The signature, the logical screen descriptor and the global colour table are all there.
    bool IsGif() const { return valid_; }
    int ScreenWidth() const { return screenWidth_; }
    int ScreenHeight() const { return screenHeight_; }
    size_t ColourTableSize() const { return colourTableSize_; }
    size_t Offset() const { return offset_; }

    // Back to the first block after the global colour table.
    void Rewind();
    GifBlockKind KindAt(size_t offset) const;
    // The length of the block at the offset; 0 when it is unknown or would end past the data.
    size_t BlockLength(size_t offset) const;
    // Moves past the current block; the offset stays when that fails.
    bool SkipBlock();
    // Finds and moves past the next graphic block; false at the trailer, an unknown block or a
    // block that does not fit (the offset then stays where it was).
    bool NextGraphicBlock(GifGraphicBlock& block);
    size_t CountGraphicBlocks();

    // Header, logical screen descriptor, global colour table, the block's bytes and a trailer.
    size_t StandaloneSize(const GifGraphicBlock& block) const;
    void WriteStandalone(const GifGraphicBlock& block, uint8_t* out) const;

private:
    size_t ChainLength(size_t offset) const;  // 0 when the sub-blocks run past the data
    unsigned Word(size_t offset) const { return data_[offset] | (data_[offset + 1] << 8); }
    size_t HeaderLength() const { return 13 + colourTableSize_; }

    const uint8_t* data_;
    size_t size_;
    bool valid_ = false;
    int screenWidth_ = 0, screenHeight_ = 0;
    size_t colourTableSize_ = 0;
    size_t offset_ = 0;
};

// Milliseconds a frame stays: delay × 10 from 5 hundredths on, 100 for shorter delays. A frame
// without a graphic control extension (delay -1) gets the same 100 ms instead of waiting, as
// an unsigned reading of -1 would, for about 49 days.
unsigned GifFrameWait(int delay);
