#pragma once
// Replays a backup archive: key exports imported, values written back with their exact type and
// bytes (a value recorded without them comes back as a string, as archives always restored
// them), shortcut files put back where they were. Only what this program's removals could have
// taken is written, a file only where none is; whatever else the restore replaces is first saved
// into a new archive of the backup folder, so that restoring that one undoes the restore.
#include <string>

#include "backup/restore_report.h"
#include "backup/restore_scope.h"
#include "backup/unpacked_backup.h"

struct RestoreSettings {
    const RestoreScope* scope = &ProgramRestoreScope();
    std::string backupFolder;  // where the archive of what is replaced goes; empty: the restored archive's
    bool wow64 = false;        // switch file-system redirection off for the files
};

RestoreReport RestoreBackup(const std::string& archivePath, const RestoreSettings& settings = {});
// An archive already read (as ReadBackup read it from archivePath).
RestoreReport RestoreBackup(const BackupReading& reading, const std::string& archivePath,
                            const RestoreSettings& settings);
