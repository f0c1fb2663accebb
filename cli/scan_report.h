#pragma once
// What the console prints after a scan: the text summary or the JSON document.
#include <string>

#include "cli/unreadable_keys.h"
#include "engine/data_scan_page.h"
#include "engine/scan_counters.h"

std::string TextSummary(const ScanCounters& counters, bool aborted);

// One UTF-8 JSON document; toUtf8 converts the program's 8-bit texts. Each section lists the
// starting keys it could not open for lack of rights under "unreadable" (empty without a list).
std::string JsonReport(const DataScanPage& page, const ScanCounters& counters, bool aborted,
                       std::string (*toUtf8)(const std::string&), const UnreadableKeys* unreadable = nullptr);
