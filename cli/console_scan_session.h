#pragma once
// One scan as the console runs it: the same engine, intake, scanners and log as the main
// window, a host without a window, and the problems kept for whoever runs the session.
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/preferences.h"
#include "app/scan_log.h"
#include "cli/buffered_scan_log.h"
#include "cli/console_scan_host.h"
#include "cli/progress_scan_host.h"
#include "cli/scan_command.h"
#include "cli/unreadable_keys.h"
#include "engine/data_scan_page.h"
#include "engine/problem_intake.h"
#include "engine/scan_driver.h"
#include "engine/section_table.h"
#include "scanners/scanner_set.h"

class ConsoleScanSession {
public:
    // textReport: where each filed problem and each section's end is printed as the text report
    // goes; none prints nothing. err: where each starting key that could not be opened for lack
    // of rights, and each chosen drive that is no fixed disk, is told. settingsKeyPath: the
    // program's settings (tests give their own). A progress line goes to a terminal's standard
    // error unless the command is quiet.
    ConsoleScanSession(const ScanCommand& command, const std::string& osName, std::atomic<bool>& interrupted,
                       std::FILE* textReport, std::FILE* err, const std::string& settingsKeyPath = kSettingsKeyPath);
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
    // The scan's page; with a text report it prints each filed problem as it comes and each
    // section's end as the scan leaves the section.
    class ReportingScanPage : public DataScanPage {
    public:
        explicit ReportingScanPage(std::FILE* textReport) : out_(textReport) {}
        void SetScanRowText(int row, int column, const std::string& text) override;
        void ProblemFiled(const ScanSection& section, const ProblemRecord& record);
        // Called before anything is printed (the progress line makes room).
        std::function<void()> beforePrint;

    private:
        void Print(const std::string& text);
        std::FILE* out_;
    };

    Preferences preferences_;
    SectionTable sections_;
    ScanLog scanLog_;
    BufferedScanLog bufferedLog_;
    NoScanLog noLog_;
    ScanLogWriter& log_;
    ReportingScanPage page_;
    ScanCounters counters_;
    ProblemIntake intake_;
    ConsoleScanHost host_;
    UnreadableKeys unreadable_;
    ConsoleProgress progress_;
    ScanEngine engine_;
    ScannerSet scanners_;
    ScanDriver driver_;
    std::FILE* err_;
};
