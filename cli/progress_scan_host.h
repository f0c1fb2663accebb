#pragma once
// The console scan's progress line on standard error: a scan host placed before the console's
// own host counts every examined item and, when the line is due, shows the section being scanned
// and the problems filed so far.
#include <optional>

#include "cli/progress_line.h"
#include "engine/data_scan_page.h"
#include "engine/scan_counters.h"
#include "engine/scan_host.h"

class ProgressScanHost : public ScanHost {
public:
    // clearBeforeProblems: problems are printed on the same terminal, so the line makes room first.
    ProgressScanHost(ScanHost& inner, ProgressLine& line, const DataScanPage& page, const ScanCounters& counters,
                     bool clearBeforeProblems);

    void ReportProblem(ProblemPtr problem) override;
    void ShowCurrentItem(const std::string& text) override;
    void PumpMessages() override { inner_.PumpMessages(); }
    void Pause(unsigned milliseconds) override { inner_.Pause(milliseconds); }
    void StartingKeyUnreadable(SectionId section, const std::string& keyName) override;
    void ShowFault(const std::string& text) override;

private:
    ScanHost& inner_;
    ProgressLine& line_;
    const DataScanPage& page_;
    const ScanCounters& counters_;
    const bool clearBeforeProblems_;
    long long items_ = 0;
    std::string section_;
};

// The line length of standard error when it is a console (a terminal); none when it is a file or
// a pipe, where no progress is shown.
std::optional<size_t> StandardErrorConsoleWidth();
bool StandardOutputIsConsole();

// The progress of one console scan: the line and the host that feeds it, or nothing at all.
class ConsoleProgress {
public:
    ConsoleProgress(ScanHost& consoleHost, const DataScanPage& page, const ScanCounters& counters, bool wanted,
                    bool problemsPrinted);
    // The host the scan engine reports to.
    ScanHost& Host() { return host_ ? static_cast<ScanHost&>(*host_) : consoleHost_; }
    // Blanks the line: before other text goes to the terminal, and before the report is written.
    void ClearLine();

private:
    ScanHost& consoleHost_;
    std::optional<ProgressLine> line_;
    std::optional<ProgressScanHost> host_;
};
