#pragma once
// A report list view with check boxes and full-row selection, whose rows carry a pointer to
// a record the caller owns.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

struct ListColumn {
    const char* caption;
    int width;  // pixels at 96 DPI
};

class CheckListView {
public:
    // Columns as wide as given at the list's DPI.
    void Attach(HWND list, const std::vector<ListColumn>& columns);
    // Column widths for another DPI.
    void SetDpi(int dpi);
    HWND Window() const { return list_; }

    // Appends an unchecked row; returns its index, -1 on failure.
    int AddRow(const std::vector<std::string>& cells, const void* data);
    void DeleteAllRows();
    int RowCount() const;
    const void* RowData(int row) const;
    std::string Text(int row, int column) const;
    bool IsChecked(int row) const;
    // Selects the row and gives it the focus, as a click would.
    void SelectRow(int row);

    // Whether an item-changed notification made its row the selected and focused one.
    static bool BecameSelected(const NMLISTVIEW& change);

private:
    HWND list_ = nullptr;
    std::vector<int> widths_;  // at 96 DPI
};
