#pragma once
// What the windows draw with at the DPI of their monitor: the DPI itself, the pictures drawn
// nearest it and the dialog font.
#include <windows.h>

#include "base/unique_handles.h"

// The window's DPI (GetDpiForWindow where Windows has it), else the screen's vertical DPI.
int WindowDpi(HWND window);

// The picture of that resource (its 96-DPI identifier) at the DPI: the size drawn nearest it,
// shrunk or stretched with HALFTONE when it was drawn for another DPI. Empty when it is missing.
UniqueBitmap LoadPictureForDpi(int id, int dpi);

// The bitmap's size in pixels; zero when it is none.
SIZE BitmapSize(HBITMAP bitmap);

// The main window's font: Tahoma of 8 points at the DPI, or the largest size below it whose
// letters are no wider than at 96 DPI scaled, since Tahoma does not widen in proportion and the
// window's labels were made to fit its 96-DPI text.
UniqueFont MainWindowFont(int dpi);
