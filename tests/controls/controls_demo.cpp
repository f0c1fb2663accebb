// A window that shows each custom control once, for looking at them (and taking a screenshot):
//     controls_demo.exe [SECONDS]      closes itself after SECONDS (default 60)
#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <string>

#include "controls/animated_gif.h"
#include "controls/hyperlink.h"
#include "controls/markup_label.h"
#include "controls/markup_renderer.h"
#include "controls/path_label.h"
#include "tests/controls/gif_builder.h"

namespace {
constexpr UINT_PTR kCloseTimer = 1;

const char* kHeader =
    "<font color=\"#0000FF\"<b>Manage Browser Helper Objects</b></font><br>BHO's are attached to the Internet "
    "Explorer \t\t\t\t\tand are capable of creating a great deal of menace.<br>It should however be noted that "
    "<b>Not all BHO's are harmful.</b> \t\t\t\t\tUsing this dialog user can himself decide which BHO's are "
    "allowed to execute.";
const char* kRow = "<b>Section Name : Fonts</b><br><font color=\"#FF0000\">Problems Found : 3</font>";
const char* kStyles =
    "<i>italic</i>, <u>underlined words</u>, H<sub>2</sub>O, x<sup>2</sup>, "
    "<font color=#008000>green</font> <font color='#7B7B7B'>grey</font> and a<b>b</b>c<p>A paragraph after "
    "<img src=\"x.gif\"> an unknown tag.";

// A busy bar: a block that moves along a 140 x 13 strip, one frame per step.
std::vector<uint8_t> BusyAnimation() {
    GifBuilder gif(140, 13, {0xD4D0C8, 0x3A6EA5, 0xFFFFFF});
    gif.Looping().Control(10, 0).Image(0, 0, 140, 13, 0);
    for (int step = 0; step < 10; ++step) gif.Control(10, 2).Image(step * 13, 2, 24, 9, 1);
    return gif.Finish();
}

struct Demo {
    MarkupLabel header, row, styles;
    PathLabel path;
    HyperLink site, mail, navigation;
    AnimatedGif busy;
    HWND drawn = nullptr;
};

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kCloseTimer) DestroyWindow(window);
            return 0;
        case WM_PAINT: {
            // An owner-drawn row as the section lists draw theirs: framed, directly with an HDC.
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT box{330, 190, 610, 240};
            FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            InflateRect(&box, -6, -6);
            HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            DrawMarkupInRect(dc, box, kRow);
            SelectObject(dc, old);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND Static(HWND parent, const char* text, int x, int y, int width, int height, HFONT font) {
    HWND control = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    OleInitialize(nullptr);
    const int seconds = commandLine && *commandLine ? std::atoi(commandLine) : 60;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "TidrexControlsDemo";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Controls", WS_POPUP | WS_BORDER | WS_VISIBLE, 20, 20,
                                  640, 400, nullptr, nullptr, instance, nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    Demo demo;
    demo.header.Attach(Static(window, "", 10, 10, 300, 130, font));
    demo.header.SetText(kHeader);
    demo.row.Attach(Static(window, "", 330, 10, 290, 50, font));
    demo.row.SetText(kRow);
    demo.styles.Attach(Static(window, "", 330, 70, 290, 110, font));
    demo.styles.SetText(kStyles);

    demo.path.Attach(Static(window, "", 15, 160, 290, 16, font));
    std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{0AFACED1-E828-11D1-9187-B532F1E9575D}";
    key += "\\InprocServer32\\Implemented Categories\\Shell Extensions\\Approved\\Last";
    demo.path.ShowPath(key);

    demo.site.SetTarget("http://www.example.invalid/");
    demo.site.Attach(Static(window, "Visit the web site", 15, 200, 200, 16, font));
    demo.mail.SetUnderlineMode(1);
    demo.mail.Attach(Static(window, "mailto:support@example.invalid", 15, 225, 250, 16, font));
    demo.navigation.labelOnly = true;
    demo.navigation.Attach(Static(window, "Scan (label only)", 15, 250, 200, 16, font));
    demo.navigation.SetVisited(true);

    demo.busy.Attach(Static(window, "", 15, 290, 10, 10, font));
    const std::vector<uint8_t> animation = BusyAnimation();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, animation.size());
    if (block) {
        memcpy(GlobalLock(block), animation.data(), animation.size());
        GlobalUnlock(block);
        if (demo.busy.Load(block, animation.size())) demo.busy.Draw();
        GlobalFree(block);
    }

    SetTimer(window, kCloseTimer, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    OleUninitialize();
    return 0;
}
