#pragma once
// Files each problem a scan operation hands over: drops the excluded ones, the system's own
// settings and the ones the user's ignore list holds, judges the risk of the rest, counts them,
// puts them under their section, writes the log line and tells the program that shows the scan.
#include <string>
#include <utility>
#include <vector>

#include "engine/ignore_rules.h"
#include "engine/scan_counters.h"
#include "engine/scan_events.h"
#include "engine/scan_log_writer.h"

class ProblemIntake {
public:
    // scanList: the sections being scanned; a problem of any other section is dropped.
    // windowsFolder: where Windows lives, for the risk rules (empty when not known).
    ProblemIntake(const std::vector<ScanSection*>& scanList, ScanCounters& counters, ScanLogWriter& log,
                  ScanEvents& events, std::string windowsFolder)
        : scanList_(scanList),
          counters_(counters),
          log_(log),
          events_(events),
          windowsFolder_(std::move(windowsFolder)) {}

    // Returns the section the record was filed under; nullptr when it was dropped.
    const ScanSection* AcceptProblem(ProblemPtr record);
    // The user's ignore list for the scan to come: a problem it holds is dropped and counted
    // as its section's ignored.
    void SetIgnoreList(IgnoreList rules) { ignored_ = std::move(rules); }

private:
    ScanSection* ScannedSection(SectionId id) const;

    const std::vector<ScanSection*>& scanList_;
    ScanCounters& counters_;
    ScanLogWriter& log_;
    ScanEvents& events_;
    IgnoreList ignored_;
    std::string windowsFolder_;
};

// The scan log's text for a filed problem.
std::string ProblemLogLine(const ScanSection& section, const ProblemRecord& record);
