#pragma once
// The problems an administrator hands to "clean --from": a document that "scan --json" or
// --report wrote, perhaps with problems taken out of it. Each problem is known by its section and
// by what its removal takes, so that a new scan can judge the very same entries again.
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/problem_record.h"

struct ListedProblem {
    nlohmann::ordered_json object;  // as the report gives it
    ProblemRecord record;           // its section and item, texts in UTF-8
};

struct ListedReport {
    std::vector<SectionId> sections;  // each once, in the report's order
    std::vector<ListedProblem> problems;
};

// The report, or none with the reason it is not one of a scan's documents.
std::optional<ListedReport> ReadListedReport(const std::string& text, std::string& error);

// The section, the kind and what a removal takes (the root, key and value name, or the shortcut
// file), as one text: equal for a problem of a report and the same entry found again; empty
// (matching nothing) when a text is not UTF-8.
std::string ProblemIdentity(SectionId section, const nlohmann::ordered_json& problem);

// Leaves in each section of a clean's document only the problems of those identities, counts the
// totals again and adds how many the scan found beside them ("notListed"): those stay as they are.
void KeepListedProblems(nlohmann::ordered_json& document, const std::set<std::string>& identities);
