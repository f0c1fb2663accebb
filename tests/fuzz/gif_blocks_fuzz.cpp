// libFuzzer target: the GIF block walker on arbitrary bytes. Every graphic block it finds must
// lie inside the data, and its standalone copy must walk again as exactly one graphic block.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "controls/gif_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GifBlockWalker walker(data, size);
    if (!walker.IsGif()) return 0;
    const size_t count = walker.CountGraphicBlocks();
    walker.Rewind();
    GifGraphicBlock block;
    size_t found = 0;
    while (walker.NextGraphicBlock(block)) {
        ++found;
        if (block.begin >= block.end || block.end > size) std::abort();
        std::vector<uint8_t> standalone(walker.StandaloneSize(block));
        walker.WriteStandalone(block, standalone.data());
        GifBlockWalker copy(standalone.data(), standalone.size());
        if (!copy.IsGif() || copy.CountGraphicBlocks() != 1) std::abort();
    }
    if (found != count) std::abort();
    return 0;
}
