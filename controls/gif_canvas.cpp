#include "controls/gif_canvas.h"

namespace {
// FillRect takes a system colour index plus one in place of a brush.
HBRUSH SystemColourBrush(int index) { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(index + 1)); }
}  // namespace

bool GifCanvas::Create(HDC reference, int width, int height) {
    Release();
    std::lock_guard<std::mutex> guard(lock_);
    UniqueMemoryDc image(CreateCompatibleDC(reference));
    if (!image) return false;
    UniqueBitmap bitmap(CreateCompatibleBitmap(reference, width, height));
    if (!bitmap) return false;
    image_ = std::move(image);
    imageBitmap_ = std::move(bitmap);
    imageSelection_.emplace(image_.get(), imageBitmap_.get());
    background_ = GetSysColor(COLOR_BTNFACE);
    SetBkColor(image_.get(), background_);
    RECT all{0, 0, width, height};
    FillRect(image_.get(), &all, SystemColourBrush(COLOR_MENU));
    width_ = width;
    height_ = height;
    return true;
}

void GifCanvas::Release() {
    std::lock_guard<std::mutex> guard(lock_);
    ReleaseSavedArea();
    imageSelection_.reset();
    image_.reset();
    imageBitmap_.reset();
    width_ = height_ = 0;
    background_ = RGB(255, 255, 255);
}

void GifCanvas::ReleaseSavedArea() {
    savedSelection_.reset();
    saved_.reset();
    savedBitmap_.reset();
}

bool GifCanvas::DrawBitmap(const FrameBitmap& bitmap, int left, int top) {
    std::lock_guard<std::mutex> guard(lock_);
    return image_ && DrawFrameBitmap(image_.get(), bitmap, left, top);
}

bool GifCanvas::DrawFrame(const GifFrame& frame) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!image_) return false;
    if (frame.disposal == 3) {
        ReleaseSavedArea();
        UniqueMemoryDc saved(CreateCompatibleDC(image_.get()));
        UniqueBitmap bitmap(saved ? CreateCompatibleBitmap(image_.get(), frame.width, frame.height) : nullptr);
        if (bitmap) {
            saved_ = std::move(saved);
            savedBitmap_ = std::move(bitmap);
            savedSelection_.emplace(saved_.get(), savedBitmap_.get());
            BitBlt(saved_.get(), 0, 0, frame.width, frame.height, image_.get(), frame.left, frame.top, SRCCOPY);
        }
    }
    return DrawFrameBitmap(image_.get(), frame.bitmap, frame.left, frame.top);
}

void GifCanvas::FillBackground(const RECT& area) {
    UniqueBrush brush(CreateSolidBrush(background_));
    if (brush) FillRect(image_.get(), &area, brush.get());
}

void GifCanvas::Dispose(const GifFrame& frame) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!image_) return;
    if (frame.disposal == 2) {
        FillBackground({frame.left, frame.top, frame.left + frame.width, frame.top + frame.height});
    } else if (frame.disposal == 3 && saved_) {
        BitBlt(image_.get(), frame.left, frame.top, frame.width, frame.height, saved_.get(), 0, 0, SRCCOPY);
        ReleaseSavedArea();
    }
}

void GifCanvas::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    if (image_) FillBackground({0, 0, width_, height_});
}

void GifCanvas::CopyTo(HDC target) {
    std::lock_guard<std::mutex> guard(lock_);
    if (image_) BitBlt(target, 0, 0, width_, height_, image_.get(), 0, 0, SRCCOPY);
}
