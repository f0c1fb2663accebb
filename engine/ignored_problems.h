#pragma once
// Problems taken out of a finished scan when the user ignores them, as if the intake had left
// them out: each counts as its section's ignored problem, and the totals no longer hold it.
#include <vector>

#include "engine/ignore_rules.h"
#include "engine/scan_counters.h"
#include "engine/section_table.h"

// Returns how many problems the rules held.
int WithdrawIgnored(const std::vector<ScanSection*>& sections, const IgnoreList& rules, ScanCounters& counters);
