#include "ui/dialogs/ignored_entries_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "engine/ignore_rule_text.h"
#include "resources/resource_ids.h"
#include "ui/dpi_resources.h"
#include "ui/dpi_scale.h"
#include "ui/lists/row_menu.h"
#include "ui/message_box.h"

namespace {
constexpr int kTypeWidth = 50;
constexpr int kValueNameWidth = 160;

void AddColumn(HWND list, int index, const char* caption, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(caption);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND list, const std::vector<std::string>& cells) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<char*>(cells[0].c_str());
    const int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t column = 1; row >= 0 && column < cells.size(); ++column) {
        LVITEMA cell{};
        cell.iSubItem = static_cast<int>(column);
        cell.pszText = const_cast<char*>(cells[column].c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    }
}
}  // namespace

INT_PTR IgnoredEntriesDialog::Run(HWND owner) { return RunModal(owner, IDD_IGNORED_ENTRIES); }

bool IgnoredEntriesDialog::OnInit() {
    HWND list = Item(IDC_IGNORED_LIST);
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddColumn(list, 0, "Type", 0);
    AddColumn(list, 1, "Key or Path", 0);
    AddColumn(list, 2, "Value Name", 0);
    FitColumns(WindowDpi(list));
    Fill(0);
    SetFocus(ListView_GetItemCount(list) > 0 ? list : Item(IDCANCEL));
    return false;  // the focus is set
}

bool IgnoredEntriesDialog::OnDpiChanged(int dpi, const RECT&) {
    FitColumns(dpi);
    return false;
}

// The path takes what the type and the value name leave of the list's width.
void IgnoredEntriesDialog::FitColumns(int dpi) {
    HWND list = Item(IDC_IGNORED_LIST);
    RECT client{};
    GetClientRect(list, &client);
    const int typeWidth = ScaleForDpi(kTypeWidth, dpi), valueNameWidth = ScaleForDpi(kValueNameWidth, dpi);
    ListView_SetColumnWidth(list, 0, typeWidth);
    ListView_SetColumnWidth(list, 1, client.right - typeWidth - valueNameWidth - GetSystemMetrics(SM_CXVSCROLL));
    ListView_SetColumnWidth(list, 2, valueNameWidth);
}

void IgnoredEntriesDialog::Fill(int focusRow) {
    HWND list = Item(IDC_IGNORED_LIST);
    ListView_DeleteAllItems(list);
    shown_ = store_.Read();
    for (const IgnoreRule& rule : shown_) {
        AddRow(list, {IgnoreKindName(rule.kind), RuleTarget(rule), RuleValueName(rule)});
    }
    const int count = ListView_GetItemCount(list);
    EnableWindow(Item(IDC_IGNORED_REMOVE), count > 0 ? TRUE : FALSE);
    if (count == 0) return;
    const int row = std::clamp(focusRow, 0, count - 1);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}

void IgnoredEntriesDialog::RemoveChosenRows() {
    std::vector<int> rows = ChosenRows(Item(IDC_IGNORED_LIST));
    if (rows.empty()) return;
    bool removed = true;
    // By the rule rather than its number: the console may have changed the list meanwhile.
    for (int row : rows) {
        if (row < static_cast<int>(shown_.size())) removed = store_.Remove(shown_[row]) && removed;
    }
    Fill(rows.front());
    if (ListView_GetItemCount(Item(IDC_IGNORED_LIST)) == 0) {
        SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
    }
    if (!removed) ShowMessageBox(Window(), kIgnoreListNotSavedText, applicationName_);
}

bool IgnoredEntriesDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_IGNORED_REMOVE: RemoveChosenRows(); return true;
        case IDOK: return true;  // Enter removes nothing
        case IDCANCEL: End(IDCANCEL); return true;
        default: return false;
    }
}

bool IgnoredEntriesDialog::OnNotify(NMHDR& header, LRESULT&) {
    if (header.idFrom != IDC_IGNORED_LIST || header.code != LVN_KEYDOWN) return false;
    if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey != VK_DELETE) return false;
    RemoveChosenRows();
    return true;
}
