#pragma once
// One scan as the console runs it: the same engine, intake, scanners and log as the main
// window, a host without a window, and the problems kept for whoever runs the session.
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "app/preferences.h"
#include "app/scan_log.h"
#include "cli/command_line.h"
#include "cli/console_scan_host.h"
#include "cli/unreadable_keys.h"
#include "engine/data_scan_page.h"
#include "engine/problem_intake.h"
#include "engine/scan_driver.h"
#include "engine/section_table.h"
#include "scanners/scanner_set.h"

class ConsoleScanSession {
public:
    // printTo: where each filed problem is printed as its log text; none prints nothing.
    // err: where each starting key that could not be opened for lack of rights is told.
    ConsoleScanSession(const ScanCommand& command, const std::string& osName, std::atomic<bool>& interrupted,
                       std::FILE* printTo, std::FILE* err);
    ConsoleScanSession(const ConsoleScanSession&) = delete;
    ConsoleScanSession& operator=(const ConsoleScanSession&) = delete;

    void Run();

    bool Aborted() const { return engine_.WasAborted(); }
    const DataScanPage& Page() const { return page_; }
    const ScanCounters& Counters() const { return counters_; }
    const UnreadableKeys& Unreadable() const { return unreadable_; }
    // Every filed problem, section by section in the list's order.
    std::vector<const ProblemRecord*> Problems() const;

private:
    // Prints every filed problem as its log text while passing it on to the scan log.
    class PrintingLog : public ScanLogWriter {
    public:
        PrintingLog(ScanLogWriter& next, std::FILE* out) : next_(next), out_(out) {}
        bool StartLog() override { return next_.StartLog(); }
        void AppendLine(const std::string& text) override;
        void EndLog() override { next_.EndLog(); }

    private:
        ScanLogWriter& next_;
        std::FILE* out_;
    };

    Preferences preferences_;
    SectionTable sections_;
    ScanLog scanLog_;
    NoScanLog noLog_;
    PrintingLog printingLog_;
    DataScanPage page_;
    ScanCounters counters_;
    ProblemIntake intake_;
    ConsoleScanHost host_;
    UnreadableKeys unreadable_;
    ScanEngine engine_;
    ScannerSet scanners_;
    ScanDriver driver_;
};
