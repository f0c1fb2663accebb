#include "ui/dialogs/details_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "resources/resource_ids.h"
#include "ui/dialogs/details_text.h"
#include "ui/lists/row_menu.h"

INT_PTR DetailsDialog::Run(HWND owner) { return RunModal(owner, IDD_DETAILS); }

bool DetailsDialog::OnInit() {
    list_.Attach(Item(IDC_DETAILS_LIST), kDetailsRowHeight);
    list_.SetCheckPictures(IDB_CHECK_CHECKED, IDB_CHECK_UNCHECKED);
    header_.Attach(Item(IDC_DETAILS_HEADER));
    header_.SetText(DetailsHeader(section_));
    FillRows();
    EnableWindow(Item(IDC_DETAILS_IGNORE), ignore_ ? TRUE : FALSE);
    return true;
}

bool DetailsDialog::OnDpiChanged(int dpi, const RECT&) {
    list_.SetDpi(dpi);
    return false;
}

void DetailsDialog::FillRows() {
    for (const ProblemPtr& problem : section_.problems) {
        list_.AddRow(DetailsRow(*problem), problem.get(), problem->checked != 0);
    }
}

// "Select All" ticks the safe rows; a row to review keeps the tick the user gave it.
void DetailsDialog::SetAll(bool checked) {
    section_.TickAll(checked);
    for (int row = 0; row < list_.RowCount(); ++row) {
        if (const auto* problem = static_cast<const ProblemRecord*>(list_.RowData(row))) {
            list_.SetChecked(row, problem->checked != 0);
        }
    }
}

void DetailsDialog::IgnoreChosenRows() {
    const std::vector<int> rows = ChosenRows(list_.Window());
    if (!ignore_ || rows.empty()) return;
    IgnoreList rules;
    for (int row : rows) {
        if (const auto* problem = static_cast<const ProblemRecord*>(list_.RowData(row)))
            rules.push_back(RuleFor(*problem));
    }
    // The rows go before their records may be freed.
    list_.ClearAll();
    ignore_(rules);
    FillRows();
    const int next = std::min(rows.front(), list_.RowCount() - 1);
    if (next < 0) {
        SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
        return;
    }
    // The keys go on in the list, at the row after the ignored ones.
    SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list_.Window()), TRUE);
    ListView_SetItemState(list_.Window(), next, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list_.Window(), next, FALSE);
}

bool DetailsDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_DETAILS_SELECT_ALL: SetAll(true); return true;
        case IDC_DETAILS_DESELECT_ALL: SetAll(false); return true;
        case IDC_DETAILS_IGNORE: IgnoreChosenRows(); return true;
        case IDOK:
        case IDCANCEL: End(id); return true;
        default: return false;
    }
}

bool DetailsDialog::OnNotify(NMHDR& header, LRESULT&) {
    if (header.idFrom != IDC_DETAILS_LIST || header.code != LVN_ITEMCHANGED) return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!CheckMarkupList::CheckStateChanged(change) || change.iItem < 0) return false;
    if (auto* problem = static_cast<ProblemRecord*>(list_.RowData(change.iItem))) {
        problem->checked = list_.IsChecked(change.iItem) ? 1 : 0;
    }
    return true;
}

bool DetailsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_CONTEXTMENU) {
        if (reinterpret_cast<HWND>(wParam) != list_.Window()) return false;
        const RowMenuItem ignore{kIgnoreMenuText, IDC_DETAILS_IGNORE, static_cast<bool>(ignore_)};
        if (TrackRowMenu(Window(), list_.Window(), lParam, {ignore}) == IDC_DETAILS_IGNORE) IgnoreChosenRows();
        result = TRUE;
        return true;
    }
    if (message == WM_MEASUREITEM) {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_LISTVIEW || item.CtlID != IDC_DETAILS_LIST) return false;
        list_.MeasureItem(item);
        result = TRUE;
        return true;
    }
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != IDC_DETAILS_LIST) return false;
        list_.DrawItem(item);
        result = TRUE;
        return true;
    }
    return false;
}
