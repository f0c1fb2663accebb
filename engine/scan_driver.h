#pragma once
// Runs the scan operations of the included sections in table order, honours "Abort", and tells
// the program that shows the scan what happens as it happens.
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/scan_counters.h"
#include "engine/scan_engine.h"
#include "engine/scan_events.h"
#include "engine/scan_log_writer.h"
#include "engine/scan_operations.h"
#include "engine/section_table.h"

class ScanDriver {
public:
    ScanDriver(SectionTable& sections, ScanEngine& engine, ScanOperations& operations, ScanLogWriter& log,
               ScanCounters& counters, ScanEvents& events);

    // The "Scan Now" command: prepares the scan and starts it at once. Ignored while a scan is
    // under way, from its first instant to the end of its results.
    void ScanNow();
    // The Start/Abort button: once a scan has started it offers "Abort" and asks the running
    // scan to stop; before that it starts the prepared scan.
    void StartOrAbortScan();
    // Frees every kept problem, resets the counters and lists the included sections.
    void PrepareScan();

    bool IsScanning() const { return scanning_; }
    bool OffersAbort() const { return offersAbort_; }
    // The sections of the current (or last) scan, in table order.
    const std::vector<ScanSection*>& ScanList() const { return scanList_; }

    // Reads "Select All Errors After Scan"; the preferences supply it.
    std::function<int32_t()> readSelectAll = [] { return 0; };
    // Runs as each scan is prepared, before its sections are listed: what a scan reads once.
    std::function<void()> preparing;
    // Whether the process runs under WOW64, where redirection is switched off around the scan.
    std::function<bool()> isWow64;

private:
    // Offers "Abort", lets it paint, and runs the scan unless an abort came meanwhile.
    void StartScan();
    // Walks the scan list; the running flag was set when the scan started.
    void RunScan();
    void EndScan();
    // Runs the section's steps; false when a tested step ended the scan.
    bool RunSection(ScanSection& section);

    SectionTable& sections_;
    ScanEngine& engine_;
    ScanOperations& operations_;
    ScanLogWriter& log_;
    ScanCounters& counters_;
    ScanEvents& events_;
    std::vector<ScanSection*> scanList_;
    bool scanning_ = false;
    bool offersAbort_ = false;
};
