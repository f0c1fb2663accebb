#include "ui/main/section_status_list.h"

#include <commctrl.h>

#include <iterator>

#include "base/device_context.h"
#include "base/unique_handles.h"
#include "resources/resource_ids.h"
#include "ui/dpi_resources.h"
#include "ui/dpi_scale.h"
#include "ui/lists/list_view_items.h"

namespace {
constexpr COLORREF kGridColour = RGB(200, 200, 200);
constexpr COLORREF kCountColour = RGB(255, 0, 0);
constexpr int kNameIndent = 30;
constexpr int kPictureMargin = 2;
constexpr SIZE kPictureSize{20, 24};
constexpr int kColumnWidths[] = {200, 100, 100};

void InsertColumn(HWND list, int index, const char* title, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_CENTER;
    column.cx = width;
    column.pszText = const_cast<char*>(title);
    ListView_InsertColumn(list, index, &column);
}

void AddPicture(HIMAGELIST images, int resourceId, int dpi) {
    const UniqueBitmap picture = LoadPictureForDpi(resourceId, dpi);
    if (picture) ImageList_AddMasked(images, picture.get(), RGB(255, 255, 255));
}
}  // namespace

void SectionStatusList::Attach(HWND list) {
    list_ = list;
    countPacer_.Attach(list);
    InsertColumn(list_, 0, "Section", kColumnWidths[0]);
    InsertColumn(list_, 1, "Problems", kColumnWidths[1]);
    InsertColumn(list_, 2, "Status", kColumnWidths[2]);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    SetDpi(WindowDpi(list_));
}

void SectionStatusList::SetDpi(int dpi) {
    dpi_ = dpi;
    for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column)
        ListView_SetColumnWidth(list_, column, Scaled(kColumnWidths[column]));
    UniqueImageList images(
        ImageList_Create(Scaled(kPictureSize.cx), Scaled(kPictureSize.cy), ILC_COLOR32 | ILC_MASK, 3, 0));
    AddPicture(images.get(), IDB_STATUS_READY, dpi);
    AddPicture(images.get(), IDB_STATUS_SCANNING, dpi);
    AddPicture(images.get(), IDB_STATUS_FINISHED, dpi);
    // The list lets go of the old pictures before they are destroyed.
    SetSharedSmallImageList(list_, images.get());
    images_ = std::move(images);
    MeasureRowsAgain(list_);
}

int SectionStatusList::Scaled(int length) const { return ScaleForDpi(length, dpi_); }

void SectionStatusList::Clear() {
    countPacer_.Drop();
    pendingCounts_.clear();
    ListView_DeleteAllItems(list_);
}

int SectionStatusList::AddRow(const ScanSection& section) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = RowCount();
    item.pszText = const_cast<char*>(section.name.c_str());
    item.lParam = reinterpret_cast<LPARAM>(&section);
    item.iImage = 0;
    const int row = static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return row;
    SetItemText(row, kScanCountColumn, "0");
    SetItemText(row, kScanStatusColumn, "Ready");
    return row;
}

int SectionStatusList::RowCount() const { return ListView_GetItemCount(list_); }

const ScanSection* SectionStatusList::RowSection(int row) const {
    return reinterpret_cast<const ScanSection*>(ListViewItemParam(list_, row));
}

int SectionStatusList::RowOf(SectionId id) const {
    for (int row = 0; row < RowCount(); ++row) {
        const ScanSection* section = RowSection(row);
        if (section && section->id == id) return row;
    }
    return -1;
}

void SectionStatusList::SetText(int row, int column, const std::string& text) {
    if (column == kScanCountColumn) {
        pendingCounts_[row] = text;
        countPacer_.Request([this] { ShowCounts(); });
        return;
    }
    countPacer_.Flush();
    SetItemText(row, column, text);
}

void SectionStatusList::ShowCounts() {
    for (const auto& [row, count] : pendingCounts_) SetItemText(row, kScanCountColumn, count);
    pendingCounts_.clear();
}

void SectionStatusList::SetItemText(int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

std::string SectionStatusList::Text(int row, int column) const {
    if (column == kScanCountColumn) {
        const auto pending = pendingCounts_.find(row);
        if (pending != pendingCounts_.end()) return pending->second;
    }
    return ListViewItemText(list_, row, column);
}

void SectionStatusList::SetStatusImage(int image, int row) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    SendMessageA(list_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    ListView_RedrawItems(list_, row, row);
}

int SectionStatusList::StatusImage(int row) const {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    if (!SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return item.iImage;
}

void SectionStatusList::EnsureVisible(int row) { ListView_EnsureVisible(list_, row, FALSE); }

void SectionStatusList::DrawItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT& row = item.rcItem;
    const UniquePen pen(CreatePen(PS_SOLID, 1, kGridColour));
    const SelectedObject selectedPen(dc, pen.get());
    const SelectedObject selectedFont(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list_, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    // Rows are never highlighted, so a selected row keeps the window's text colour too.
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    // Drawn with its mask so the picture's white stays the row's white.
    ImageList_Draw(images_.get(), StatusImage(static_cast<int>(item.itemID)), dc, row.left + Scaled(kPictureMargin),
                   row.top + Scaled(kPictureMargin), ILD_TRANSPARENT);
    HWND header = ListView_GetHeader(list_);
    const int columns = Header_GetItemCount(header);
    for (int column = 0; column < columns; ++column) {
        RECT headerItem{};
        Header_GetItemRect(header, column, &headerItem);
        RECT cell{headerItem.left, row.top, headerItem.right, row.bottom};
        MoveToEx(dc, cell.left, cell.top, nullptr);
        LineTo(dc, cell.right - 1, cell.top);
        LineTo(dc, cell.right - 1, cell.bottom - 1);
        LineTo(dc, cell.left - 1, cell.bottom - 1);
        const std::string text = Text(static_cast<int>(item.itemID), column);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if (column == 0) {
            cell.left += Scaled(kNameIndent);
            DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell, format | DT_LEFT);
        } else if (column == kScanCountColumn) {
            const COLORREF previous = SetTextColor(dc, kCountColour);
            DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell, format | DT_CENTER);
            SetTextColor(dc, previous);
        } else {
            DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell, format | DT_CENTER);
        }
    }
}
