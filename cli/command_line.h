#pragma once
// The console front end's command line: one subcommand and its options, or --help / --version.
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/backup_command_line.h"
#include "cli/ignore_command_line.h"
#include "cli/scan_command.h"

// Each subcommand's request; a new subcommand adds its type here and registers its options
// in ParseCommandLine.
using Command = std::variant<ScanCommand, BackupCommandLine, IgnoreCommandLine>;

struct ParsedCommandLine {
    std::optional<Command> command;  // empty: nothing to run, print and end with exitStatus
    std::string output;              // help or version text, for standard output
    std::string error;               // one line, for standard error
    int exitStatus = 0;
};

// The arguments after the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);
