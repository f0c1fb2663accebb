#pragma once
// The "scan" command: what it asks for, and the options that fill it.
//   tidrex scan [--all | --sections 3,4,7] [--drives C:,D:] [--json] [--no-log] [--quiet]
#include <functional>
#include <string>
#include <vector>

#include "engine/problem_record.h"

namespace CLI {
class App;
}

struct ScanCommand {
    enum class Selection { Preferences, All, Listed };
    Selection selection = Selection::Preferences;
    std::vector<SectionId> sections;  // for Listed, in the order given
    bool json = false;
    bool writeLog = true;
    std::string drives;  // letters of the fixed disks walked for shortcuts; empty: every fixed disk
    bool quiet = false;  // no progress line
};

// Registers "scan" with its options under app; choose receives the command when the command
// line names it.
void AddScanCommand(CLI::App& app, std::function<void(const ScanCommand&)> choose);

// The scan's options (--all, --sections, --drives, --json, --no-log, --quiet) on another command that scans.
void AddScanOptions(CLI::App& command, ScanCommand& target);
