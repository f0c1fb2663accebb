#include "ui/scan/message_pump.h"
#include "ui/scan/window_scan_host.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace {
int g_dispatched = 0;
LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++g_dispatched;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeCountingWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CountingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TidrexPumpCounter";
    RegisterClassA(&windowClass);
    return CreateWindowA("TidrexPumpCounter", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

void DrainQueue() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {}
}
}  // namespace

TEST(PumpMessages, DispatchesAtMostTenPerCall) {
    HWND window = MakeCountingWindow();
    DrainQueue();
    g_dispatched = 0;
    for (int i = 0; i < 15; ++i) PostMessageA(window, WM_APP, 0, 0);
    PumpMessages();
    EXPECT_EQ(g_dispatched, 10);
    PumpMessages();
    EXPECT_EQ(g_dispatched, 15);
    PumpMessages();
    EXPECT_EQ(g_dispatched, 15);
    DestroyWindow(window);
}

TEST(PumpMessages, LeavesTheQuitMessageForTheLoop) {
    DrainQueue();
    PostQuitMessage(3);
    PumpMessages();
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

// The window host looks at the queue on every eighth pump (and at least every 10 ms): a posted
// click waits a few items at most.
TEST(WindowScanHost, APostedMessageIsDispatchedWithinEightPumps) {
    HWND window = MakeCountingWindow();
    DrainQueue();
    g_dispatched = 0;
    WindowScanHost host;
    host.PumpMessages();
    PostMessageA(window, WM_APP, 0, 0);
    int pumps = 0;
    while (g_dispatched == 0 && pumps < 8) {
        host.PumpMessages();
        ++pumps;
    }
    EXPECT_EQ(g_dispatched, 1);
    DestroyWindow(window);
}
