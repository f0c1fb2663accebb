#pragma once
// A memory device context with a 32-bit picture that tests draw into and read pixels from.
#include <windows.h>

#include "base/unique_handles.h"

class DrawingSurface {
public:
    DrawingSurface(int width, int height, const char* face = "Tahoma", int height_px = 16)
        : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        pixels_ = static_cast<DWORD*>(bits);
        oldBitmap_ = SelectObject(dc_.get(), bitmap_.get());
        font_.reset(CreateFontA(-height_px, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                NONANTIALIASED_QUALITY, 0, face));
        oldFont_ = SelectObject(dc_.get(), font_.get());
        SetBkMode(dc_.get(), TRANSPARENT);
        Clear();
    }
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;
    ~DrawingSurface() {
        SelectObject(dc_.get(), oldFont_);
        SelectObject(dc_.get(), oldBitmap_);
    }

    HDC Dc() const { return dc_.get(); }
    HFONT Font() const { return font_.get(); }
    void Clear() {
        for (int i = 0; i < width_ * height_; ++i) pixels_[i] = 0xFFFFFF;
    }
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        const DWORD p = pixels_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels of the given colour inside a rectangle.
    int Count(const RECT& area, COLORREF colour) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (Pixel(x, y) == colour) ++count;
        return count;
    }
    // Pixels that are not white inside a rectangle (clipped to the picture).
    int Inked(const RECT& area) const {
        const RECT all{0, 0, width_, height_};
        RECT clipped{};
        IntersectRect(&clipped, &area, &all);
        int count = 0;
        for (int y = clipped.top; y < clipped.bottom; ++y)
            for (int x = clipped.left; x < clipped.right; ++x)
                if (Pixel(x, y) != RGB(255, 255, 255)) ++count;
        return count;
    }
    SIZE Extent(const char* text, HFONT font = nullptr) const {
        HGDIOBJ old = font ? SelectObject(dc_.get(), font) : nullptr;
        SIZE size{};
        GetTextExtentPoint32A(dc_.get(), text, lstrlenA(text), &size);
        if (old) SelectObject(dc_.get(), old);
        return size;
    }

private:
    int width_, height_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    UniqueFont font_;
    DWORD* pixels_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};
