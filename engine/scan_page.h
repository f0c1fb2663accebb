#pragma once
// The controls of the scan and results pages as the scan driver and the intake see them.
// The main window implements it with its controls; the console front end and the tests
// implement it with plain data.
#include <string>

#include "engine/section_table.h"

class ScanPage {
public:
    virtual ~ScanPage() = default;

    // The scan list: one row per included section; columns 0 name, 1 count, 2 status.
    virtual void ClearScanList() = 0;
    virtual int AddScanRow(ScanSection& section) = 0;  // returns the row index
    virtual int ScanRowCount() const = 0;
    virtual ScanSection* ScanRowSection(int row) const = 0;
    virtual void SetScanRowText(int row, int column, const std::string& text) = 0;
    virtual void SetStatusImage(int row, int image) = 0;
    virtual void EnsureScanRowVisible(int row) = 0;

    virtual void ShowTotalProblems(const std::string& text) = 0;
    virtual void ShowAffectedSections(const std::string& text) = 0;
    virtual void ShowStatus(const std::string& text) = 0;
    virtual std::string StartButtonCaption() const = 0;
    virtual void SetStartButtonCaption(const std::string& caption) = 0;
    virtual void ShowAnimation(bool visible) = 0;
    virtual void ShowScanPage() = 0;
    virtual void HideAllPages() = 0;
    // Modal: returns when the user has closed it.
    virtual void ShowEndMessage(const std::string& text) = 0;

    // The results page.
    virtual void ClearResults() = 0;
    virtual void AddResultRow(ScanSection& section, const std::string& markup, bool checked) = 0;
    virtual void ShowResultsTotal(const std::string& text) = 0;
    virtual void ShowResultsPage(bool visible) = 0;
};

inline constexpr int kScanNameColumn = 0;
inline constexpr int kScanCountColumn = 1;
inline constexpr int kScanStatusColumn = 2;
inline constexpr int kStatusImageReady = 0;
inline constexpr int kStatusImageScanning = 1;
inline constexpr int kStatusImageFinished = 2;
// The status column's texts for a section whose scan has ended.
inline constexpr const char* kScanFinishedText = "Finished";
inline constexpr const char* kScanAbortedText = "Aborted";
