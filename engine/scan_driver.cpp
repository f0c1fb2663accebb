#include "engine/scan_driver.h"

#include <windows.h>

#include "base/text_format.h"
#include "engine/wow64.h"
#include "registry/drive_types.h"

namespace {
// Marks a scan as under way for one scope, also when the scan ends by an exception.
class ScanningScope {
public:
    explicit ScanningScope(bool& scanning) : scanning_(scanning) { scanning_ = true; }
    ScanningScope(const ScanningScope&) = delete;
    ScanningScope& operator=(const ScanningScope&) = delete;
    ~ScanningScope() { scanning_ = false; }

private:
    bool& scanning_;
};
}  // namespace

ScanDriver::ScanDriver(SectionTable& sections, ScanEngine& engine, ScanPage& page, ScanOperations& operations,
                       ScanLogWriter& log, ScanCounters& counters)
    : isWow64(IsWow64),
      sections_(sections),
      engine_(engine),
      page_(page),
      operations_(operations),
      log_(log),
      counters_(counters) {}

void ScanDriver::ScanNow() {
    // From the first instant: the start-up pumps below dispatch clicks, and a second
    // "Scan Now" among them must not start a scan inside this one.
    if (scanning_) return;
    const ScanningScope scope(scanning_);
    page_.HideAllPages();
    PrepareScan();
    page_.ShowScanPage();
    page_.ShowAnimation(false);
    page_.ShowStatus("Press Start to begin system scan");
    page_.SetStartButtonCaption("Start Scan");
    StartScan();
}

void ScanDriver::StartOrAbortScan() {
    if (page_.StartButtonCaption().find("Abort") != std::string::npos) {
        engine_.RequestAbort();
        return;
    }
    if (scanning_) return;
    const ScanningScope scope(scanning_);
    StartScan();
}

void ScanDriver::StartScan() {
    page_.SetStartButtonCaption("Abort");
    // An abort asked for while the caption paints (the button, a closing window) must hold.
    engine_.ResetRunning();
    for (int i = 0; i < 10; ++i) {
        engine_.Pause(10);
        engine_.Pump();  // lets the new caption paint
    }
    if (engine_.WasAborted()) {
        EndScan();  // nothing was scanned: no log, every row stays "Ready"
        return;
    }
    page_.ShowAnimation(true);
    RunScan();
}

void ScanDriver::ShowCounters() {
    page_.ShowTotalProblems(Format("Total Problems : %d", counters_.totalProblems));
    page_.ShowAffectedSections(Format("Affected Sections : %d", counters_.affectedSections));
}

void ScanDriver::PrepareScan() {
    counters_ = {};
    ShowCounters();
    ResetScanList();
    page_.ShowStatus("Preparing to Scan");
    sections_.ClearProblems();
}

void ScanDriver::ResetScanList() {
    page_.ClearScanList();
    for (ScanSection& section : sections_.Sections()) {
        if (section.included) section.scanRow = page_.AddScanRow(section);
    }
}

bool ScanDriver::ScanSectionRow(int row, ScanSection& section) {
    page_.SetStatusImage(row, kStatusImageScanning);
    page_.SetScanRowText(row, kScanStatusColumn, "Scanning");
    for (const OperationStep& step : SectionOperations(section.id)) {
        const bool result = operations_.Run(step.operation, engine_);
        if (step.tested && !result) {
            page_.SetScanRowText(row, kScanStatusColumn, kScanAbortedText);
            return false;
        }
    }
    page_.SetScanRowText(row, kScanStatusColumn, kScanFinishedText);
    page_.SetStatusImage(row, kStatusImageFinished);
    return true;
}

void ScanDriver::RunScan() {
    {
        const FsRedirectionOff redirection(isWow64 && isWow64());
        const DriveTypeMemo driveTypes;
        log_.StartLog();
        // The row count is read on every pass: rows belong to the page, not to this loop.
        for (int row = 0; row < page_.ScanRowCount(); ++row) {
            ScanSection* section = page_.ScanRowSection(row);
            if (section == nullptr) continue;
            page_.EnsureScanRowVisible(section->scanRow);
            if (section->id == kStartupProgramsSection) {
                page_.SetStatusImage(row, kStatusImageScanning);
                page_.SetScanRowText(row, kScanStatusColumn, kScanFinishedText);
                page_.SetStatusImage(row, kStatusImageFinished);
                continue;
            }
            if (SectionOperations(section->id).empty()) continue;
            if (!ScanSectionRow(row, *section)) break;
        }
    }
    log_.EndLog();
    EndScan();
}

void ScanDriver::EndScan() {
    page_.ShowAnimation(false);
    const std::string endText = engine_.WasAborted() ? "Scan Aborted" : "Scan Complete";
    page_.ShowStatus(endText);
    page_.ShowEndMessage(endText);
    page_.HideAllPages();
    ShowResults();
}

void ScanDriver::ShowResults() {
    page_.ClearResults();
    const int32_t selectAll = readSelectAll() ? 1 : 0;
    for (ScanSection& section : sections_.Sections()) {
        if (!section.included || section.problems.empty()) continue;
        const std::string markup =
            Format("<b>Section Name : %s</b><br><font color=\"#FF0000\">Problems Found : %d</font>",
                   section.name.c_str(), section.ProblemCount());
        page_.AddResultRow(section, markup, selectAll != 0);
        section.SetCheckedForRemoval(selectAll);
    }
    page_.ShowResultsTotal(Format("Total Problems : %d", counters_.totalProblems));
    page_.ShowResultsPage(true);
}
