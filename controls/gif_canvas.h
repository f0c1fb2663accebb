#pragma once
// The off-screen picture an animated GIF is composed in: frames are drawn at their place and
// disposed of as their graphic control extension says. Shared by the user-interface thread
// (painting) and the animation thread (drawing), so every operation holds one lock. Frames are
// plain bitmaps, decoded on the user-interface thread when the GIF is loaded.
#include <windows.h>

#include <mutex>
#include <optional>

#include "base/device_context.h"
#include "base/unique_handles.h"
#include "controls/frame_bitmap.h"

struct GifFrame {
    FrameBitmap bitmap;
    int left = 0, top = 0, width = 0, height = 0;
    int delay = -1;
    int disposal = 0;
};

class GifCanvas {
public:
    GifCanvas() = default;
    GifCanvas(const GifCanvas&) = delete;
    GifCanvas& operator=(const GifCanvas&) = delete;
    ~GifCanvas() { Release(); }

    // A picture compatible with the reference, filled with the menu colour; areas are cleared
    // with the button-face colour from then on.
    bool Create(HDC reference, int width, int height);
    void Release();
    bool Ready() const { return static_cast<bool>(image_); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Background() const { return background_; }

    // Saves what a "restore to previous" frame covers, then draws the frame.
    bool DrawFrame(const GifFrame& frame);
    bool DrawBitmap(const FrameBitmap& bitmap, int left, int top);
    // "Restore to background" fills the frame's rectangle, "restore to previous" puts the saved
    // area back; other methods keep the picture.
    void Dispose(const GifFrame& frame);
    void Clear();
    void CopyTo(HDC target);

private:
    void FillBackground(const RECT& area);
    void ReleaseSavedArea();

    std::mutex lock_;
    int width_ = 0, height_ = 0;
    COLORREF background_ = RGB(255, 255, 255);
    // Each bitmap stays selected into its memory device context until the context goes; the
    // selection is declared after both, so it ends first.
    UniqueMemoryDc image_;
    UniqueBitmap imageBitmap_;
    std::optional<SelectedObject> imageSelection_;
    UniqueMemoryDc saved_;
    UniqueBitmap savedBitmap_;
    std::optional<SelectedObject> savedSelection_;
};
