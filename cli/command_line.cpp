#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <sstream>

#include "app/preferences.h"
#include "cli/exit_status.h"

namespace {
// A parse error's message on one line, with the way to the usage. A first word that names no
// subcommand is said to be that, rather than that a subcommand is missing.
std::string UsageError(const CLI::App& app, const std::vector<std::string>& arguments, const CLI::Error& error) {
    std::string message = error.what();
    if (!arguments.empty() && arguments[0].rfind('-', 0) != 0 &&
        app.get_subcommands([&](const CLI::App* command) { return command->check_name(arguments[0]); }).empty()) {
        message = "'" + arguments[0] + "' is not a command";
    }
    std::replace(message.begin(), message.end(), '\n', ' ');
    while (!message.empty() && message.back() == ' ') message.pop_back();
    return "tidrex: " + message + " (see tidrex --help)\n";
}
}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CLI::App app("TidrexVelora finds stale registry entries and dead program shortcuts.", "tidrex");
    app.set_version_flag("--version", std::string("TidrexVelora ") + kVersionText, "Print the version and exit");
    app.require_subcommand(1);
    app.footer("'tidrex SUBCOMMAND --help' shows the options of a subcommand.");
    ParsedCommandLine parsed;
    AddScanCommand(app, [&](const ScanCommand& command) { parsed.command = command; });
    AddBackupCommands(app, [&](const BackupCommandLine& command) { parsed.command = command; });
    AddIgnoreCommands(app, [&](const IgnoreCommandLine& command) { parsed.command = command; });
    try {
        // CLI11 takes the arguments last first.
        app.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
    } catch (const CLI::ParseError& error) {
        parsed.command.reset();
        if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            std::ostringstream output, ignored;
            app.exit(error, output, ignored);  // the help of the command named, or the version
            parsed.output = output.str();
            parsed.exitStatus = kExitClean;
        } else {
            parsed.error = UsageError(app, arguments, error);
            parsed.exitStatus = kExitUsage;
        }
    }
    return parsed;
}
