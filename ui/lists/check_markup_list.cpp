#include "ui/lists/check_markup_list.h"

#include <commctrl.h>

#include <algorithm>

#include "base/device_context.h"
#include "base/window_boundary.h"
#include "controls/markup_renderer.h"
#include "ui/scan/scan_messages.h"
#include "resources/resource_ids.h"
#include "ui/dialog_base.h"
#include "ui/dpi_resources.h"
#include "ui/dpi_scale.h"
#include "ui/lists/list_view_items.h"

namespace {
constexpr COLORREF kSelectedFill = RGB(233, 253, 222);
constexpr COLORREF kGridColour = RGB(200, 200, 200);
constexpr COLORREF kFocusColour = RGB(96, 96, 96);
constexpr int kCheckSize = 16;
constexpr int kCheckLeft = 8;
constexpr int kCheckTop = 15;
constexpr int kColumnMargin = 20;
constexpr SIZE kMeterSize{69, 8};
constexpr UINT_PTR kSubclassId = 1;

UINT CheckStateBits(bool checked) { return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1); }

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

RECT Moved(RECT rect, int dx, int dy) {
    OffsetRect(&rect, dx, dy);
    return rect;
}
// The row a navigation key leads to from the focused one, as the list itself moves it; -1 for
// another key.
int NavigatedRow(WPARAM key, int focused, int top, int perPage, int count) {
    const int page = std::max(1, perPage);
    const int bottom = top + page - 1;
    int row = -1;
    switch (key) {
        case VK_DOWN: row = focused + 1; break;
        case VK_UP: row = focused - 1; break;
        case VK_NEXT: row = focused < bottom ? bottom : focused + page - 1; break;
        case VK_PRIOR: row = focused > top ? top : focused - page + 1; break;
        case VK_HOME: row = 0; break;
        case VK_END: row = count - 1; break;
        default: return -1;
    }
    return std::clamp(row, 0, count - 1);
}

}  // namespace

CheckMarkupList::~CheckMarkupList() {
    if (list_) RemoveWindowSubclass(list_, &CheckMarkupList::SubclassProcedure, kSubclassId);
}

void CheckMarkupList::Attach(HWND list, int rowHeight) {
    list_ = list;
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    ListView_InsertColumn(list_, 0, &column);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    rowHeight96_ = rowHeight;
    hand_ = static_cast<HCURSOR>(
        LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDC_HAND_CURSOR), IMAGE_CURSOR, 0, 0, LR_SHARED));
    SetWindowSubclass(list_, &CheckMarkupList::SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetDpi(WindowDpi(list_));
}

void CheckMarkupList::SetDpi(int dpi) {
    dpi_ = dpi;
    LoadPictures();
    FitColumnAndRows();
}

int CheckMarkupList::Scaled(int length) const { return ScaleForDpi(length, dpi_); }

void CheckMarkupList::LoadPictures() {
    meters_[0] = LoadPictureForDpi(IDB_METER_MODERATE, dpi_);
    meters_[1] = LoadPictureForDpi(IDB_METER_SEVERE, dpi_);
    meters_[2] = LoadPictureForDpi(IDB_METER_CRITICAL, dpi_);
    const SIZE meter = BitmapSize(meters_[0].get());
    meterSize_ = meter.cx > 0 ? meter : SIZE{Scaled(kMeterSize.cx), Scaled(kMeterSize.cy)};
    if (checkedId_ != 0) {
        checked_ = LoadPictureForDpi(checkedId_, dpi_);
        unchecked_ = LoadPictureForDpi(uncheckedId_, dpi_);
        checkPictures_ = checked_ && unchecked_;
    }
    // Measured again as the rows are drawn at the new size.
    checkRect_ = {};
    linkRect_ = {};
}

void CheckMarkupList::FitColumnAndRows() {
    RECT client{};
    GetClientRect(list_, &client);
    ListView_SetColumnWidth(list_, 0, client.right - client.left - Scaled(kColumnMargin));
    rowHeightPixels_ = Scaled(rowHeight96_);
    // The list lets go of the old image list before it is destroyed.
    UniqueImageList rowHeight = RowHeightImageList(rowHeightPixels_);
    SetSharedSmallImageList(list_, rowHeight.get());
    rowHeight_ = std::move(rowHeight);
    MeasureRowsAgain(list_);
}

