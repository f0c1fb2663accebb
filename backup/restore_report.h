#pragma once
// What a restore did with an archive, and the message that tells the user.
#include <string>
#include <vector>

inline constexpr const char* kSelectBackupDateText = "Please Select a backup Date";
inline constexpr const char* kInvalidBackupText = "Backup is Invalid, Cannot Recover items";
inline constexpr const char* kItemsRestoredText = "Items Restored";
inline constexpr const char* kNotAllRestoredText = "Not all backed items were restored, Errors Occured";
inline constexpr const char* kReplacedNotSavedText =
    "What the restore would replace could not be backed up, so nothing was restored.";

struct RestoreReport {
    // ReplacedNotSaved: the archive of what the restore would replace could not be written.
    enum class Status { Restored, Partial, Invalid, ReplacedNotSaved };
    Status status = Status::Invalid;
    int restored = 0;
    std::vector<std::string> failures;  // Partial: each item not restored and why; otherwise why not at all
    bool truncated = false;             // the descriptor ended inside a record
    std::vector<std::string> replaced;  // the items whose data there was replaced, saved first in:
    std::string replacedArchive;        // the new backup archive, empty when nothing was replaced

    // The result text: one of the texts above, then what was replaced and where it was saved,
    // then the failures, when there are any.
    std::string Message() const;
};
