#include "engine/ignored_problems.h"

#include <algorithm>

int WithdrawIgnored(const std::vector<ScanSection*>& sections, const IgnoreList& rules, ScanCounters& counters) {
    int withdrawn = 0;
    for (ScanSection* section : sections) {
        if (section->problems.empty()) continue;
        const auto kept = std::remove_if(section->problems.begin(), section->problems.end(),
                                         [&](const ProblemPtr& problem) { return AnyHolds(rules, *problem); });
        const int held = static_cast<int>(section->problems.end() - kept);
        section->problems.erase(kept, section->problems.end());
        section->ignored += held;
        counters.totalProblems -= held;
        if (held > 0 && section->problems.empty()) --counters.affectedSections;
        withdrawn += held;
    }
    return withdrawn;
}