void CheckMarkupList::SetCheckPictures(int checkedId, int uncheckedId) {
    checkedId_ = checkedId;
    uncheckedId_ = uncheckedId;
    LoadPictures();
}

void CheckMarkupList::ClearAll() {
    severities_.clear();
    if (rows_) {
        rows_ = nullptr;
        ListView_SetItemCountEx(list_, 0, 0);
        return;
    }
    ListView_DeleteAllItems(list_);
}

void CheckMarkupList::ShowRows(CheckRows& rows, int count) {
    severities_.clear();
    rows_ = &rows;
    ListView_SetCallbackMask(list_, LVIS_STATEIMAGEMASK);
    ListView_SetItemCountEx(list_, count, 0);
    RedrawRows();
}

// The dialogs are ANSI windows, so the list asks them in ANSI.
bool CheckMarkupList::FillDisplayInfo(NMHDR& header) const {
    if (!rows_ || header.hwndFrom != list_ || header.code != LVN_GETDISPINFOA) return false;
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA&>(header).item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        lstrcpynA(item.pszText, rows_->Markup(item.iItem).c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_STATE) item.state |= CheckStateBits(rows_->Checked(item.iItem));
    return true;
}

int CheckMarkupList::AddRow(const std::string& markup, void* data, bool checked) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    item.iItem = RowCount();
    item.pszText = const_cast<char*>(markup.c_str());
    item.lParam = reinterpret_cast<LPARAM>(data);
    item.state = CheckStateBits(checked);
    item.stateMask = LVIS_STATEIMAGEMASK;
    return static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int CheckMarkupList::RowCount() const { return ListView_GetItemCount(list_); }

void* CheckMarkupList::RowData(int row) const {
    if (rows_) return HasRow(row) ? rows_->Data(row) : nullptr;
    return reinterpret_cast<void*>(ListViewItemParam(list_, row));
}

bool CheckMarkupList::IsChecked(int row) const {
    if (rows_) return HasRow(row) && rows_->Checked(row);
    const UINT state = ListView_GetItemState(list_, row, LVIS_STATEIMAGEMASK);
    return (state >> 12) == 2;
}

void CheckMarkupList::SetChecked(int row, bool checked) {
    if (rows_ && !HasRow(row)) return;
    if (rows_) rows_->SetChecked(row, checked);
    else ListView_SetItemState(list_, row, CheckStateBits(checked), LVIS_STATEIMAGEMASK);
    ListView_RedrawItems(list_, row, row);
}

std::string CheckMarkupList::RowText(int row) const {
    if (rows_) return HasRow(row) ? rows_->Markup(row) : std::string();
    return ListViewItemText(list_, row, 0);
}

int CheckMarkupList::Severity(int row) const {
    const auto entry = severities_.find(row);
    return entry == severities_.end() ? 0 : entry->second;
}

bool CheckMarkupList::CheckStateChanged(const NMLISTVIEW& change) {
    if ((change.uChanged & LVIF_STATE) == 0) return false;
    return (change.uOldState & LVIS_STATEIMAGEMASK) != (change.uNewState & LVIS_STATEIMAGEMASK) &&
           (change.uNewState & LVIS_STATEIMAGEMASK) != 0;
}

