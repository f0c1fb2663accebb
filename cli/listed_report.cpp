#include "cli/listed_report.h"

#include <algorithm>

#include "engine/section_descriptors.h"

namespace {
using Json = nlohmann::ordered_json;

bool IsText(const Json& object, const char* field) { return object.contains(field) && object[field].is_string(); }

std::string Text(const Json& object, const char* field) {
    return IsText(object, field) ? object[field].get<std::string>() : std::string();
}

// The problem's record, or none when a field that names its entry is missing or names nothing.
std::optional<ProblemRecord> RecordOf(SectionId section, const Json& problem) {
    if (!problem.is_object() || !IsText(problem, "kind")) return std::nullopt;
    ProblemRecord record;
    record.sectionId = section;
    const std::string kind = problem["kind"].get<std::string>();
    if (kind == "file") {
        if (!IsText(problem, "linkPath")) return std::nullopt;
        record.item = FileProblem{Text(problem, "linkPath"), Text(problem, "targetPath")};
    } else if (kind == "registry") {
        if (!IsText(problem, "root") || !IsText(problem, "keyPath") || !IsText(problem, "valueName") ||
            !problem.contains("removeValueOnly") || !problem["removeValueOnly"].is_boolean()) {
            return std::nullopt;
        }
        record.item = RegistryProblem{RootKeyFromName(Text(problem, "root")), Text(problem, "keyPath"),
                                      Text(problem, "valueName"), Text(problem, "valueData"),
                                      problem["removeValueOnly"].get<bool>() ? RemovalScope::Value : RemovalScope::Key};
    } else {
        return std::nullopt;
    }
    if (!IsConsistent(record)) return std::nullopt;
    return record;
}

std::optional<SectionId> SectionOf(const Json& section) {
    if (!section.is_object() || !section.contains("id") || !section["id"].is_number_integer()) return std::nullopt;
    const SectionId id = section["id"].get<SectionId>();
    if (!FindSectionDescriptor(id) || !section.contains("problems") || !section["problems"].is_array()) {
        return std::nullopt;
    }
    return id;
}
}  // namespace

std::optional<ListedReport> ReadListedReport(const std::string& text, std::string& error) {
    const Json document = Json::parse(text, nullptr, false);
    if (document.is_discarded()) {
        error = "not valid JSON";
        return std::nullopt;
    }
    if (!document.is_object() || !document.contains("sections") || !document["sections"].is_array()) {
        error = "not the JSON document of tidrex scan (no \"sections\" list)";
        return std::nullopt;
    }
    ListedReport report;
    for (const Json& section : document["sections"]) {
        const std::optional<SectionId> id = SectionOf(section);
        if (!id) {
            error = "a section that names no section of tidrex scan";
            return std::nullopt;
        }
        if (std::find(report.sections.begin(), report.sections.end(), *id) == report.sections.end()) {
            report.sections.push_back(*id);
        }
        for (const Json& problem : section["problems"]) {
            std::optional<ProblemRecord> record = RecordOf(*id, problem);
            if (!record) {
                error = "a problem of section " + std::to_string(*id) + " that names no entry to remove";
                return std::nullopt;
            }
            report.problems.push_back({problem, std::move(*record)});
        }
    }
    return report;
}

std::string ProblemIdentity(SectionId section, const Json& problem) {
    const std::string kind = Text(problem, "kind");
    const Json parts =
        kind == "file"
            ? Json::array({section, kind, Text(problem, "linkPath")})
            : Json::array({section, kind, Text(problem, "root"), Text(problem, "keyPath"), Text(problem, "valueName"),
                           problem.contains("removeValueOnly") && problem["removeValueOnly"] == true});
    // As a JSON list, so that no two different entries give the same text; a text that is not
    // UTF-8 would lose bytes, so it gives none.
    try {
        return parts.dump();
    } catch (const Json::type_error&) {
        return {};
    }
}

void KeepListedProblems(Json& document, const std::set<std::string>& identities) {
    int total = 0;
    int affected = 0;
    int notListed = 0;
    for (Json& section : document["sections"]) {
        Json listed = Json::array();
        for (Json& problem : section["problems"]) {
            if (identities.count(ProblemIdentity(section["id"].get<SectionId>(), problem)) > 0) {
                listed.push_back(std::move(problem));
            } else {
                ++notListed;
            }
        }
        total += static_cast<int>(listed.size());
        affected += listed.empty() ? 0 : 1;
        section["problems"] = std::move(listed);
    }
    document["totalProblems"] = total;
    document["affectedSections"] = affected;
    document["notListed"] = notListed;
}
