#include "cli/ignore_command_line.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>

#include "engine/ignore_rule_text.h"

namespace {
using Chooser = std::function<void(const IgnoreCommandLine&)>;

struct AddOptions {
    std::string key;
    std::string value;
    std::string path;
    CLI::Option* keyOption = nullptr;
    CLI::Option* valueOption = nullptr;
    CLI::Option* pathOption = nullptr;
};

// The rule the options name; a CLI11 error, and so status 2 with nothing stored, when they name none.
IgnoreRule ChosenRule(const AddOptions& options, const std::string& command) {
    std::string error;
    std::optional<IgnoreRule> rule;
    if (options.pathOption->count() > 0) rule = PathRule(options.path, error);
    else if (options.valueOption->count() > 0) rule = ValueRule(options.key, options.value, error);
    else if (options.keyOption->count() > 0) rule = KeyRule(options.key, error);
    else error = "needs --key or --path";
    if (!rule) throw CLI::ValidationError(command, error);
    return *rule;
}

void AddAdd(CLI::App& ignore, const Chooser& choose) {
    CLI::App* add = ignore.add_subcommand("add",
                                          "Leave a key (and everything below it), a value or a path out of "
                                          "every scan");
    add->footer(
        "KEY is a full key name with its root: HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor, or HKLM, HKCU, HKCR, HKU.\n"
        "A path holds every entry that names a file below it, and every shortcut there or pointing there.");
    const auto options = std::make_shared<AddOptions>();
    options->keyOption = add->add_option("--key", options->key, "The key")->type_name("KEY");
    options->valueOption =
        add->add_option("--value", options->value, "One value of the key (\"\" for its default value)")
            ->type_name("NAME")
            ->needs(options->keyOption);
    options->pathOption =
        add->add_option("--path", options->path, "A file or folder")->type_name("PATH")->excludes(options->keyOption);
    add->callback([options, choose, add] {
        IgnoreCommandLine line;
        line.command = IgnoreCommandLine::Command::Add;
        line.rule = ChosenRule(*options, "ignore " + add->get_name());
        choose(line);
    });
}

void AddList(CLI::App& ignore, const Chooser& choose) {
    CLI::App* list = ignore.add_subcommand("list", "List the ignored entries, numbered from 1");
    const auto line = std::make_shared<IgnoreCommandLine>();
    line->command = IgnoreCommandLine::Command::List;
    list->add_flag("--json", line->json, "Print one JSON document");
    list->callback([line, choose] { choose(*line); });
}

void AddRemove(CLI::App& ignore, const Chooser& choose) {
    CLI::App* remove = ignore.add_subcommand("remove", "Scan an ignored entry again: remove it from the list");
    const auto line = std::make_shared<IgnoreCommandLine>();
    line->command = IgnoreCommandLine::Command::Remove;
    remove->add_option("NUMBER", line->number, "The entry's number, as 'tidrex ignore list' shows it")->required();
    remove->callback([line, choose] { choose(*line); });
}
}  // namespace

void AddIgnoreCommands(CLI::App& app, std::function<void(const IgnoreCommandLine&)> choose) {
    CLI::App* ignore = app.add_subcommand("ignore", "Keep entries the user chooses out of every scan");
    ignore->require_subcommand(1);
    ignore->footer("Exit status: 0 done, 1 the settings could not be written, 2 bad usage (nothing is stored)");
    AddAdd(*ignore, choose);
    AddList(*ignore, choose);
    AddRemove(*ignore, choose);
}
