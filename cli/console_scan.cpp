#include "cli/console_scan.h"

#include "cli/ansi_text.h"
#include "cli/console_scan_session.h"
#include "cli/scan_report.h"

int RunConsoleScan(const ConsoleScanSettings& settings) {
    const ScanCommand& command = settings.command;
    ConsoleScanSession session(command, settings.osName, *settings.interrupted, command.json ? nullptr : settings.out,
                               settings.err, settings.settingsKeyPath);
    session.Run();
    const bool aborted = session.Aborted();
    const std::string report = command.json ? JsonReport(session.ScannedSections(), session.Counters(), aborted,
                                                         AnsiToUtf8, &session.Unreadable())
                                            : TextSummary(session.Counters(), aborted);
    std::fwrite(report.data(), 1, report.size(), settings.out);
    std::fflush(settings.out);
    if (aborted) return kExitAborted;
    return session.Counters().totalProblems > 0 ? kExitProblemsFound : kExitClean;
}
