#include "controls/gif_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/controls/gif_builder.h"

namespace {
std::vector<uint8_t> ThreeFrames() {
    return GifBuilder(20, 10, {0xFF0000, 0x00FF00, 0x0000FF})
        .Looping()
        .Comment("made by the tests")
        .Control(10, 2)
        .Image(0, 0, 20, 10, 0)
        .Control(50, 3)
        .Comment("between")
        .Image(5, 2, 6, 4, 1)
        .Image(1, 1, 2, 2, 2)
        .Finish();
}

std::vector<GifGraphicBlock> Walk(const std::vector<uint8_t>& data) {
    GifBlockWalker walker(data.data(), data.size());
    std::vector<GifGraphicBlock> blocks;
    GifGraphicBlock block;
    while (walker.NextGraphicBlock(block)) blocks.push_back(block);
    return blocks;
}
}  // namespace

TEST(GifBlocks, RecognisesTheSignatureAndTheScreen) {
    const std::vector<uint8_t> gif = ThreeFrames();
    EXPECT_TRUE(IsGifSignature(gif.data(), gif.size()));
    const uint8_t old[] = {'G', 'I', 'F', '8', '7', 'a'};
    EXPECT_TRUE(IsGifSignature(old, sizeof(old)));
    const uint8_t other[] = {'G', 'I', 'F', '8', '8', 'a'};
    EXPECT_FALSE(IsGifSignature(other, sizeof(other)));
    EXPECT_FALSE(IsGifSignature(old, 5));
    GifBlockWalker walker(gif.data(), gif.size());
    ASSERT_TRUE(walker.IsGif());
    EXPECT_EQ(walker.ScreenWidth(), 20);
    EXPECT_EQ(walker.ScreenHeight(), 10);
    EXPECT_EQ(walker.ColourTableSize(), 12u);
    EXPECT_EQ(walker.Offset(), 25u);
}

TEST(GifBlocks, BlockLengthsFollowTheTable) {
    std::vector<uint8_t> data = GifBuilder(4, 4, {}).Finish();
    data.pop_back();
    const size_t start = data.size();
    // application: 14 fixed bytes, then sub-blocks of 3 and 0
    data.insert(data.end(), {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0});
    const size_t comment = data.size();
    data.insert(data.end(), {0x21, 0xFE, 2, 'h', 'i', 1, '!', 0});
    const size_t control = data.size();
    data.insert(data.end(), {0x21, 0xF9, 4, 0, 0, 0, 0, 0});
    const size_t plain = data.size();
    data.insert(data.end(), {0x21, 0x01, 12, 0, 0, 0, 0, 8, 0, 8, 0, 8, 8, 1, 0, 1, 'x', 0});
    const size_t image = data.size();
    // image with a local table of 3 * 2^(1+1) bytes
    data.insert(data.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x81});
    data.insert(data.end(), 12, 0);
    data.insert(data.end(), {2, 2, 0x44, 0x01, 0});
    const size_t trailer = data.size();
    data.push_back(0x3B);
    data.push_back(0x99);

    GifBlockWalker walker(data.data(), data.size());
    EXPECT_EQ(walker.BlockLength(start), 14u + 5u);
    EXPECT_EQ(walker.BlockLength(comment), 2u + 6u);
    EXPECT_EQ(walker.BlockLength(control), 8u);
    EXPECT_EQ(walker.BlockLength(plain), 15u + 3u);
    EXPECT_EQ(walker.BlockLength(image), 11u + 12u + 4u);
    EXPECT_EQ(walker.BlockLength(trailer), 1u);
    EXPECT_EQ(walker.BlockLength(trailer + 1), 0u) << "unknown block";
    EXPECT_EQ(walker.KindAt(plain), GifBlockKind::PlainText);
    EXPECT_EQ(walker.KindAt(image), GifBlockKind::Image);
}

