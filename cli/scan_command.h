#pragma once
// The "scan" command: what it asks for, and the options that fill it.
//   tidrex scan [--all | --sections 3,4,7] [--drives C:,D:] [--json | --summary] [--report FILE] [--no-log] [--quiet]
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
    std::string drives;        // letters of the fixed disks walked for shortcuts; empty: every fixed disk
    bool quiet = false;        // no progress line
    std::string reportPath{};  // --report: the JSON document also goes into this file
    bool summary = false;      // --summary: standard output is one short JSON line

    // Whether the text report is printed as the scan goes.
    bool PrintsTextReport() const { return !json && !summary; }
    // Whether the JSON document is needed: printed, written or summed up.
    bool NeedsDocument() const { return json || summary || !reportPath.empty(); }
};

// Registers "scan" with its options under app; choose receives the command when the command
// line names it.
void AddScanCommand(CLI::App& app, std::function<void(const ScanCommand&)> choose);

// The scan's options (--all, --sections, --drives, --json, --summary, --report, --no-log, --quiet) on
// another command that scans.
void AddScanOptions(CLI::App& command, ScanCommand& target);
