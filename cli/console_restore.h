#pragma once
// tidrex restore ARCHIVE | --latest: replays one archive of the backup folder.
#include <cstdio>
#include <string>

inline constexpr int kExitNotAllRestored = 1;
inline constexpr int kExitInvalidBackup = 4;
inline constexpr int kExitReplacedNotSaved = 5;

struct ConsoleRestoreOptions {
    std::string archive;  // a path, or a file name in the backup folder
    bool latest = false;  // instead: the newest archive of the backup folder that can be read
    std::string backupFolder;
    bool json = false;
    std::FILE* out = nullptr;
};

// 0 "Items Restored", 1 not all restored, 4 an invalid backup (or none to restore), 5 what the
// restore would replace could not be backed up (nothing restored).
int RunConsoleRestore(const ConsoleRestoreOptions& options);
