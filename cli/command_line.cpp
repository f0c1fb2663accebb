#include "cli/command_line.h"

#include <charconv>

#include "cli/drive_list.h"
#include "engine/section_operations.h"
#include "engine/section_table.h"

const char* const kUsageText =
    "usage: tidrex scan [--all | --sections ID[,ID...]] [--drives C:[,D:...]] [--json] [--no-log] [--quiet]\n"
    "  --all          scan every section\n"
    "  --sections     scan the listed section ids (1-11, 13, 14)\n"
    "                 (without either: the sections chosen in the program's settings)\n"
    "  --drives       walk only these fixed disks for shortcuts (default: every fixed disk)\n"
    "  --json         print one JSON document instead of the text report\n"
    "  --no-log       write no scan log\n"
    "  --quiet        show no progress line on the terminal\n"
    "exit status: 0 no problems, 1 problems found, 2 bad usage, 3 aborted\n";

namespace {
bool IsSectionId(SectionId id) {
    const SectionTable table([](SectionId) { return 0; });
    for (const ScanSection& section : table.Sections()) {
        if (section.id == id) return true;
    }
    return false;
}

ParsedCommandLine Failure(std::string message) { return {std::nullopt, std::move(message)}; }

// Parses "3,4,7"; the error text names the first bad element.
std::optional<std::vector<SectionId>> ParseSectionList(const std::string& list, std::string& error) {
    std::vector<SectionId> ids;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        SectionId id = 0;
        const auto [end, status] = std::from_chars(item.data(), item.data() + item.size(), id);
        if (item.empty() || status != std::errc() || end != item.data() + item.size() || !IsSectionId(id)) {
            error = "tidrex: '" + item + "' names no section";
            return std::nullopt;
        }
        ids.push_back(id);
        if (comma == std::string::npos) return ids;
        start = comma + 1;
    }
}
}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Failure("tidrex: no command given");
    if (arguments[0] != "scan") return Failure("tidrex: unknown command '" + arguments[0] + "'");
    ScanCommand command;
    bool selected = false;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--json") {
            command.json = true;
        } else if (argument == "--no-log") {
            command.writeLog = false;
        } else if (argument == "--quiet") {
            command.quiet = true;
        } else if (argument == "--drives") {
            if (i + 1 >= arguments.size()) return Failure("tidrex: --drives needs a list of drives");
            std::string error;
            auto letters = ParseDriveList(arguments[++i], error);
            if (!letters) return Failure(error);
            command.drives = std::move(*letters);
        } else if (argument == "--all" || argument == "--sections") {
            if (selected) return Failure("tidrex: give either --all or --sections, once");
            selected = true;
            if (argument == "--all") {
                command.selection = ScanCommand::Selection::All;
                continue;
            }
            if (i + 1 >= arguments.size()) return Failure("tidrex: --sections needs a list of section ids");
            std::string error;
            auto ids = ParseSectionList(arguments[++i], error);
            if (!ids) return Failure(error);
            command.selection = ScanCommand::Selection::Listed;
            command.sections = std::move(*ids);
        } else {
            return Failure("tidrex: unknown option '" + argument + "'");
        }
    }
    return {command, {}};
}
