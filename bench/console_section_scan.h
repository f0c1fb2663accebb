#pragma once
// One section scanned as `tidrex scan --sections N --no-log --quiet` scans it: the console's
// own session, host and scanners, without the report.
#include <atomic>
#include <string>

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
