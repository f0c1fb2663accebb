#pragma once
// Owners of device contexts beside the handle owners of unique_handles.h: a window's device
// context, released to its window, and an object selected into a device context for one scope.
// Declare the device context's owner before the selections made into it: they then end first,
// and every object is put back before the device context is released.
//     const WindowDc dc(window);
//     const SelectedObject font(dc.get(), windowFont);
#include <windows.h>

// A device context of a window from GetDC (its client area) or GetWindowDC (all of the window,
// frame included), released with ReleaseDC when the owner ends. Empty when Windows gave none.
class WindowDc {
public:
    enum class Area { Client, Window };
    explicit WindowDc(HWND window, Area area = Area::Client)
        : window_(window), dc_(area == Area::Window ? GetWindowDC(window) : GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for one scope and puts the previous one back. Without
// a device context or an object (a window without a font of its own) it selects nothing.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};
