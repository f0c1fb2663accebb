#pragma once
// What a removal did with each problem it was given, and the message that tells the user.
#include <string>
#include <vector>

#include "engine/problem_record.h"

enum class KeptReason {
    BackupIncomplete,  // its export, its record or its copy could not be made
    LineBreak,         // a name, path or data with a line break cannot be recorded
    OutsideListKey,    // a key not strictly below its section's list key
    AccessDenied,
    DeleteFailed,
    BackupNotWritten,  // the archive could not be written, so nothing was deleted
    BackupUnreadable,  // its key export does not read back as the tree it was made of
    Changed,           // it no longer held what was backed up when its deletion came
    InexactName,       // read with substitutes for characters of its name: it cannot be opened by it
    Aborted,           // the user stopped the removal before it came to the item
};

// The reason as the messages name it ("access denied").
const char* KeptReasonText(KeptReason reason);

struct KeptItem {
    const ProblemRecord* problem = nullptr;
    KeptReason reason = KeptReason::DeleteFailed;
    std::string detail;  // the system's words, where it gave any
};

struct RemovalReport {
    std::string archivePath;  // the backup written, empty without one
    bool backupFailed = false;
    std::string backupError;
    int removed = 0;
    int alreadyGone = 0;  // counted in removed: gone before the removal reached them
    std::vector<KeptItem> kept;
    bool aborted = false;

    bool AllRemoved() const { return !backupFailed && kept.empty(); }
};

inline constexpr const char* kItemsRemovedText = "Selected Items Removed";

// A problem's place: the key, the key and value name, or the file.
std::string ProblemItemText(const ProblemRecord& problem);

// "Selected Items Removed" when everything went; otherwise the counts, the reasons and the
// first kept items.
std::string RemovalSummaryText(const RemovalReport& report);
