#include "cli/backup_command_line.h"

const char* const kBackupUsageText =
    "usage: tidrex clean [--all | --sections ID[,ID...]] [--no-backup] [--json] [--no-log]\n"
    "       tidrex backups [--json]\n"
    "       tidrex restore ARCHIVE | --latest [--json]\n"
    "  clean      scans, then removes every problem found, backing everything up first\n"
    "             exit status: 0 all removed, 1 some kept, 3 scan aborted, 4 backup not written\n"
    "  backups    lists the backup archives, newest first\n"
    "  restore    replays a backup archive (a path, or a name in the backup folder)\n"
    "             exit status: 0 items restored, 1 not all restored, 4 invalid backup\n";

namespace {
BackupCommandLine Failure(BackupCommandLine::Command command, std::string error) {
    BackupCommandLine line;
    line.command = command;
    line.error = std::move(error);
    return line;
}

BackupCommandLine ParseClean(const std::vector<std::string>& arguments) {
    BackupCommandLine line;
    line.command = BackupCommandLine::Command::Clean;
    // The scan's own options are read as "scan" reads them.
    std::vector<std::string> scanArguments = {"scan"};
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--no-backup") line.backup = false;
        else scanArguments.push_back(arguments[i]);
    }
    const ParsedCommandLine parsed = ParseCommandLine(scanArguments);
    if (!parsed.command) return Failure(line.command, parsed.error);
    line.scan = *parsed.command;
    return line;
}

BackupCommandLine ParseBackups(const std::vector<std::string>& arguments) {
    BackupCommandLine line;
    line.command = BackupCommandLine::Command::Backups;
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] != "--json") return Failure(line.command, "tidrex: unknown option '" + arguments[i] + "'");
        line.json = true;
    }
    return line;
}

BackupCommandLine ParseRestore(const std::vector<std::string>& arguments) {
    BackupCommandLine line;
    line.command = BackupCommandLine::Command::Restore;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--json") {
            line.json = true;
        } else if (argument == "--latest" || argument.rfind("--", 0) != 0) {
            if (line.latest || !line.archive.empty()) {
                return Failure(line.command, "tidrex: give one archive, or --latest, once");
            }
            if (argument == "--latest") line.latest = true;
            else line.archive = argument;
        } else {
            return Failure(line.command, "tidrex: unknown option '" + argument + "'");
        }
    }
    if (!line.latest && line.archive.empty())
        return Failure(line.command, "tidrex: restore needs an archive or --latest");
    return line;
}
}  // namespace

BackupCommandLine ParseBackupCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return {};
    if (arguments[0] == "clean") return ParseClean(arguments);
    if (arguments[0] == "backups") return ParseBackups(arguments);
    if (arguments[0] == "restore") return ParseRestore(arguments);
    return {};
}
