#pragma once
// The backup commands beside "scan", and the options that fill them:
//   tidrex clean [--all | --sections ID[,ID...] | --from REPORT] [--include-review] [--no-backup] [--repeat]
//                [--json | --summary] [--report FILE] [--no-log]
//   tidrex backups [--json]
//   tidrex restore ARCHIVE | --latest [--json]
#include <functional>
#include <string>

#include "cli/scan_command.h"

struct BackupCommandLine {
    enum class Command { Clean, Backups, Restore };
    Command command = Command::Clean;
    ScanCommand scan;            // clean: its sections, --json and --no-log
    bool backup = true;          // clean: false for --no-backup
    bool includeReview = false;  // clean: --include-review
    bool repeat = false;         // clean: --repeat
    bool json = false;           // backups and restore
    std::string archive;         // restore
    bool latest = false;         // restore
    std::string fromReport;      // clean: --from
};

// Registers "clean", "backups" and "restore" under app; choose receives the command named.
void AddBackupCommands(CLI::App& app, std::function<void(const BackupCommandLine&)> choose);
