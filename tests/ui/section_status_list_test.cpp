#include "ui/main/section_status_list.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "base/unique_handles.h"

namespace {
std::string ListText(HWND list, int row, int column) {
    char text[64] = {};
    ListView_GetItemText(list, row, column, text, sizeof(text));
    return text;
}
}  // namespace

// Counts change with every problem; the list shows them paced, but always the latest, and before
// the row's status changes.
TEST(SectionStatusList, CountsAreReadAtOnceAndShownBeforeTheStatusChanges) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const UniqueWindow parent(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 500, 300, nullptr, nullptr,
                                              GetModuleHandleA(nullptr), nullptr));
    HWND listWindow = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 400, 200, parent.get(), nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    SectionStatusList list;
    list.Attach(listWindow);
    ScanSection section;
    section.name = "Installed Fonts";
    const int row = list.AddRow(section);
    EXPECT_EQ(ListText(listWindow, row, 1), "0");

    list.SetText(row, 1, "1");
    list.SetText(row, 1, "2");
    list.SetText(row, 1, "3");
    EXPECT_EQ(list.Text(row, 1), "3");
    EXPECT_EQ(ListText(listWindow, row, 1), "1");  // the first at once, the others kept

    list.SetText(row, 2, "Finished");
    EXPECT_EQ(ListText(listWindow, row, 1), "3");
    EXPECT_EQ(ListText(listWindow, row, 2), "Finished");
}