void CheckMarkupList::DrawPicture(HDC dc, HBITMAP picture, int x, int y) const {
    BITMAP info{};
    if (!picture || !GetObjectA(picture, sizeof(info), &info)) return;
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    const SelectedObject selected(memory.get(), picture);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

// The keyboard's row: a dotted frame inside the grid lines.
void CheckMarkupList::DrawFocusFrame(HDC dc, const RECT& row) const {
    if (SendMessageA(list_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) return;
    RECT frame = row;
    InflateRect(&frame, -2, -2);
    const UniquePen dots(CreatePen(PS_DOT, 1, kFocusColour));
    const SelectedObject selectedPen(dc, dots.get());
    const SelectedObject selectedBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
}

void CheckMarkupList::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    const int row = static_cast<int>(item.itemID);
    const UniqueBrush fill(CreateSolidBrush((item.itemState & ODS_SELECTED) ? kSelectedFill : RGB(255, 255, 255)));
    FillRect(dc, &r, fill.get());
    const UniquePen pen(CreatePen(PS_SOLID, 1, kGridColour));
    const SelectedObject selectedPen(dc, pen.get());
    const SelectedObject selectedFont(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list_, WM_GETFONT, 0, 0)));
    MoveToEx(dc, r.left, r.top, nullptr);
    LineTo(dc, r.right - 1, r.top);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
    SetBkMode(dc, TRANSPARENT);
    // The list leaves its highlight text colour (white) in the context of a selected row, which
    // is not highlighted here: the text keeps the window's text colour.
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));

    RECT text = r;
    if (checkPictures_) {
        const int left = Scaled(kCheckLeft), top = Scaled(kCheckTop);
        DrawPicture(dc, IsChecked(row) ? checked_.get() : unchecked_.get(), r.left + left, r.top + top);
        checkRect_ = {left, top, left + Scaled(kCheckSize), top + Scaled(kCheckSize)};
        text.left = r.left + Scaled(kCheckSize + 20);
        text.top = r.top + Scaled(10);
    }
    DrawMarkupInRect(dc, text, RowText(row).c_str());
    if (item.itemState & ODS_FOCUS) DrawFocusFrame(dc, r);
    if (linkText_.empty()) return;

    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT link{};
    DrawTextA(dc, "View Details", -1, &link, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    link = Moved(link, r.left + Scaled(kCheckSize + 20), r.top + metrics.tmHeight + Scaled(24));
    link.bottom = r.bottom;
    DrawMarkupInRect(dc, link, linkText_.c_str());
    if (IsEmpty(linkRect_)) linkRect_ = Moved(link, -r.left, -r.top);

    const int severity = Severity(row);
    static const char* const kLabels[] = {"Moderate : ", "Severe : ", "Critical : "};
    if (severity < 0 || severity > 2) return;
    const int w = meterSize_.cx, h = meterSize_.cy;
    RECT label{r.right - 2 * w + Scaled(5), r.bottom - h - Scaled(9), r.right - w + Scaled(15), r.bottom - Scaled(4)};
    DrawTextA(dc, kLabels[severity], -1, &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    DrawPicture(dc, meters_[severity].get(), r.right - w - Scaled(10), r.bottom - h - Scaled(5));
}

bool CheckMarkupList::CursorOverLink() const {
    if (IsEmpty(linkRect_)) return false;
    const DWORD position = GetMessagePos();
    POINT cursor{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    const int count = RowCount();
    for (int row = ListView_GetTopIndex(list_); row >= 0 && row < count; ++row) {
        RECT bounds{};
        if (!ListView_GetItemRect(list_, row, &bounds, LVIR_BOUNDS)) break;
        RECT link = Moved(linkRect_, bounds.left, bounds.top);
        MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&link), 2);
        if (PtInRect(&link, cursor)) return true;
        RECT client{};
        GetClientRect(list_, &client);
        if (bounds.top > client.bottom) break;
    }
    return false;
}

void CheckMarkupList::OnLeftButtonDown(POINT point) {
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int row = ListView_HitTest(list_, &hit);
    if (row < 0) return;
    RECT bounds{};
    ListView_GetItemRect(list_, row, &bounds, LVIR_BOUNDS);
    const RECT check = Moved(checkRect_, bounds.left, bounds.top);
    const RECT link = Moved(linkRect_, bounds.left, bounds.top);
    if (!IsEmpty(checkRect_) && PtInRect(&check, point)) {
        SetChecked(row, !IsChecked(row));
    } else if (!IsEmpty(linkRect_) && PtInRect(&link, point)) {
        SendMessageA(GetParent(list_), WM_SHOW_DETAILS, reinterpret_cast<WPARAM>(RowData(row)), 0);
    }
}

void CheckMarkupList::ToggleFocusedRow() {
    const int row = FocusedRow();
    if (row < 0) return;
    SetChecked(row, !IsChecked(row));
    ListView_EnsureVisible(list_, row, FALSE);
}

