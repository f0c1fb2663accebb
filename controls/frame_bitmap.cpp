#include "controls/frame_bitmap.h"

#include <cstdint>

#include "base/device_context.h"

namespace {
constexpr uint32_t kRgb = 0xFFFFFF;

UniqueBitmap TopDownDib(HDC dc, int width, int height, uint32_t*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    bits = bitmap ? static_cast<uint32_t*>(pixels) : nullptr;
    return bitmap;
}

// The picture over a background of one colour.
UniqueBitmap RenderOver(HDC dc, IPicture* picture, int width, int height, uint32_t background, uint32_t*& bits) {
    UniqueBitmap bitmap = TopDownDib(dc, width, height, bits);
    if (!bitmap) return bitmap;
    for (size_t i = 0, count = static_cast<size_t>(width) * height; i < count; ++i) bits[i] = background;
    OLE_XSIZE_HIMETRIC pictureWidth = 0;
    OLE_YSIZE_HIMETRIC pictureHeight = 0;
    picture->get_Width(&pictureWidth);
    picture->get_Height(&pictureHeight);
    const SelectedObject selected(dc, bitmap.get());
    // A picture drawn at another size than its own is averaged, not thinned out.
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    // Source from the bottom with a negative extent: HIMETRIC runs upward.
    if (FAILED(picture->Render(dc, 0, 0, width, height, 0, pictureHeight, pictureWidth, -pictureHeight, nullptr)))
        bitmap.reset();
    GdiFlush();
    return bitmap;
}
}  // namespace

FrameBitmap RenderToBitmap(IPicture* picture, int width, int height) {
    FrameBitmap frame;
    if (!picture || width <= 0 || height <= 0) return frame;
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return frame;
    uint32_t* onWhite = nullptr;
    uint32_t* onBlack = nullptr;
    const UniqueBitmap white = RenderOver(dc.get(), picture, width, height, kRgb, onWhite);
    UniqueBitmap black = RenderOver(dc.get(), picture, width, height, 0, onBlack);
    if (!white || !black) return frame;
    // A pixel that took the background's colour in one picture and not in the other is
    // transparent; the picture over black already holds black there.
    uint32_t* mask = nullptr;
    UniqueBitmap maskBitmap = TopDownDib(dc.get(), width, height, mask);
    if (!maskBitmap) return frame;
    bool transparent = false;
    for (size_t i = 0, count = static_cast<size_t>(width) * height; i < count; ++i) {
        const bool clear = ((onWhite[i] ^ onBlack[i]) & kRgb) != 0;
        mask[i] = clear ? kRgb : 0;
        transparent = transparent || clear;
    }
    frame.colours = std::move(black);
    if (transparent) frame.mask = std::move(maskBitmap);
    frame.width = width;
    frame.height = height;
    return frame;
}

bool DrawFrameBitmap(HDC target, const FrameBitmap& frame, int left, int top) {
    if (!target || !frame) return false;
    const UniqueMemoryDc source(CreateCompatibleDC(target));
    if (!source) return false;
    if (frame.mask) {
        // Clear what the picture covers, then add its colours.
        {
            const SelectedObject selected(source.get(), frame.mask.get());
            if (!BitBlt(target, left, top, frame.width, frame.height, source.get(), 0, 0, SRCAND)) return false;
        }
        const SelectedObject selected(source.get(), frame.colours.get());
        return BitBlt(target, left, top, frame.width, frame.height, source.get(), 0, 0, SRCPAINT) != FALSE;
    }
    const SelectedObject selected(source.get(), frame.colours.get());
    return BitBlt(target, left, top, frame.width, frame.height, source.get(), 0, 0, SRCCOPY) != FALSE;
}
