#include "ui/lists/check_markup_list.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/controls/drawing_surface.h"
#include "tests/controls/test_window.h"

namespace {
// Pixels darker than the grid's grey inside a rectangle.
int DarkPixels(const DrawingSurface& surface, const RECT& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = surface.Pixel(x, y);
            if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 128) ++count;
        }
    return count;
}
}  // namespace

// The list view leaves its highlight text colour in the context of a selected owner-drawn row;
// the row is filled with a light green, not the highlight, so white text would vanish.
TEST(CheckMarkupList, ASelectedRowKeepsItsTextReadable) {
    TestWindow window(500, 200);
    const DWORD style = WS_CHILD | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER;
    HWND listWindow = CreateWindowExA(0, WC_LISTVIEWA, "", style, 0, 0, 480, 180, window.Get(), nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    CheckMarkupList list;
    list.Attach(listWindow, 60);
    list.SetCheckPictures(IDB_CHECK_CHECKED, IDB_CHECK_UNCHECKED);
    ASSERT_EQ(list.AddRow("<b>Section Name : Fonts</b><br>Description : plain words", nullptr, true), 0);
    DrawingSurface surface(480, 60);
    SetTextColor(surface.Dc(), GetSysColor(COLOR_HIGHLIGHTTEXT));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTVIEW;
    item.itemID = 0;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = ODS_SELECTED;
    item.hwndItem = listWindow;
    item.hDC = surface.Dc();
    item.rcItem = {0, 0, 480, 60};
    list.DrawItem(item);
    EXPECT_GT(DarkPixels(surface, {40, 8, 470, 55}), 50);
}
