#include "ui/lists/check_list_view.h"

#include <commctrl.h>

#include "ui/dpi_resources.h"
#include "ui/dpi_scale.h"
#include "ui/lists/list_view_items.h"

void CheckListView::Attach(HWND list, const std::vector<ListColumn>& columns) {
    list_ = list;
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                                        LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    const int dpi = WindowDpi(list_);
    widths_.clear();
    for (size_t index = 0; index < columns.size(); ++index) {
        widths_.push_back(columns[index].width);
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = ScaleForDpi(columns[index].width, dpi);
        column.pszText = const_cast<char*>(columns[index].caption);
        column.iSubItem = static_cast<int>(index);
        SendMessageA(list_, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }
}

void CheckListView::SetDpi(int dpi) {
    for (size_t column = 0; column < widths_.size(); ++column)
        ListView_SetColumnWidth(list_, static_cast<int>(column), ScaleForDpi(widths_[column], dpi));
}

int CheckListView::AddRow(const std::vector<std::string>& cells, const void* data) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = RowCount();
    item.pszText = const_cast<char*>(cells.empty() ? "" : cells[0].c_str());
    item.lParam = reinterpret_cast<LPARAM>(data);
    const int row = static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return -1;
    for (size_t column = 1; column < cells.size(); ++column) {
        LVITEMA cell{};
        cell.iSubItem = static_cast<int>(column);
        cell.pszText = const_cast<char*>(cells[column].c_str());
        SendMessageA(list_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    }
    return row;
}

void CheckListView::DeleteAllRows() { ListView_DeleteAllItems(list_); }

int CheckListView::RowCount() const { return ListView_GetItemCount(list_); }

const void* CheckListView::RowData(int row) const {
    return reinterpret_cast<const void*>(ListViewItemParam(list_, row));
}

std::string CheckListView::Text(int row, int column) const { return ListViewItemText(list_, row, column); }

bool CheckListView::IsChecked(int row) const { return ListView_GetCheckState(list_, row) != 0; }

void CheckListView::SelectRow(int row) {
    constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(list_, row, kBoth, kBoth);
}

bool CheckListView::BecameSelected(const NMLISTVIEW& change) {
    constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
    return change.iItem >= 0 && (change.uChanged & LVIF_STATE) && (change.uNewState & kBoth) == kBoth &&
           (change.uOldState & kBoth) != kBoth;
}
