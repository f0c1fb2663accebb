#pragma once
// Files each problem a scan operation hands over: drops the excluded ones, counts the rest,
// puts them under their section, shows the count in the scan list and writes the log line.
#include <string>

#include "engine/scan_counters.h"
#include "engine/scan_log_writer.h"
#include "engine/scan_page.h"

class ProblemIntake {
public:
    ProblemIntake(ScanPage& page, ScanCounters& counters, ScanLogWriter& log)
        : page_(page), counters_(counters), log_(log) {}

    // Returns the section the record was filed under; nullptr when it was dropped.
    const ScanSection* AcceptProblem(ProblemPtr record);

private:
    ScanSection* RowSection(SectionId id) const;

    ScanPage& page_;
    ScanCounters& counters_;
    ScanLogWriter& log_;
};

// The scan log's text for a filed problem.
std::string ProblemLogLine(const ScanSection& section, const ProblemRecord& record);
