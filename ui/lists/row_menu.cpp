#include "ui/lists/row_menu.h"

#include <commctrl.h>

#include "base/unique_handles.h"

namespace {
POINT MenuPosition(HWND list, LPARAM position) {
    if (position != -1) return {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    RECT row{};
    if (focused < 0 || !ListView_GetItemRect(list, focused, &row, LVIR_BOUNDS)) {
        GetClientRect(list, &row);
        row.bottom = row.top;
    }
    POINT at{row.left + 24, row.bottom};
    ClientToScreen(list, &at);
    return at;
}
}  // namespace

std::vector<int> ChosenRows(HWND list) {
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
        rows.push_back(row);
    }
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (rows.empty() && focused >= 0) rows.push_back(focused);
    return rows;
}

int TrackRowMenu(HWND owner, HWND list, LPARAM position, const std::vector<RowMenuItem>& items) {
    const UniqueMenu menu(CreatePopupMenu());
    if (!menu) return 0;
    for (const RowMenuItem& item : items) {
        AppendMenuA(menu.get(), MF_STRING | (item.enabled ? 0 : MF_GRAYED), item.command, item.text);
    }
    const POINT at = MenuPosition(list, position);
    return TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0,
                          owner, nullptr);
}
