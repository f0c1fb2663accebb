#pragma once
// The command lines of the backup commands beside "scan":
//   tidrex clean [--all | --sections ID[,ID...]] [--no-backup] [--json] [--no-log]
//   tidrex backups [--json]
//   tidrex restore ARCHIVE | --latest [--json]
#include <string>
#include <vector>

#include "cli/command_line.h"

struct BackupCommandLine {
    enum class Command { None, Clean, Backups, Restore };
    Command command = Command::None;  // None: the first word names no backup command
    ScanCommand scan;                 // clean: its sections, --json and --no-log
    bool backup = true;               // clean: false for --no-backup
    bool json = false;                // backups and restore
    std::string archive;              // restore
    bool latest = false;              // restore
    std::string error;                // set when the command's arguments are wrong
};

BackupCommandLine ParseBackupCommandLine(const std::vector<std::string>& arguments);

extern const char* const kBackupUsageText;
