#pragma once
// What the console prints about a scan: the text report's parts, or one JSON document.
#include <string>

#include "engine/data_scan_page.h"
#include "engine/scan_counters.h"

// A filed problem: its scan log lines, then why it is reported, then a blank line.
std::string ProblemReportText(const ScanSection& section, const ProblemRecord& record);

// Ends a scanned section's part of the text report: its name, severity and problem count.
std::string SectionEndText(const ScanSection& section);

// "Moderate", "Severe" or "Critical".
const char* SeverityName(Severity severity);

// The totals and how the scan ended; CR LF line ends, as the problems' lines have.
std::string TextSummary(const ScanCounters& counters, bool aborted);

// One UTF-8 JSON document; toUtf8 converts the program's 8-bit texts.
std::string JsonReport(const DataScanPage& page, const ScanCounters& counters, bool aborted,
                       std::string (*toUtf8)(const std::string&));
