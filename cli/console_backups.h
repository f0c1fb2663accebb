#pragma once
// tidrex backups: the archives of the backup folder, newest first, with their date texts and
// the number of records each holds.
#include <cstdio>
#include <string>

struct ConsoleBackupsOptions {
    std::string backupFolder;
    bool json = false;
    std::FILE* out = nullptr;
};

// 0; an archive that a restore would call invalid is listed without a record count.
int RunConsoleBackups(const ConsoleBackupsOptions& options);
