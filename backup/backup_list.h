#pragma once
// The archives in the backup folder, newest first, as the restore page and the console list them.
#include <string>
#include <vector>

#include "backup/backup_date_text.h"

struct BackupArchive {
    std::string path;      // full path of the archive
    std::string fileName;  // with its ".zip"
    BackupNameTime time;   // read from the name
};

// Every "*.zip" file of the folder (not folders), newest first by the time its name tells; names
// that tell no time come last.
std::vector<BackupArchive> ListBackupArchives(const std::string& backupFolder);

// The file name without everything from its last ".".
std::string ArchiveStem(const std::string& fileName);

// The archive's date text; a later archive of the same second also shows its place, " (2)".
std::string BackupListText(const BackupArchive& archive, const DateNames& names);

// Weekday and month names in the user's language.
DateNames UserDateNames();
