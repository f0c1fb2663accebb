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

std::string DetailsDialog::Markup(int row) const { return DetailsRow(*rows_[row]); }

bool DetailsDialog::OnDpiChanged(int dpi, const RECT&) {
    list_.SetDpi(dpi);
    return false;
}

void DetailsDialog::FillRows() {
    rows_.clear();
    rows_.reserve(section_.problems.size());
    for (const ProblemPtr& problem : section_.problems) rows_.push_back(problem.get());
    list_.ShowRows(*this, static_cast<int>(rows_.size()));
}

// "Select All" ticks the safe rows; a row to review keeps the tick the user gave it.
void DetailsDialog::SetAll(bool checked) {
    section_.TickAll(checked);
    list_.RedrawRows();
}

void DetailsDialog::IgnoreChosenRows() {
    const std::vector<int> rows = ChosenRows(list_.Window());
    if (!ignore_ || rows.empty()) return;
    IgnoreList rules;
    for (int row : rows) {
        if (row < static_cast<int>(rows_.size())) rules.push_back(RuleFor(*rows_[row]));
    }
    // The rows go before their records may be freed.
    list_.ClearAll();
    rows_.clear();
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

bool DetailsDialog::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_DETAILS_LIST) return false;
    if (header.code == LVN_ODFINDITEMA || header.code == LVN_ODFINDITEMW) {
        result = -1;  // rows are not found by typing: the space ticks a row, letters do nothing
        return true;
    }
    return list_.FillDisplayInfo(header);
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
