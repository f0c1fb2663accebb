#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/hyperlink.h"
#include "controls/link_target.h"
#include "controls/hyperlink_texts.h"
#include "tests/controls/test_window.h"
#include "tests/support/htm_association.h"
#include "tests/support/import_hook.h"

namespace {
std::string TempFile(const std::string& name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name + std::to_string(GetCurrentProcessId());
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Pumps messages until the file has content or about ten seconds passed.
bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 200; ++i) {
        if (!ReadFile(path).empty()) return true;
        TestWindow::Pump();
        Sleep(50);
    }
    return false;
}

// A batch file that writes a marker file when the shell opens it.
std::string MarkerBatch(const std::string& marker) {
    const std::string batch = marker + ".bat";
    std::ofstream(batch) << "@echo opened>\"" << marker << "\"\r\n";
    DeleteFileA(marker.c_str());
    return batch;
}

bool IsUnderlined(HWND window) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfUnderline != 0;
}

// The program's own selections into device contexts, and how many of them failed.
struct Selections {
    static inline HGDIOBJ(WINAPI* select)(HDC, HGDIOBJ) = nullptr;
    static inline int made = 0, failed = 0;
    static HGDIOBJ WINAPI Counted(HDC dc, HGDIOBJ object) {
        const HGDIOBJ old = select(dc, object);
        ++(old ? made : failed);
        return old;
    }
};

