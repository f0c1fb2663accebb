#include "cli/run_summary.h"

#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <vector>

#include "cli/exit_status.h"

namespace {
using Json = nlohmann::ordered_json;

// A --repeat document holds one document per round; any other is its own only round.
std::vector<const Json*> Rounds(const Json& document) {
    std::vector<const Json*> rounds;
    if (!document.contains("rounds")) return {&document};
    for (const Json& round : document["rounds"]) rounds.push_back(&round);
    return rounds;
}

int Count(const Json& object, const char* field) {
    if (!object.contains(field)) return 0;
    const Json& value = object[field];
    if (value.is_array()) return static_cast<int>(value.size());
    return value.is_number_integer() ? value.get<int>() : 0;
}

int Total(const std::vector<const Json*>& rounds, const char* field) {
    int total = 0;
    for (const Json* round : rounds) total += Count(*round, field);
    return total;
}

struct SectionCounts {
    int found = 0;
    int unreadable = 0;
};

Json SectionsJson(const std::vector<const Json*>& rounds, bool withEmpty) {
    std::map<int, SectionCounts> counts;  // in id order, which is the table's
    for (const Json* round : rounds) {
        for (const Json& section : (*round)["sections"]) {
            SectionCounts& count = counts[section["id"].get<int>()];
            count.found += Count(section, "problems");
            count.unreadable += Count(section, "unreadable");
        }
    }
    Json sections = Json::array();
    for (const auto& [id, count] : counts) {
        if (!withEmpty && count.found == 0 && count.unreadable == 0) continue;
        Json section = {{"id", id}, {"found", count.found}};
        if (count.unreadable > 0) section["unreadable"] = count.unreadable;
        sections.push_back(std::move(section));
    }
    return sections;
}

Json Archives(const std::vector<const Json*>& rounds) {
    Json archives = Json::array();
    for (const Json* round : rounds) {
        if (round->contains("archive") && (*round)["archive"].is_string()) archives.push_back((*round)["archive"]);
    }
    return archives;
}

std::string Line(const Json& summary) { return summary.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n"; }
}  // namespace

const char* SummaryStatus(bool clean, int exitStatus, int totalProblems) {
    switch (exitStatus) {
        case kExitClean: return totalProblems == 0 ? "clean" : clean ? "removed" : "problems";
        case kExitProblemsFound: return clean ? "kept" : "problems";
        case kExitAborted: return "aborted";
        default: break;
    }
    return "failed";
}

namespace {
// Everything the line can hold: the status, the counts, the archives, the account, the sections and the notes.
Json FullSummary(const std::vector<const Json*>& rounds, const std::string& command, int exitStatus) {
    const bool clean = command == "clean";
    const Json& first = *rounds.front();
    const int totalProblems = Total(rounds, "totalProblems");
    Json summary = {{"command", command},
                    {"status", SummaryStatus(clean, exitStatus, totalProblems)},
                    {"exit", exitStatus},
                    {"totalProblems", totalProblems}};
    if (clean) {
        for (const char* field : {"removed", "kept", "leftForReview", "notFound"}) {
            if (first.contains(field)) summary[field] = Total(rounds, field);
        }
        if (rounds.size() > 1) summary["rounds"] = rounds.size();
        summary["archives"] = Archives(rounds);
    }
    if (first.contains("account")) {
        summary["user"] = first["account"]["user"];
        summary["system"] = first["account"]["system"];
    }
    summary["sections"] = SectionsJson(rounds, true);
    if (first.contains("notes") && !first["notes"].empty()) summary["notes"] = first["notes"];
    return summary;
}

// Leaves out the least useful parts until the line fits, naming each in "omitted".
void LeaveOutUntilItFits(Json& summary, const std::vector<const Json*>& rounds, size_t limit) {
    struct Drop {
        const char* name;   // in "omitted"
        const char* field;  // the field it changes, when there is one
        std::function<void()> drop;
    };
    const Drop drops[] = {
        {"sections without problems", "sections", [&] { summary["sections"] = SectionsJson(rounds, false); }},
        {"notes", "notes", [&] { summary.erase("notes"); }},
        {"user", "user", [&] { summary.erase("user"); }},
        {"sections", "sections", [&] { summary.erase("sections"); }},
        {"archives", "archives",
         [&] {
             summary["archiveCount"] = summary["archives"].size();
             summary.erase("archives");
         }},
    };
    summary["omitted"] = Json::array();
    for (const Drop& drop : drops) {
        if (Line(summary).size() <= limit) break;
        if (!summary.contains(drop.field)) continue;
        drop.drop();
        summary["omitted"].push_back(drop.name);
    }
    if (summary["omitted"].empty()) summary.erase("omitted");
}
}  // namespace

std::string SummaryLine(const Json& document, const std::string& command, int exitStatus, size_t limit) {
    const std::vector<const Json*> rounds = Rounds(document);
    Json summary = FullSummary(rounds, command, exitStatus);
    LeaveOutUntilItFits(summary, rounds, limit);
    return Line(summary);
}
