#pragma once
// The screenshot tours' handshake: a window is drawn and settled, "SHOT name left top width
// height" is printed, and the tour waits for a line on its input while scripts/screenshots takes
// the picture.
#include <windows.h>

#include <cstdio>

inline void SettleWindows() {
    for (int i = 0; i < 6; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(50);
    }
}

inline void Shot(const char* name, HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SettleWindows();
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("SHOT %s %ld %ld %ld %ld\n", name, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
    char answer[16];
    if (!std::fgets(answer, sizeof(answer), stdin)) return;
}