COLORREF TextColourFor(HWND link, HDC dc) {
    SendMessageA(GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
    return GetTextColor(dc);
}

void ClickOn(HWND link) {
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// Counts the click notifications that reach the parent's own window procedure.
struct ParentClicks {
    explicit ParentClicks(HWND parentWindow) : parent(parentWindow) {
        SetWindowSubclass(parentWindow, &ParentClicks::Procedure, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~ParentClicks() { RemoveWindowSubclass(parent, &ParentClicks::Procedure, 1); }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
        if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) ++reinterpret_cast<ParentClicks*>(self)->count;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    HWND parent;
    int count = 0;
};

}  // namespace

TEST(HyperLinkTexts, ErrorTextsFollowTheShellCodes) {
    EXPECT_EQ(HyperLinkErrorText(26), "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(HyperLinkErrorText(2), "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(HyperLinkErrorText(0),
              "Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(HyperLinkErrorText(4), "Unable to open hyperlink:\n\nUnknown Error (4) occurred.");
    EXPECT_EQ(HyperLinkErrorText(-7), "Unable to open hyperlink:\n\nUnknown Error (-7) occurred.");
}

TEST(HyperLinkTexts, BrowserCommandTakesTheTargetInPlaceOfItsPercentOne) {
    EXPECT_EQ(BrowserCommandLine("\"C:\\b\\web.exe\" -nohome \"%1\"", "http://x.invalid/"),
              "\"C:\\b\\web.exe\" -nohome  http://x.invalid/");
    EXPECT_EQ(BrowserCommandLine("web.exe %1 -new", "a"), "web.exe  a");
    EXPECT_EQ(BrowserCommandLine("web.exe", "a"), "web.exe a");
    EXPECT_EQ(BrowserCommandLine("web.exe %1 \"%1\"", "a"), "web.exe %1  a");
}

TEST(HyperLink, TargetDefaultsToTheWindowTextAndTheTextToTheTarget) {
    TestWindow window;
    HyperLink named;
    named.Attach(window.AddStatic("http://www.example.invalid/", 10, 10, 300, 20));
    EXPECT_EQ(named.Target(), "http://www.example.invalid/");
    EXPECT_TRUE(GetWindowLongPtrA(named.Window(), GWL_STYLE) & SS_NOTIFY);

    HyperLink blank;
    blank.SetTarget("mailto:support@example.invalid");
    blank.Attach(window.AddStatic("", 10, 40, 300, 20));
    EXPECT_EQ(WindowText(blank.Window()), "mailto:support@example.invalid");
}

TEST(HyperLink, ClickOpensTheWindowTextWhenNoTargetWasSet) {
    const std::string marker = TempFile("tidrex_link_open");
    const std::string batch = MarkerBatch(marker);
    TestWindow window;
    ParentClicks clicks(window.Get());
    HyperLink link;
    link.SetErrorHandler([](HWND, const std::string& text) { ADD_FAILURE() << text; });
    link.Attach(window.AddStatic(batch.c_str(), 10, 10, 500, 20));
    ClickOn(link.Window());
    EXPECT_TRUE(WaitForFile(marker));
    EXPECT_TRUE(link.Visited());
    EXPECT_EQ(clicks.count, 1);
    DeleteFileA(marker.c_str());
    DeleteFileA(batch.c_str());
}

TEST(HyperLink, LabelOnlyNeverOpensButStillHovers) {
    const std::string marker = TempFile("tidrex_link_label");
    const std::string batch = MarkerBatch(marker);
    TestWindow window;
    ParentClicks clicks(window.Get());
    HyperLink label;
    label.labelOnly = true;
    int errors = 0;
    label.SetErrorHandler([&](HWND, const std::string&) { ++errors; });
    label.Attach(window.AddStatic(batch.c_str(), 10, 10, 500, 20));
    ClickOn(label.Window());
    for (int i = 0; i < 20; ++i) {
        TestWindow::Pump();
        Sleep(50);
    }
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(label.Visited());
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(clicks.count, 1) << "the parent handles the click";

    SendMessageA(label.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(label.Hovered());
    EXPECT_TRUE(IsUnderlined(label.Window()));
    DeleteFileA(batch.c_str());
}

TEST(HyperLink, ColoursFollowHoverAndVisited) {
    TestWindow window;
    HyperLink link;
    link.Attach(window.AddStatic("http://x.invalid/", 10, 10, 300, 20));
    HDC dc = GetDC(window.Get());
    const LRESULT brush = SendMessageA(window.Get(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(link.Window()));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(TextColourFor(link.Window(), dc), RGB(0, 0, 238));
    link.SetVisited(true);
    EXPECT_EQ(TextColourFor(link.Window(), dc), RGB(85, 26, 139));
    SendMessageA(link.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextColourFor(link.Window(), dc), RGB(255, 0, 0));
    ReleaseDC(window.Get(), dc);
}

// The links of one window share one hook into it: each keeps its own colours and clicks, also
// after another link of the window is gone.
TEST(HyperLink, LinksOfOneParentKeepTheirColoursAndClicksWhenAnotherGoes) {
    TestWindow window;
    ParentClicks clicks(window.Get());
    HyperLink first;
    HyperLink second;
    first.labelOnly = second.labelOnly = true;
    second.SetVisited(true);
    {
        HyperLink gone;
        gone.Attach(window.AddStatic("gone", 10, 70, 300, 20));
        first.Attach(window.AddStatic("first", 10, 10, 300, 20));
        second.Attach(window.AddStatic("second", 10, 40, 300, 20));
    }
    HDC dc = GetDC(window.Get());
    EXPECT_EQ(TextColourFor(first.Window(), dc), RGB(0, 0, 238));
    EXPECT_EQ(TextColourFor(second.Window(), dc), RGB(85, 26, 139));
    ReleaseDC(window.Get(), dc);
    ClickOn(second.Window());
    for (int i = 0; i < 10; ++i) TestWindow::Pump();
    EXPECT_EQ(clicks.count, 1);
}

TEST(HyperLink, HoverEndsWhenTheMouseLeavesAndModeOneStaysUnderlined) {
    TestWindow window;
    SetWindowPos(window.Get(), HWND_TOP, 100, 100, 600, 300, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    HyperLink hover;
    hover.Attach(window.AddStatic("hover link", 10, 10, 300, 20));
    HyperLink always;
    always.SetUnderlineMode(1);
    always.Attach(window.AddStatic("always underlined", 10, 40, 300, 20));
    EXPECT_FALSE(IsUnderlined(hover.Window()));
    EXPECT_TRUE(IsUnderlined(always.Window()));

    SetCursorPos(900, 900);
    SendMessageA(hover.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    SendMessageA(always.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(IsUnderlined(hover.Window()));
    for (int i = 0; i < 100 && (hover.Hovered() || always.Hovered()); ++i) {
        TestWindow::Pump();
        Sleep(20);
    }
    EXPECT_FALSE(hover.Hovered());
    EXPECT_FALSE(always.Hovered());
    EXPECT_FALSE(IsUnderlined(hover.Window()));
    EXPECT_TRUE(IsUnderlined(always.Window()));

    always.SetUnderlineMode(0);
    EXPECT_FALSE(IsUnderlined(always.Window()));
}

TEST(HyperLink, FitsTheWindowToItsTextKeepingTheAlignedEdge) {
    TestWindow window;
    HyperLink left, right, centred;
    left.Attach(window.AddStatic("left text", 50, 10, 300, 20));
    right.Attach(window.AddStatic("right text", 50, 40, 300, 20, SS_RIGHT));
    centred.Attach(window.AddStatic("centred text", 50, 70, 300, 20, SS_CENTER));
    auto placement = [&](HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window.Get(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    const RECT l = placement(left.Window()), r = placement(right.Window()), c = placement(centred.Window());
    EXPECT_EQ(l.left, 50);
    EXPECT_LT(l.right, 200);
    EXPECT_EQ(r.right, 350);
    EXPECT_GT(r.left, 200);
    EXPECT_NEAR((c.left + c.right) / 2, 200, 1);
    EXPECT_LT(c.right - c.left, 200);
}

TEST(HyperLink, HandCursorComesFromTheHelpProgramOrTheStandardOneStays) {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    HMODULE help = LoadLibraryExA((std::string(folder) + "\\winhlp32.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const bool hasHand = help && FindResourceA(help, MAKEINTRESOURCEA(106), MAKEINTRESOURCEA(12)) != nullptr;
    if (help) FreeLibrary(help);
    TestWindow window;
    HyperLink link;
    link.Attach(window.AddStatic("cursor", 10, 10, 300, 20));
    const LRESULT handled = SendMessageA(link.Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.Window()),
                                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(handled != 0, hasHand);
}

TEST(HyperLink, FailedOpenReportsTheShellCodeAndFallsBackToTheHtmBrowser) {
    const std::string target = "tidrex-unknown-scheme:page";
    {
        HtmAssociation none("TidrexTests.NoBrowser");
        const int code = OpenLinkTarget(target, SW_HIDE);
        ASSERT_LE(code, 32);
        TestWindow window;
        HyperLink link;
        std::vector<std::string> errors;
        link.SetErrorHandler([&](HWND, const std::string& text) { errors.push_back(text); });
        link.SetVisited(true);
        link.SetTarget(target);
        link.Attach(window.AddStatic("broken link", 10, 10, 300, 20));
        ClickOn(link.Window());
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], HyperLinkErrorText(code));
        EXPECT_FALSE(link.Visited());
    }
    const std::string marker = TempFile("tidrex_link_browser");
    DeleteFileA(marker.c_str());
    HtmAssociation browser("TidrexTests.Browser", "cmd.exe /c echo>\"" + marker + "\" \"%1\"");
    EXPECT_GT(OpenLinkTarget(target, SW_HIDE), 31);
    ASSERT_TRUE(WaitForFile(marker));
    EXPECT_NE(ReadFile(marker).find(target), std::string::npos) << ReadFile(marker);
    DeleteFileA(marker.c_str());
}

TEST(HyperLink, TabReachesTheLinkAndEnterOrSpaceActAsAClick) {
    TestWindow window;
    SetWindowPos(window.Get(), HWND_TOP, 100, 100, 600, 300, SWP_SHOWWINDOW);
    ParentClicks clicks(window.Get());
    HyperLink first, second;
    first.labelOnly = second.labelOnly = true;
    first.Attach(window.AddStatic("first", 10, 10, 300, 20));
    second.Attach(window.AddStatic("second", 10, 40, 300, 20));
    EXPECT_TRUE(GetWindowLongPtrA(second.Window(), GWL_STYLE) & WS_TABSTOP);
    SetFocus(first.Window());
    auto press = [&](UINT key) {
        PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
        PostMessageA(GetFocus(), WM_KEYUP, key, 0);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (IsDialogMessageA(window.Get(), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    };
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), second.Window());
    press(VK_RETURN);
    EXPECT_EQ(clicks.count, 1);
    press(VK_SPACE);
    EXPECT_EQ(clicks.count, 2);
}

// A selection made into a device context that was already released fails.
TEST(HyperLink, TheFocusFramePutsItsPenAndBrushBackBeforeTheDeviceContextGoes) {
    TestWindow window;
    SetWindowPos(window.Get(), HWND_TOP, 100, 100, 600, 300, SWP_SHOWWINDOW);
    HyperLink link;
    link.Attach(window.AddStatic("focus", 10, 10, 300, 20));
    SetFocus(link.Window());
    SendMessageA(link.Window(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    const ImportHook hook("gdi32.dll", "SelectObject", reinterpret_cast<const void*>(&Selections::Counted));
    ASSERT_TRUE(hook);
    Selections::select = hook.Original<decltype(Selections::select)>();
    SendMessageA(link.Window(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(Selections::made, 4) << "pen and brush, each selected and put back";
    EXPECT_EQ(Selections::failed, 0);
}

TEST(HyperLink, AnExceptionOfItsErrorHandlerStopsAtTheWindowBoundary) {
    HtmAssociation none("TidrexTests.NoBrowser");
    TestWindow window;
    HyperLink link;
    int reports = 0;
    link.SetErrorHandler([&](HWND, const std::string&) {
        ++reports;
        throw std::runtime_error("the report could not be shown");
    });
    link.SetTarget("tidrex-unknown-scheme:page");
    link.Attach(window.AddStatic("broken link", 10, 10, 300, 20));
    ClickOn(link.Window());  // before the policy, std::terminate ended the program here
    EXPECT_EQ(reports, 1);
    EXPECT_FALSE(link.Visited());
    ClickOn(link.Window());
    EXPECT_EQ(reports, 2) << "the link still works after the failure";
}
