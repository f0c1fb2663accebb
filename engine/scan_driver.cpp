#include "engine/scan_driver.h"

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

ScanDriver::ScanDriver(SectionTable& sections, ScanEngine& engine, ScanOperations& operations, ScanLogWriter& log,
                       ScanCounters& counters, ScanEvents& events)
    : isWow64(IsWow64),
      sections_(sections),
      engine_(engine),
      operations_(operations),
      log_(log),
      counters_(counters),
      events_(events) {}

void ScanDriver::ScanNow() {
    // From the first instant: the start-up pumps below dispatch clicks, and a second
    // "Scan Now" among them must not start a scan inside this one.
    if (scanning_) return;
    const ScanningScope scope(scanning_);
    PrepareScan();
    StartScan();
}

void ScanDriver::StartOrAbortScan() {
    if (offersAbort_) {
        engine_.RequestAbort();
        return;
    }
    if (scanning_) return;
    const ScanningScope scope(scanning_);
    StartScan();
}

void ScanDriver::StartScan() {
    offersAbort_ = true;
    events_.ScanStarting();
    // An abort asked for while the caption paints (the button, a closing window) must hold.
    engine_.ResetRunning();
    for (int i = 0; i < 10; ++i) {
        engine_.Pause(10);
        engine_.Pump();  // lets the new caption paint
    }
    if (engine_.WasAborted()) {
        EndScan();  // nothing was scanned: no log, every section stays waiting
        return;
    }
    events_.ScanRunning();
    RunScan();
}

void ScanDriver::PrepareScan() {
    if (preparing) preparing();
    offersAbort_ = false;
    counters_ = {};
    sections_.ClearProblems();
    scanList_.clear();
    for (ScanSection& section : sections_.Sections()) {
        if (section.included) scanList_.push_back(&section);
    }
    events_.ScanPrepared(sections_);
}

bool ScanDriver::RunSection(ScanSection& section) {
    for (const OperationStep& step : SectionOperations(section.id)) {
        const bool result = operations_.Run(step.operation, engine_);
        if (step.tested && !result) {
            events_.SectionEnded(section, SectionEnd::Aborted, section.ProblemCount());
            return false;
        }
    }
    events_.SectionEnded(section, SectionEnd::Done, section.ProblemCount());
    return true;
}

void ScanDriver::RunScan() {
    {
        const FsRedirectionOff redirection(isWow64 && isWow64());
        const DriveTypeMemo driveTypes;
        log_.StartLog();
        for (ScanSection* section : scanList_) {
            // The startup programs are shown by their manager, not scanned.
            const bool scanned = section->id != kStartupProgramsSection;
            if (scanned && SectionOperations(section->id).empty()) continue;
            events_.SectionStarted(*section);
            if (!scanned) {
                events_.SectionEnded(*section, SectionEnd::Done, section->ProblemCount());
                continue;
            }
            if (!RunSection(*section)) break;
        }
    }
    log_.EndLog();
    EndScan();
}

void ScanDriver::EndScan() {
    const bool tick = readSelectAll() != 0;
    for (ScanSection* section : scanList_) section->TickAll(tick);
    events_.ScanEnded(sections_, counters_, engine_.WasAborted());
}
