#include "cli/console_scan.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "app/preferences.h"
#include "app/scan_log.h"
#include "cli/ansi_text.h"
#include "cli/console_scan_host.h"
#include "cli/fixed_disks.h"
#include "cli/progress_scan_host.h"
#include "cli/scan_report.h"
#include "engine/data_scan_page.h"
#include "engine/problem_intake.h"
#include "engine/scan_driver.h"
#include "scanners/scanner_set.h"

namespace {
// Prints every filed problem as its log text while passing it on to the scan log.
class PrintingLog : public ScanLogWriter {
public:
    PrintingLog(ScanLogWriter& next, std::FILE* out) : next_(next), out_(out) {}
    bool StartLog() override { return next_.StartLog(); }
    void AppendLine(const std::string& text) override {
        std::fwrite(text.data(), 1, text.size(), out_);
        std::fflush(out_);
        next_.AppendLine(text);
    }
    void EndLog() override { next_.EndLog(); }

private:
    ScanLogWriter& next_;
    std::FILE* out_;
};

int32_t IncludedBy(const ScanCommand& command, const Preferences& preferences, SectionId id) {
    switch (command.selection) {
        case ScanCommand::Selection::All: return 1;
        case ScanCommand::Selection::Listed:
            return std::find(command.sections.begin(), command.sections.end(), id) != command.sections.end() ? 1 : 0;
        case ScanCommand::Selection::Preferences: break;
    }
    return preferences.ReadSectionState(id) ? 1 : 0;
}
}  // namespace

int RunConsoleScan(const ConsoleScanSettings& settings) {
    const ScanCommand& command = settings.command;
    const Preferences preferences;
    if (command.selection == ScanCommand::Selection::Preferences && preferences.IsFirstRun()) {
        preferences.ResetSettings();
    }
    SectionTable sections([&](SectionId id) { return IncludedBy(command, preferences, id); });

    ScanLog scanLog(preferences, settings.osName);
    NoScanLog noLog;
    ScanLogWriter& fileLog = command.writeLog ? static_cast<ScanLogWriter&>(scanLog) : noLog;
    PrintingLog printingLog(fileLog, settings.out);
    ScanLogWriter& log = command.json ? fileLog : printingLog;

    DataScanPage page;
    ScanCounters counters;
    ProblemIntake intake(page, counters, log);
    ConsoleScanHost host(intake, *settings.interrupted);
    ConsoleProgress progress(host, page, counters, !command.quiet, !command.json);
    ScanEngine engine(progress.Host());
    host.Attach(engine);
    ScannerSet scanners;
    scanners.shortcutDrives = command.drives;
    std::fputs(NotFixedDiskWarnings(command.drives).c_str(), stderr);
    ScanDriver driver(sections, engine, page, scanners, log, counters);
    driver.readSelectAll = [&] { return preferences.ReadSelectAll(); };
    driver.ScanNow();
    progress.Finish();

    const bool aborted = engine.WasAborted();
    const std::string report =
        command.json ? JsonReport(page, counters, aborted, AnsiToUtf8) : TextSummary(counters, aborted);
    std::fwrite(report.data(), 1, report.size(), settings.out);
    std::fflush(settings.out);
    if (aborted) return kExitAborted;
    return counters.totalProblems > 0 ? kExitProblemsFound : kExitClean;
}