TEST(GifBlocks, CutsEachGraphicBlockWithItsControlExtension) {
    const std::vector<uint8_t> gif = ThreeFrames();
    const std::vector<GifGraphicBlock> blocks = Walk(gif);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].delay, 10);
    EXPECT_EQ(blocks[0].disposal, 2);
    EXPECT_EQ(gif[blocks[0].begin + 1], 0xF9) << "the leading application and comment are left out";
    EXPECT_EQ(blocks[1].delay, 50);
    EXPECT_EQ(blocks[1].disposal, 3);
    EXPECT_EQ(blocks[1].left, 5);
    EXPECT_EQ(blocks[1].top, 2);
    EXPECT_EQ(blocks[1].width, 6);
    EXPECT_EQ(blocks[1].height, 4);
    EXPECT_EQ(gif[blocks[1].begin + 1], 0xF9);
    EXPECT_EQ(blocks[2].delay, -1) << "no graphic control extension";
    EXPECT_EQ(blocks[2].disposal, 0);
    EXPECT_EQ(gif[blocks[2].begin], 0x2C);
    EXPECT_EQ(blocks[2].end, gif.size() - 1);

    GifBlockWalker walker(gif.data(), gif.size());
    std::vector<uint8_t> standalone(walker.StandaloneSize(blocks[1]));
    walker.WriteStandalone(blocks[1], standalone.data());
    ASSERT_EQ(standalone.size(), 25 + (blocks[1].end - blocks[1].begin) + 1);
    EXPECT_TRUE(std::equal(gif.begin(), gif.begin() + 25, standalone.begin()));
    EXPECT_TRUE(std::equal(gif.begin() + static_cast<long>(blocks[1].begin),
                           gif.begin() + static_cast<long>(blocks[1].end), standalone.begin() + 25));
    EXPECT_EQ(standalone.back(), 0x3B);
    // The cut-out file is itself one graphic block.
    EXPECT_EQ(Walk(standalone).size(), 1u);
}

TEST(GifBlocks, PlainTextEndsAGraphicBlockToo) {
    const std::vector<uint8_t> gif =
        GifBuilder(8, 8, {}).Control(5, 0).PlainText("hello").Image(0, 0, 8, 8, 1).Finish();
    const std::vector<GifGraphicBlock> blocks = Walk(gif);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_FALSE(blocks[0].isImage);
    EXPECT_EQ(blocks[0].delay, 5);
    EXPECT_TRUE(blocks[1].isImage);
}

TEST(GifBlocks, DamagedFilesEndTheWalkInsideTheData) {
    const std::vector<uint8_t> gif = ThreeFrames();
    // Every truncation finds at most the complete blocks before the cut.
    for (size_t size = 0; size < gif.size(); ++size) {
        const std::vector<uint8_t> cut(gif.begin(), gif.begin() + static_cast<long>(size));
        for (const GifGraphicBlock& block : Walk(cut)) EXPECT_LE(block.end, size);
    }
    // A sub-block length that points past the end.
    std::vector<uint8_t> overlong = GifBuilder(4, 4, {}).Image(0, 0, 4, 4, 1).Bytes();
    overlong.push_back(0x3B);
    overlong[25 + 11] = 0xFF;
    EXPECT_TRUE(Walk(overlong).empty());
    // A chain without its terminating zero.
    std::vector<uint8_t> open = GifBuilder(4, 4, {}).Image(0, 0, 4, 4, 1).Bytes();
    open.pop_back();
    EXPECT_TRUE(Walk(open).empty());
    // An unknown block stops the walk after the good ones.
    std::vector<uint8_t> unknown = GifBuilder(4, 4, {}).Image(0, 0, 4, 4, 1).Bytes();
    unknown.insert(unknown.end(), {0x21, 0x55, 0});
    unknown.insert(unknown.end(), gif.begin() + 25, gif.end());
    EXPECT_EQ(Walk(unknown).size(), 1u);
    // Zero-length chains are valid and short.
    std::vector<uint8_t> empty = GifBuilder(4, 4, {}).Bytes();
    empty.insert(empty.end(), {0x21, 0xFE, 0, 0x2C, 0, 0, 0, 0, 4, 0, 4, 0, 0, 8, 0, 0x3B});
    ASSERT_EQ(Walk(empty).size(), 1u);
    // A global colour table that does not fit.
    std::vector<uint8_t> header = GifBuilder(4, 4, {}).Bytes();
    header[10] = 0x87;
    EXPECT_FALSE(GifBlockWalker(header.data(), header.size()).IsGif());
    EXPECT_FALSE(GifBlockWalker(nullptr, 100).IsGif());
}

TEST(GifBlocks, FrameWaits) {
    for (int delay = 0; delay < 5; ++delay) EXPECT_EQ(GifFrameWait(delay), 100u) << delay;
    EXPECT_EQ(GifFrameWait(10), 100u);
    EXPECT_EQ(GifFrameWait(50), 500u);
    EXPECT_EQ(GifFrameWait(-1), 100u);
    EXPECT_EQ(GifFrameWait(65535), 655350u);
}
