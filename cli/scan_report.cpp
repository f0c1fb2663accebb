#include "cli/scan_report.h"

#include <nlohmann/json.hpp>

#include "base/text_format.h"
#include "engine/problem_intake.h"
#include "registry/registry_view.h"

std::string ProblemReportText(const ScanSection& section, const ProblemRecord& record) {
    std::string text = ProblemLogLine(section, record);
    // Before the blank line that ends the log lines.
    std::string why = Joined({"Description : ", record.description, "\r\n"});
    if (record.risk == Risk::Review) {
        why += Joined({"Risk : ", RiskName(record.risk), " (", record.riskReason, ")\r\n"});
    }
    text.insert(text.size() - 2, why);
    return text;
}

std::string SectionEndText(const ScanSection& section) {
    const std::string ignored = section.ignored > 0 ? Format("Ignored : %d\r\n", section.ignored) : std::string();
    return Format("Section Name : %s\r\nSeverity : %s\r\nProblems Found : %d\r\n%s---------------------\r\n\r\n",
                  section.name.c_str(), SeverityName(section.severity), section.ProblemCount(), ignored.c_str());
}

const char* SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Moderate: return "Moderate";
        case Severity::Severe: return "Severe";
        case Severity::Critical: return "Critical";
    }
    return "";
}

const char* RiskName(Risk risk) { return risk == Risk::Review ? "review" : "safe"; }

std::string TextSummary(const ScanCounters& counters, bool aborted) {
    return Format("Total Problems : %d\r\nAffected Sections : %d\r\n%s\r\n", counters.totalProblems,
                  counters.affectedSections, aborted ? "Scan Aborted" : "Scan Complete");
}

namespace {
// Last in a problem's object: the fields before it stay where scripts found them.
void AddRisk(nlohmann::ordered_json& json, const ProblemRecord& record) {
    json["risk"] = RiskName(record.risk);
    json["riskReason"] = record.riskReason;
}
}  // namespace

nlohmann::ordered_json ProblemJson(const ProblemRecord& record, std::string (*toUtf8)(const std::string&)) {
    nlohmann::ordered_json json;
    if (const FileProblem* shortcut = record.AsFile()) {
        json["kind"] = "file";
        json["description"] = toUtf8(record.description);
        json["linkPath"] = toUtf8(shortcut->linkPath);
        json["targetPath"] = toUtf8(shortcut->targetPath);
        AddRisk(json, record);
        return json;
    }
    const RegistryProblem& problem = std::get<RegistryProblem>(record.item);
    json["kind"] = "registry";
    json["description"] = toUtf8(record.description);
    json["root"] = RootKeyName(problem.rootKey);
    json["keyPath"] = toUtf8(problem.keyPath);
    json["valueName"] = toUtf8(problem.valueName);
    json["valueData"] = toUtf8(problem.valueData);
    json["removeValueOnly"] = problem.scope == RemovalScope::Value;
    json["view"] = static_cast<int>(ViewOfKeyPath(problem.keyPath));
    AddRisk(json, record);
    return json;
}

std::string JsonReport(const std::vector<ScanSection*>& scanned, const ScanCounters& counters, bool aborted,
                       std::string (*toUtf8)(const std::string&), const UnreadableKeys* unreadable) {
    return JsonText(ScanReportJson(scanned, counters, aborted, toUtf8, unreadable));
}

std::string JsonText(const nlohmann::ordered_json& document) {
    // Any byte sequence that still is not UTF-8 becomes U+FFFD rather than failing the report.
    return document.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

nlohmann::ordered_json ScanReportJson(const std::vector<ScanSection*>& scanned, const ScanCounters& counters,
                                      bool aborted, std::string (*toUtf8)(const std::string&),
                                      const UnreadableKeys* unreadable) {
    nlohmann::ordered_json report;
    report["status"] = aborted ? "aborted" : "complete";
    report["totalProblems"] = counters.totalProblems;
    report["affectedSections"] = counters.affectedSections;
    nlohmann::ordered_json sections = nlohmann::ordered_json::array();
    for (const ScanSection* scannedSection : scanned) {
        const ScanSection& section = *scannedSection;
        nlohmann::ordered_json problems = nlohmann::ordered_json::array();
        for (const ProblemPtr& problem : section.problems) problems.push_back(ProblemJson(*problem, toUtf8));
        nlohmann::ordered_json unreadableKeys = nlohmann::ordered_json::array();
        if (unreadable) {
            for (const std::string& key : unreadable->Of(section.id)) unreadableKeys.push_back(toUtf8(key));
        }
        sections.push_back({{"id", section.id},
                            {"name", section.name},
                            {"severity", static_cast<int>(section.severity)},
                            {"problems", std::move(problems)},
                            {"ignored", section.ignored},
                            {"unreadable", std::move(unreadableKeys)}});
    }
    report["sections"] = std::move(sections);
    return report;
}
