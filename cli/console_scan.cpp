#include "cli/console_scan.h"

#include <nlohmann/json.hpp>

#include "cli/console_scan_session.h"
#include "cli/report_output.h"
#include "cli/scan_report.h"

int RunConsoleScan(const ConsoleScanSettings& settings) {
    const ScanCommand& command = settings.command;
    if (const int status = CheckReportPath(command, settings.err); status != kExitClean) return status;
    ConsoleScanSession session(command, settings.osName, *settings.interrupted,
                               command.PrintsTextReport() ? settings.out : nullptr, settings.settingsKeyPath);
    session.Run();
    const bool aborted = session.Aborted();
    if (command.PrintsTextReport()) {
        const std::string summary = TextSummary(session.Counters(), aborted);
        std::fwrite(summary.data(), 1, summary.size(), settings.out);
        std::fflush(settings.out);
    }
    const int status = aborted ? kExitAborted : session.Counters().totalProblems > 0 ? kExitProblemsFound : kExitClean;
    if (!command.NeedsDocument()) return status;
    return DeliverDocument(command, session.ReportJson(), "scan", status, settings.out, settings.err);
}
