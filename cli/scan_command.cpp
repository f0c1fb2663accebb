#include "cli/scan_command.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <memory>
#include <optional>
#include <string>

#include "cli/drive_list.h"
#include "engine/section_descriptors.h"

namespace {
// "3,4,7" as section ids; empty, with an error that names the first bad element, when an
// element is not the id of a section.
std::optional<std::vector<SectionId>> ParseSectionList(const std::string& list, std::string& error) {
    std::vector<SectionId> ids;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        SectionId id = 0;
        const auto [end, status] = std::from_chars(item.data(), item.data() + item.size(), id);
        if (item.empty() || status != std::errc() || end != item.data() + item.size() || !FindSectionDescriptor(id)) {
            error = "'" + item + "' names no section";
            return std::nullopt;
        }
        ids.push_back(id);
        if (comma == std::string::npos) return ids;
        start = comma + 1;
    }
}
}  // namespace

void AddScanCommand(CLI::App& app, std::function<void(const ScanCommand&)> choose) {
    CLI::App* scan = app.add_subcommand("scan", "Scan for stale registry entries and dead shortcuts, and report them");
    scan->footer(
        "Without --all or --sections the sections chosen in the program's settings are scanned.\n"
        "Exit status: 0 no problems, 1 problems found, 2 bad usage, 3 aborted (Ctrl+C), 6 --report's file not written");
    // Lives as long as the options that fill it.
    const auto command = std::make_shared<ScanCommand>();
    AddScanOptions(*scan, *command);
    scan->callback([command, choose] { choose(*command); });
}

void AddScanOptions(CLI::App& scan, ScanCommand& target) {
    CLI::Option* all = scan.add_flag_callback(
        "--all", [&target] { target.selection = ScanCommand::Selection::All; }, "Scan every section");
    const CLI::Validator sectionList(
        [](std::string& list) {
            std::string error;
            return ParseSectionList(list, error) ? std::string() : error;
        },
        "");
    CLI::Option* sections = scan.add_option_function<std::string>(
                                    "--sections",
                                    [&target](const std::string& list) {
                                        std::string error;
                                        target.selection = ScanCommand::Selection::Listed;
                                        target.sections =
                                            ParseSectionList(list, error).value_or(std::vector<SectionId>{});
                                    },
                                    "Scan the listed section ids (1-11, 13, 14), in table order")
                                ->type_name("ID[,ID...]")
                                ->check(sectionList);
    all->excludes(sections);
    const CLI::Validator driveList(
        [](std::string& list) {
            std::string error;
            return ParseDriveList(list, error) ? std::string() : error;
        },
        "");
    scan.add_option_function<std::string>(
            "--drives",
            [&target](const std::string& list) {
                std::string error;
                target.drives = ParseDriveList(list, error).value_or(std::string());
            },
            "Walk only these fixed disks for shortcuts (default: every fixed disk)")
        ->type_name("C:[,D:...]")
        ->check(driveList);
    CLI::Option* json = scan.add_flag("--json", target.json, "Print one JSON document instead of the text report");
    scan.add_flag("--summary", target.summary,
                  "Print only one JSON line of at most 2,048 bytes: the status, the totals per section and the "
                  "archives")
        ->excludes(json);
    scan.add_option("--report", target.reportPath, "Also write the JSON document into FILE, complete or not at all")
        ->type_name("FILE");
    scan.add_flag_callback(
        "--no-log", [&target] { target.writeLog = false; }, "Write no scan log");
    scan.add_flag("--quiet", target.quiet, "Show no progress line on the terminal");
}
