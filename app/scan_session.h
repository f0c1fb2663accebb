#pragma once
// One scan as every front end runs it: the section table, the engine, the driver, the intake and
// the scanners wired together. The front end brings its host (where problems and the current
// item go), the events it shows and its scan log.
#include <cstdint>
#include <functional>

#include "engine/ignore_rules.h"
#include "engine/problem_intake.h"
#include "engine/scan_driver.h"
#include "engine/scan_engine.h"
#include "engine/scan_events.h"
#include "engine/section_table.h"
#include "scanners/scanner_set.h"

class ScanSession {
public:
    // includedOf: each section's choice; operations: none runs the program's scanners.
    ScanSession(const std::function<int32_t(SectionId)>& includedOf, ScanHost& host, ScanEvents& events,
                ScanLogWriter& log, ScanOperations* operations = nullptr);
    ScanSession(const ScanSession&) = delete;
    ScanSession& operator=(const ScanSession&) = delete;

    const SectionTable& Sections() const { return sections_; }
    // The sections' choices and ticks are the program's to change between scans.
    SectionTable& Sections() { return sections_; }
    const ScanCounters& Counters() const { return counters_; }
    ScanEngine& Engine() { return engine_; }
    const ScanEngine& Engine() const { return engine_; }
    ScanDriver& Driver() { return driver_; }
    ProblemIntake& Intake() { return intake_; }
    ScannerSet& Scanners() { return scanners_; }

    // The user's ignore list, read once as each scan is prepared; none: nothing is ignored.
    std::function<IgnoreList()> readIgnoreList;
    // Takes the problems the newly ignored rules hold out of the last scan's sections and totals;
    // returns how many.
    int Ignore(const IgnoreList& added);

private:
    SectionTable sections_;
    ScanCounters counters_;
    ScanEngine engine_;
    ScannerSet scanners_;
    ScanDriver driver_;
    ProblemIntake intake_;
};
