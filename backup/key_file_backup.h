#pragma once
// The tool dialogs' key backups: one key exported to a ".reg" file of its own, named from the
// local time, in a sub-folder of the backup folder. These files are never offered for restore.
#include <windows.h>

#include <string>

#include "registry/root_keys.h"

inline constexpr const char* kBhoBackupFolder = "BHOBackup";
inline constexpr const char* kAddRemoveBackupFolder = "AddRemoveBackup";

struct KeyFileBackup {
    bool ok = false;   // the file holds the whole key: only then may the key be deleted
    std::string path;  // the file written
    std::string error;
};

// A file of the same second gets a seventh number in its name; none is ever replaced.
KeyFileBackup BackupKeyToFile(const std::string& backupFolder, const char* toolFolder, RootKeyValue root,
                              const std::string& subKeyPath, const SYSTEMTIME& now);
KeyFileBackup BackupKeyToFile(const std::string& backupFolder, const char* toolFolder, RootKeyValue root,
                              const std::string& subKeyPath);
