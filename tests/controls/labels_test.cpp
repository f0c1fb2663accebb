#include <gtest/gtest.h>

#include <string>

#include "controls/markup_label.h"
#include "controls/path_label.h"
#include "tests/controls/drawing_surface.h"
#include "tests/controls/test_window.h"

namespace {
std::string LongKeyPath(size_t length) {
    std::string path = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes";
    while (path.size() + 5 + 15 < length) path += "\\C" + std::to_string(path.size());
    return path + "\\InprocServer32";
}

int GuiFontWidth(HWND window, const std::string& text) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}
}  // namespace

TEST(PathLabel, LongKeyPathIsShortenedInTheMiddleToTheLabelWidth) {
    TestWindow window;
    PathLabel label;
    label.Attach(window.AddStatic("", 0, 0, 300, 16));
    const std::string path = LongKeyPath(250);
    ASSERT_LT(path.size(), 260u);
    ASSERT_EQ(path.substr(path.size() - 15), "\\InprocServer32");
    label.ShowPath(path);
    const std::string shown = WindowText(label.Window());
    EXPECT_EQ(shown.rfind("HKEY_LOCAL_MACHINE", 0), 0u) << shown;
    EXPECT_NE(shown.find("..."), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 15), "\\InprocServer32") << shown;
    EXPECT_LE(GuiFontWidth(label.Window(), shown), 300);
}

TEST(PathLabel, PathOfMoreThan259CharactersIsCutBeforeShortening) {
    TestWindow window;
    PathLabel label;
    label.Attach(window.AddStatic("", 0, 0, 300, 16));
    const std::string path = LongKeyPath(300);
    ASSERT_GE(path.size(), 295u);
    const std::string cut = path.substr(0, 259);
    label.ShowPath(path);
    const std::string shown = WindowText(label.Window());
    const std::string lastOfCut = cut.substr(cut.find_last_of('\\'));
    EXPECT_EQ(shown.rfind("HKEY_LOCAL_MACHINE", 0), 0u) << shown;
    EXPECT_EQ(shown.substr(shown.size() - lastOfCut.size()), lastOfCut) << shown;
    EXPECT_LE(GuiFontWidth(label.Window(), shown), 300);
}

TEST(PathLabel, ShortTextIsShownUnchanged) {
    TestWindow window;
    PathLabel label;
    label.Attach(window.AddStatic("", 0, 0, 300, 16));
    label.ShowPath("Scan Complete");
    EXPECT_EQ(WindowText(label.Window()), "Scan Complete");
    label.ShowPath("HKEY_CURRENT_USER\\Software");
    EXPECT_EQ(WindowText(label.Window()), "HKEY_CURRENT_USER\\Software");
}

TEST(PathLabel, MeasuresWithTheGuiFontWhateverFontTheLabelHas) {
    TestWindow window;
    PathLabel label;
    label.Attach(window.AddStatic("", 0, 0, 300, 16));
    UniqueFont huge(CreateFontA(-40, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
    SendMessageA(label.Window(), WM_SETFONT, reinterpret_cast<WPARAM>(huge.get()), FALSE);
    const std::string path = "C:\\Program Files\\Common Files\\Shared\\Library.dll";
    ASSERT_LE(GuiFontWidth(label.Window(), path), 300);
    label.ShowPath(path);
    EXPECT_EQ(WindowText(label.Window()), path);
}

TEST(MarkupLabel, PaintsItsTextInsetByFivePixelsWithoutBackground) {
    TestWindow window;
    MarkupLabel label;
    label.Attach(window.AddStatic("", 0, 0, 200, 60));
    label.SetText("<font color=\"#0000FF\"><b>Blue header</b></font> and more words that wrap");
    EXPECT_EQ(WindowText(label.Window()), "<font color=\"#0000FF\"><b>Blue header</b></font> and more words that wrap");
    DrawingSurface surface(200, 60);
    SendMessageA(label.Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
    EXPECT_GT(surface.Count({5, 5, 195, 55}, RGB(0, 0, 255)), 20);
    EXPECT_EQ(surface.Inked({0, 0, 200, 5}), 0);
    EXPECT_EQ(surface.Inked({0, 0, 5, 60}), 0);
    // The words after the header wrap onto a second line.
    EXPECT_GT(surface.Inked({5, 25, 195, 55}), 0);
}
