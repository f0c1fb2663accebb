#pragma once
// A hidden top-level window with child static controls for the control tests.
#include <windows.h>

#include <string>

#include "base/unique_handles.h"

class TestWindow {
public:
    TestWindow(int width = 600, int height = 300)
        : window_(CreateWindowExA(0, "STATIC", "controls", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr)) {}
    HWND Get() const { return window_.get(); }
    HWND AddStatic(const char* text, int x, int y, int width, int height, DWORD style = 0) const {
        return CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, window_.get(),
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    static void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

private:
    UniqueWindow window_;
};

inline std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}
