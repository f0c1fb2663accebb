#pragma once
// The console scan's progress line on standard error: a scan host placed before the console's
// own host counts every examined item and, when the line is due, shows the section being scanned
// and the problems filed so far.
#include <optional>

#include "cli/progress_line.h"
#include "engine/scan_host.h"

class ProgressScanHost : public ScanHost {
public:
    ProgressScanHost(ScanHost& inner, ProgressLine& line) : inner_(inner), line_(line) {}

    void SectionStarted(const std::string& name) { section_ = name; }
    void ProblemsFiled(int total) { problems_ = total; }

    void ReportProblem(ProblemPtr problem) override { inner_.ReportProblem(std::move(problem)); }
    void ShowCurrentItem(const std::string& text) override;
    void PumpMessages() override { inner_.PumpMessages(); }
    void Pause(unsigned milliseconds) override { inner_.Pause(milliseconds); }
    void StartingKeyUnreadable(SectionId section, const std::string& keyName) override;
    void ShowFault(const std::string& text) override;

private:
    ScanHost& inner_;
    ProgressLine& line_;
    long long items_ = 0;
    int problems_ = 0;
    std::string section_;
};

// The line length of standard error when it is a console (a terminal); none when it is a file or
// a pipe, where no progress is shown.
std::optional<size_t> StandardErrorConsoleWidth();

// The progress of one console scan: the line and the host that feeds it, or nothing at all.
class ConsoleProgress {
public:
    ConsoleProgress(ScanHost& consoleHost, bool wanted);
    // The host the scan engine reports to.
    ScanHost& Host() { return host_ ? static_cast<ScanHost&>(*host_) : consoleHost_; }
    void SectionStarted(const std::string& name) {
        if (host_) host_->SectionStarted(name);
    }
    void ProblemsFiled(int total) {
        if (host_) host_->ProblemsFiled(total);
    }
    // Blanks the line: before other text goes to the terminal, and before the report is written.
    void ClearLine();

private:
    ScanHost& consoleHost_;
    std::optional<ProgressLine> line_;
    std::optional<ProgressScanHost> host_;
};
