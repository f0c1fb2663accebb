#pragma once
// tidrex clean: scans, then removes every safe problem found (and those to review when asked),
// backing everything up first unless told not to.
#include <atomic>
#include <cstdio>
#include <string>

#include "cli/command_line.h"

// Exit statuses of the backup commands beside those of the scan (0 done, 3 aborted scan).
inline constexpr int kExitSomeKept = 1;
inline constexpr int kExitBackupFailed = 4;

struct ConsoleCleanOptions {
    ScanCommand scan;            // the sections, --json and --no-log
    bool backup = true;          // false for --no-backup
    bool includeReview = false;  // --include-review: the problems to review go too
    std::string backupFolder;    // where the archive is written
    std::string osName;          // for the scan log's header
    std::atomic<bool>* interrupted = nullptr;
    std::FILE* out = nullptr;
    std::FILE* err = stderr;  // told of every starting key that could not be opened
};

// 0 all removed, 1 some kept, 3 aborted during the scan and 4 the backup could not be written
// (in both, nothing is removed). Problems to review that were not asked for are listed and left
// as they are; they change no status.
int RunConsoleClean(const ConsoleCleanOptions& options);
