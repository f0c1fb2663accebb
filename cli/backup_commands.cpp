#include "cli/backup_commands.h"

#include "app/executable_folder.h"
#include "cli/console_backups.h"
#include "cli/console_clean.h"
#include "cli/console_restore.h"

int RunBackupCommand(const BackupCommandLine& line, const std::string& osName, std::atomic<bool>& interrupted,
                     std::FILE* out) {
    const std::string folder = DefaultBackupFolder();
    switch (line.command) {
        case BackupCommandLine::Command::Clean:
            return RunConsoleClean({line.scan, line.backup, line.includeReview, folder, osName, &interrupted, out,
                                    stderr, line.repeat, line.fromReport});
        case BackupCommandLine::Command::Backups: return RunConsoleBackups({folder, line.json, out});
        case BackupCommandLine::Command::Restore:
            return RunConsoleRestore({line.archive, line.latest, folder, line.json, out});
    }
    return 0;
}
