#pragma once
// The console front end's command line:
//   tidrex scan [--all | --sections 3,4,7] [--drives C:,D:] [--json] [--no-log] [--quiet]
#include <optional>
#include <string>
#include <vector>

#include "engine/problem_record.h"

struct ScanCommand {
    enum class Selection { Preferences, All, Listed };
    Selection selection = Selection::Preferences;
    std::vector<SectionId> sections;  // for Listed, in the order given
    bool json = false;
    bool writeLog = true;
    std::string drives;  // letters of the fixed disks walked for shortcuts; empty: every fixed disk
    bool quiet = false;  // no progress line
};

struct ParsedCommandLine {
    std::optional<ScanCommand> command;
    std::string error;  // set when command is empty
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsageText;
