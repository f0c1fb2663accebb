#pragma once
// What the console prints after a scan: the text summary or the JSON document.
#include <string>

#include "engine/data_scan_page.h"
#include "engine/scan_counters.h"

std::string TextSummary(const ScanCounters& counters, bool aborted);

// One UTF-8 JSON document; toUtf8 converts the program's 8-bit texts.
std::string JsonReport(const DataScanPage& page, const ScanCounters& counters, bool aborted,
                       std::string (*toUtf8)(const std::string&));
