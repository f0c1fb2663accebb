#pragma once
// A decoded picture held as plain GDI bitmaps, so that a thread other than the one that decoded
// it can draw it: a picture object of the platform's loader lives in its thread's COM apartment
// and must not be used from another thread without marshalling, but a bitmap may.
//     FrameBitmap frame = RenderToBitmap(picture.get(), 24, 9);   // on the decoding thread
//     DrawFrameBitmap(canvasDc, frame, 13, 2);                   // on any thread, one at a time
#include <windows.h>
#include <ocidl.h>

#include "base/unique_handles.h"

struct FrameBitmap {
    UniqueBitmap colours;  // the picture; its transparent pixels are black
    UniqueBitmap mask;     // white where the picture is transparent, black elsewhere; empty when opaque
    int width = 0, height = 0;

    explicit operator bool() const { return static_cast<bool>(colours); }
};

// Renders the picture upright at width × height pixels; empty when it cannot be rendered.
FrameBitmap RenderToBitmap(IPicture* picture, int width, int height);

// Draws the bitmap with its top-left corner at (left, top); what lies under its transparent
// pixels stays. The bitmaps are selected into a device context of this call only.
bool DrawFrameBitmap(HDC target, const FrameBitmap& frame, int left, int top);
