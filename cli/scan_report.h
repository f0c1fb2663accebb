#pragma once
// What the console prints about a scan: the text report's parts, or one JSON document.
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "cli/unreadable_keys.h"
#include "engine/section_table.h"
#include "engine/scan_counters.h"

// A filed problem: its scan log lines, then why it is reported and, for one to review, why it
// is, then a blank line.
std::string ProblemReportText(const ScanSection& section, const ProblemRecord& record);

// Ends a scanned section's part of the text report: its name, severity and problem count, and
// how many problems the ignore list left out when it left out any.
std::string SectionEndText(const ScanSection& section);

// "Moderate", "Severe" or "Critical".
const char* SeverityName(Severity severity);

// "safe" or "review", as the reports name a problem's risk.
const char* RiskName(Risk risk);

// The totals and how the scan ended; CR LF line ends, as the problems' lines have.
std::string TextSummary(const ScanCounters& counters, bool aborted);

// One UTF-8 JSON document of the scanned sections in table order; toUtf8 converts the program's 8-bit texts. Each section lists the
// starting keys it could not open for lack of rights under "unreadable" (empty without a list).
std::string JsonReport(const std::vector<ScanSection*>& scanned, const ScanCounters& counters, bool aborted,
                       std::string (*toUtf8)(const std::string&), const UnreadableKeys* unreadable = nullptr);

// The same document as data, for reports that add to it, and one problem's object in it.
nlohmann::ordered_json ScanReportJson(const std::vector<ScanSection*>& scanned, const ScanCounters& counters,
                                      bool aborted, std::string (*toUtf8)(const std::string&),
                                      const UnreadableKeys* unreadable = nullptr);
nlohmann::ordered_json ProblemJson(const ProblemRecord& record, std::string (*toUtf8)(const std::string&));

// A JSON document as text: one line, any bytes that still are not UTF-8 as U+FFFD.
std::string JsonText(const nlohmann::ordered_json& document);
