#include "cli/console_scan.h"

#include <windows.h>

#include <algorithm>

#include "app/preferences.h"
#include "app/scan_log.h"
#include "cli/ansi_text.h"
#include "cli/buffered_scan_log.h"
#include "cli/console_scan_host.h"
#include "cli/scan_report.h"
#include "engine/data_scan_page.h"
#include "engine/problem_intake.h"
#include "engine/scan_driver.h"
#include "scanners/scanner_set.h"

namespace {
// The scan's page; with a text report it prints each filed problem as it comes and each
// section's end as the scan leaves the section.
class ReportingScanPage : public DataScanPage {
public:
    explicit ReportingScanPage(std::FILE* textReport) : out_(textReport) {}

    void SetScanRowText(int row, int column, const std::string& text) override {
        DataScanPage::SetScanRowText(row, column, text);
        if (column == kScanStatusColumn && (text == kScanFinishedText || text == kScanAbortedText)) {
            Print(SectionEndText(*rows.at(row).section));
        }
    }
    void ProblemFiled(const ScanSection& section, const ProblemRecord& record) {
        Print(ProblemReportText(section, record));
    }

private:
    void Print(const std::string& text) {
        if (out_ != nullptr) std::fwrite(text.data(), 1, text.size(), out_);
    }

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
    const Preferences preferences(settings.settingsKeyPath);
    if (command.selection == ScanCommand::Selection::Preferences && preferences.IsFirstRun()) {
        preferences.ResetSettings();
    }
    SectionTable sections([&](SectionId id) { return IncludedBy(command, preferences, id); });

    ScanLog scanLog(preferences, settings.osName);
    BufferedScanLog bufferedLog(scanLog);
    NoScanLog noLog;
    ScanLogWriter& log = command.writeLog ? static_cast<ScanLogWriter&>(bufferedLog) : noLog;

    ReportingScanPage page(command.json ? nullptr : settings.out);
    ScanCounters counters;
    ProblemIntake intake(page, counters, log);
    ConsoleScanHost host(intake, *settings.interrupted);
    host.onFiled = [&](const ScanSection& section, const ProblemRecord& record) { page.ProblemFiled(section, record); };
    host.betweenItems = [&] { bufferedLog.FlushIfDue(); };
    // The tick count is read from memory; the precise clock asks the system, twice per item.
    bufferedLog.now = [] { return std::chrono::milliseconds(GetTickCount64()); };
    ScanEngine engine(host);
    host.Attach(engine);
    ScannerSet scanners;
    ScanDriver driver(sections, engine, page, scanners, log, counters);
    driver.readSelectAll = [&] { return preferences.ReadSelectAll(); };
    driver.ScanNow();

    const bool aborted = engine.WasAborted();
    const std::string report =
        command.json ? JsonReport(page, counters, aborted, AnsiToUtf8) : TextSummary(counters, aborted);
    std::fwrite(report.data(), 1, report.size(), settings.out);
    std::fflush(settings.out);
    if (aborted) return kExitAborted;
    return counters.totalProblems > 0 ? kExitProblemsFound : kExitClean;
}