int CheckMarkupList::FocusedRow() const { return ListView_GetNextItem(list_, -1, LVNI_FOCUSED); }

// A list entered with Tab has a row for Space to act on: the first, unless one has the focus
// already. Only the focus moves there; the selection stays the user's.
void CheckMarkupList::FocusFirstRowIfNone() {
    if (FocusedRow() >= 0 || RowCount() == 0) return;
    ListView_SetItemState(list_, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_EnsureVisible(list_, 0, FALSE);
}

// In a list of its owner's rows, the list first deselects every row one by one when the keyboard
// moves a single selection (so under Wine), a tenth of a second at 100,000 rows: a plain move of
// one selected row is made here instead, from row to row. Shift and Ctrl keep the list's own way.
bool CheckMarkupList::MoveSingleSelection(WPARAM key) {
    const int count = RowCount();
    if (!rows_ || count == 0 || ((GetKeyState(VK_SHIFT) | GetKeyState(VK_CONTROL)) & 0x8000)) return false;
    const int focused = FocusedRow();
    // The one selected row, if any, must be the focused one: finding another means a walk of all.
    const UINT selectedRows = ListView_GetSelectedCount(list_);
    const bool focusedSelected = focused >= 0 && (ListView_GetItemState(list_, focused, LVIS_SELECTED) != 0);
    if (selectedRows > 1 || (selectedRows == 1 && !focusedSelected)) return false;
    const int row =
        NavigatedRow(key, std::max(focused, 0), ListView_GetTopIndex(list_), ListView_GetCountPerPage(list_), count);
    if (row < 0) return false;
    constexpr UINT kChosen = LVIS_SELECTED | LVIS_FOCUSED;
    if (focused >= 0 && focused != row) ListView_SetItemState(list_, focused, 0, kChosen);
    ListView_SetItemState(list_, row, kChosen, kChosen);
    ListView_SetSelectionMark(list_, row);
    ListView_EnsureVisible(list_, row, FALSE);
    return true;
}

bool CheckMarkupList::OnKeyDown(WPARAM key) {
    if (MoveSingleSelection(key)) return true;
    if (key == VK_SPACE) {
        ToggleFocusedRow();
        return true;
    }
    if (key == VK_RETURN && !linkText_.empty()) {
        const int row = FocusedRow();
        if (row >= 0) SendMessageA(GetParent(list_), WM_SHOW_DETAILS, reinterpret_cast<WPARAM>(RowData(row)), 0);
        return true;
    }
    return false;
}

LRESULT CheckMarkupList::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            break;
        case WM_SETCURSOR:
            if (hand_ && CursorOverLink()) {
                SetCursor(hand_);
                return TRUE;
            }
            break;
        case WM_GETDLGCODE: {
            // Enter on a row with a link opens it instead of the dialog's default button.
            const LRESULT code = DefSubclassProc(window, message, wParam, lParam);
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            const bool opensLink = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN && !linkText_.empty();
            return opensLink ? code | DLGC_WANTMESSAGE : code;
        }
        case WM_KEYDOWN:
            if (wParam == VK_APPS) return 0;  // the menu opens as the key is released
            if (OnKeyDown(wParam)) return 0;
            break;
        case WM_KEYUP:
            // The menu key opens the parent's menu for the focused row, as Shift+F10 does; neither
            // half of it goes on to the list, so that the menu opens once.
            if (wParam != VK_APPS) break;
            SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), -1);
            return 0;
        case WM_CHAR:
            if (wParam == ' ') return 0;  // the space toggled a check box; it searches for no row
            break;
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            FocusFirstRowIfNone();
            return result;
        }
        case WM_VSCROLL:
        case WM_MOUSEWHEEL: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, TRUE);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &CheckMarkupList::SubclassProcedure, kSubclassId);
            list_ = nullptr;
            return DefSubclassProc(window, message, wParam, lParam);
        default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK CheckMarkupList::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                    DWORD_PTR self) noexcept {
    return AtBoundary(
        [&] { return reinterpret_cast<CheckMarkupList*>(self)->OnMessage(window, message, wParam, lParam); },
        [&] { return DefSubclassProc(window, message, wParam, lParam); });
}
