#pragma once
// Runs the scan operations of the included sections in table order, keeps the scan list
// up to date, honours "Abort", and fills the results list at the end.
#include <cstdint>
#include <functional>

#include "engine/scan_counters.h"
#include "engine/scan_engine.h"
#include "engine/scan_log_writer.h"
#include "engine/scan_operations.h"
#include "engine/scan_page.h"
#include "engine/section_table.h"

class ScanDriver {
public:
    ScanDriver(SectionTable& sections, ScanEngine& engine, ScanPage& page, ScanOperations& operations,
               ScanLogWriter& log, ScanCounters& counters);

    // The "Scan Now" command: prepares the scan list and starts the scan at once. Ignored while
    // a scan is under way, from its first instant to the end of its results.
    void ScanNow();
    // The Start/Abort button: asks the running scan to stop while the caption reads "Abort".
    void StartOrAbortScan();
    void PrepareScan();
    void ResetScanList();
    void ShowResults();

    bool IsScanning() const { return scanning_; }

    // Reads "Select All Errors After Scan"; the preferences supply it.
    std::function<int32_t()> readSelectAll = [] { return 0; };
    // Whether the process runs under WOW64, where redirection is switched off around the scan.
    std::function<bool()> isWow64;

private:
    // Sets the "Abort" caption, lets it paint, and runs the scan unless an abort came meanwhile.
    void StartScan();
    // Walks the scan list; the running flag was set when the scan started.
    void RunScan();
    // The end message and the results page.
    void EndScan();
    // Runs the section's steps; false when a tested step ended the scan.
    bool ScanSectionRow(int row, ScanSection& section);
    void ShowCounters();

    SectionTable& sections_;
    ScanEngine& engine_;
    ScanPage& page_;
    ScanOperations& operations_;
    ScanLogWriter& log_;
    ScanCounters& counters_;
    bool scanning_ = false;
};
