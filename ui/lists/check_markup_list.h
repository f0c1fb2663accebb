#pragma once
// An owner-drawn list whose rows are markup texts with a check box, and optionally a
// "View Details" link, a severity label and a severity meter. The rows are the list's own
// (AddRow), or, for a list created with LVS_OWNERDATA, its owner's (ShowRows), drawn on demand.
#include <windows.h>

#include <map>
#include <string>

#include "base/unique_handles.h"
#include "ui/lists/check_rows.h"
#include "ui/lists/image_list.h"

class CheckMarkupList {
public:
    CheckMarkupList() = default;
    CheckMarkupList(const CheckMarkupList&) = delete;
    CheckMarkupList& operator=(const CheckMarkupList&) = delete;
    ~CheckMarkupList();

    // One column as wide as the client area less 20 pixels, no header, full-row selection,
    // rows of the given height, and the severity meters; sizes in 96-DPI pixels, drawn at the
    // list's DPI.
    void Attach(HWND list, int rowHeight);
    // Sizes, rows and pictures for another DPI (the window moved to another monitor).
    void SetDpi(int dpi);
    HWND Window() const { return list_; }

    // Check boxes are drawn only when both pictures load.
    void SetCheckPictures(int checkedId, int uncheckedId);
    void SetLinkText(const std::string& markup) { linkText_ = markup; }
    void SetSeverity(int row, int severity) { severities_[row] = severity; }
    // Empties the severity table, then deletes every row (forgets the owner's rows).
    void ClearAll();
    // The owner's rows, count of them, replacing any shown before; the list keeps only which
    // rows are selected and focused.
    void ShowRows(CheckRows& rows, int count);
    // Draws the visible rows again, after the owner changed their data.
    void RedrawRows() const { InvalidateRect(list_, nullptr, FALSE); }
    // The parent's LVN_GETDISPINFO for this list: an owner's row's text and check state, as
    // LVM_GETITEMTEXT and LVM_GETITEMSTATE read them (screen readers, tests). False for another
    // notification.
    bool FillDisplayInfo(NMHDR& header) const;

    int AddRow(const std::string& markup, void* data, bool checked);
    int RowCount() const;
    bool HasRow(int row) const { return row >= 0 && row < RowCount(); }
    void* RowData(int row) const;
    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);
    std::string RowText(int row) const;
    int Severity(int row) const;

    // Relative to a row's top-left corner; empty until drawn.
    const RECT& CheckBoxRect() const { return checkRect_; }
    const RECT& LinkRect() const { return linkRect_; }

    // The parent's WM_MEASUREITEM and WM_DRAWITEM for this list. The list asks for 50-pixel
    // rows until it is attached; then for the height it was attached with, which Wine takes
    // from here rather than from the row-height image list.
    void MeasureItem(MEASUREITEMSTRUCT& item) const { item.itemHeight = rowHeightPixels_; }
    void DrawItem(const DRAWITEMSTRUCT& item);

    // Whether an item-changed notification changed a row's check state.
    static bool CheckStateChanged(const NMLISTVIEW& change);

private:
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR self) noexcept;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnLeftButtonDown(POINT point);
    bool OnKeyDown(WPARAM key);
    bool MoveSingleSelection(WPARAM key);
    int FocusedRow() const;
    void FocusFirstRowIfNone();
    void ToggleFocusedRow();
    void DrawFocusFrame(HDC dc, const RECT& row) const;
    bool CursorOverLink() const;
    void DrawPicture(HDC dc, HBITMAP picture, int x, int y) const;
    int Scaled(int length) const;
    void LoadPictures();
    void FitColumnAndRows();

    HWND list_ = nullptr;
    UniqueImageList rowHeight_;
    int rowHeightPixels_ = 50;
    int rowHeight96_ = 50;
    int dpi_ = 96;
    int checkedId_ = 0, uncheckedId_ = 0;
    UniqueBitmap checked_, unchecked_;
    bool checkPictures_ = false;
    UniqueBitmap meters_[3];
    SIZE meterSize_{69, 8};
    HCURSOR hand_ = nullptr;  // shared resource cursor, never destroyed
    std::string linkText_;
    RECT checkRect_{};
    RECT linkRect_{};
    std::map<int, int> severities_;
    CheckRows* rows_ = nullptr;
};

inline constexpr const char* kViewDetailsLink = "<font color=\"#0000FF\"><u>View Details</u></font>";
