#pragma once
// One section scanned as `tidrex scan --sections N --no-log --quiet` scans it: the console's
// own session, host and scanners, without the report. And the scan of a section table through
// the console's host with a scan log of the caller's, for comparing hosts or logs on one footing.
#include <atomic>
#include <string>

#include "bench/stopwatch.h"
#include "cli/console_scan_session.h"

inline long long ConsoleSectionScan(SectionId section, const std::string& drives = {}) {
    ScanCommand command;
    command.selection = ScanCommand::Selection::Listed;
    command.sections = {section};
    command.writeLog = false;
    command.quiet = true;
    command.drives = drives;
    std::atomic<bool> interrupted{false};
    ConsoleScanSession session(command, "Windows 10", interrupted, nullptr, nullptr);
    session.Run();
    return session.Counters().totalProblems;
}

struct HostScanRun {
    double seconds = 0;  // the driver's scan alone
    int problems = 0;
};

// The sections included by includedOf, scanned by the program's scan session through the console's host.
inline HostScanRun ConsoleHostScan(const std::function<int32_t(SectionId)>& includedOf, ScanLogWriter& log) {
    std::atomic<bool> interrupted{false};
    ConsoleScanHost host(interrupted);
    ScanEvents silent;
    ScanSession session(includedOf, host, silent, log);
    host.Attach(session.Engine(), session.Intake());
    const auto start = std::chrono::steady_clock::now();
    session.Driver().ScanNow();
    return {SecondsSince(start), session.Counters().totalProblems};
}
