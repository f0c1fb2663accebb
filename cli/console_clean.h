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
    std::FILE* err = stderr;  // told of a report that cannot be read or written
    bool repeat = false;      // scan and remove again while a round finds something new
    // --from: the report whose problems alone are removed, if a new scan of its sections finds them again.
    std::string fromReport{};
};

// At most this many rounds of scan and removal for --repeat.
inline constexpr int kMaxCleanRounds = 5;

// 0 all removed, 1 some kept, 3 aborted during the scan and 4 the backup could not be written
// (in both, nothing more is removed). Problems to review that were not asked for are listed and
// left as they are; they change no status. With repeat, each round removes what no earlier round
// found, until one finds nothing new; the JSON document then holds each round's under "rounds".
// With a report: 2 when it cannot be read or is no scan's document (nothing is scanned); each
// listed problem that the new scan does not find is named under "notFound" and left as it is,
// which changes no status either. 6 when --report's file cannot be written.
int RunConsoleClean(const ConsoleCleanOptions& options);
