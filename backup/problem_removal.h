#pragma once
// Removes problems: with a backup, every item is saved first and the archive written and read
// back before the first deletion; an item whose backup is not complete is never deleted, and
// when the archive cannot be written nothing is. A key is only deleted strictly below the list
// key its section scans.
#include <vector>

#include "backup/backup_set.h"
#include "backup/deletion_guard.h"
#include "backup/removal_report.h"
#include "engine/problem_record.h"

inline constexpr const char* kInvalidErrorTypeText = "Invalid Error Type";
inline constexpr const char* kRegistryErrorTypeText = "Error in Registry Error Type";

// Told of records the program cannot handle, in the order it meets them.
class RemovalNotices {
public:
    virtual ~RemovalNotices() = default;
    // A problem of neither kind.
    virtual void InvalidErrorType() = 0;
    // A registry problem whose removal flag is neither 0 nor 1, met while backing up.
    virtual void InvalidRegistryErrorType() = 0;
};

struct RemovalSettings {
    BackupSet* backup = nullptr;  // none: the user declined the backup
    const std::vector<ListKey>* listKeys = &SectionListKeys();
    RemovalNotices* notices = nullptr;
    bool wow64 = false;  // switch file-system redirection off for the file deletions
};

// problems: the checked ones, in the order they are to be handled.
RemovalReport RemoveProblems(const std::vector<const ProblemRecord*>& problems, const RemovalSettings& settings);
