#pragma once
// The scan list of the scan page: one owner-drawn row per section taking part in the scan,
// with its name, problem count and status, and a status picture.
#include <windows.h>

#include <map>
#include <string>

#include "controls/paced_update.h"
#include "engine/section_table.h"
#include "ui/lists/image_list.h"

class SectionStatusList {
public:
    // Gives the list its columns, full-row selection and the three status pictures, at the
    // list's DPI.
    void Attach(HWND list);
    // Column widths and pictures for another DPI.
    void SetDpi(int dpi);
    HWND Window() const { return list_; }

    void Clear();
    int AddRow(const ScanSection& section);  // name, "0", "Ready", picture 0
    int RowCount() const;
    const ScanSection* RowSection(int row) const;
    // The row of the section; -1 when it has none.
    int RowOf(SectionId id) const;
    // A count (column 1) reaches the screen at most twenty times a second, always the latest;
    // setting another column of the list shows the counts first.
    void SetText(int row, int column, const std::string& text);
    std::string Text(int row, int column) const;
    void SetStatusImage(int image, int row);
    int StatusImage(int row) const;
    void EnsureVisible(int row);

    // The parent's WM_DRAWITEM for this list.
    void DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    void SetItemText(int row, int column, const std::string& text);
    void ShowCounts();
    int Scaled(int length) const;

    HWND list_ = nullptr;
    UniqueImageList images_;
    int dpi_ = 96;
    PacedUpdate countPacer_;
    std::map<int, std::string> pendingCounts_;  // by row
};

inline constexpr int kScanNameColumn = 0;
inline constexpr int kScanCountColumn = 1;
inline constexpr int kScanStatusColumn = 2;
inline constexpr int kStatusImageReady = 0;
inline constexpr int kStatusImageScanning = 1;
inline constexpr int kStatusImageFinished = 2;
