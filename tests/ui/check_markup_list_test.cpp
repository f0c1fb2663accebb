#include "ui/lists/check_markup_list.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

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

namespace {
// Rows of an owner: their text is their number, every other one ticked.
class NumberedRows : public CheckRows {
public:
    explicit NumberedRows(int count) : checks_(count) {
        for (int row = 0; row < count; row += 2) checks_[row] = true;
    }
    std::string Markup(int row) const override { return "row " + std::to_string(row); }
    bool Checked(int row) const override { return checks_[row]; }
    void SetChecked(int row, bool checked) override { checks_[row] = checked; }
    void* Data(int row) const override { return const_cast<bool*>(&checks_[0]) + row; }

private:
    std::deque<bool> checks_;
};

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}
}  // namespace

// The owner's rows are read as the list's own (text and check state for screen readers), Space
// ticks the owner's row, and the keys move one selected row as the list would.
TEST(CheckMarkupList, AnOwnersRowsAreReadTickedAndWalkedLikeItsOwn) {
    TestWindow window(500, 400);
    const DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER | LVS_OWNERDATA;
    HWND listWindow = CreateWindowExA(0, WC_LISTVIEWA, "", style, 0, 0, 480, 380, window.Get(), nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    CheckMarkupList list;
    list.Attach(listWindow, 60);
    NumberedRows rows(1000);
    list.ShowRows(rows, 1000);
    EXPECT_EQ(ListView_GetItemCount(listWindow), 1000);
    EXPECT_EQ(list.RowText(7), "row 7");
    EXPECT_TRUE(list.IsChecked(8));
    SetFocus(listWindow);
    const auto press = [&](UINT key) { SendMessageA(listWindow, WM_KEYDOWN, key, 0); };
    std::vector<std::vector<int>> walked;
    for (UINT key : {VK_DOWN, VK_DOWN, VK_NEXT, VK_END, VK_PRIOR, VK_HOME}) {
        press(key);
        walked.push_back(SelectedRows(listWindow));
        walked.back().push_back(ListView_GetNextItem(listWindow, -1, LVNI_FOCUSED));
    }
    const int page = ListView_GetCountPerPage(listWindow);
    EXPECT_EQ(walked, (std::vector<std::vector<int>>{
                          {1, 1}, {2, 2}, {page - 1, page - 1}, {999, 999}, {1000 - page, 1000 - page}, {0, 0}}));
    press(VK_SPACE);
    EXPECT_FALSE(rows.Checked(0));
    list.ClearAll();
    EXPECT_EQ(ListView_GetItemCount(listWindow), 0);
}
