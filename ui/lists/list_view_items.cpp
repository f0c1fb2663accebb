#include "ui/lists/list_view_items.h"

#include <commctrl.h>

LPARAM ListViewItemParam(HWND list, int row) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
}

std::string ListViewItemText(HWND list, int row, int column) {
    // The list copies at most the buffer less one: grow until the text fits with room to spare.
    for (size_t size = 512;; size *= 2) {
        std::string text(size, '\0');
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(size);
        const auto length =
            static_cast<size_t>(SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size) {
            text.resize(length);
            return text;
        }
        if (size >= (1u << 24)) return {};  // never act on a text that may have been cut
    }
}
