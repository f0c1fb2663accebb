#pragma once
// Replays a backup archive: key exports imported, values written back with their exact type and
// bytes (a value recorded without them comes back as a string, as archives always restored
// them), files written back to where they were.
#include <string>
#include <vector>

inline constexpr const char* kSelectBackupDateText = "Please Select a backup Date";
inline constexpr const char* kInvalidBackupText = "Backup is Invalid, Cannot Recover items";
inline constexpr const char* kItemsRestoredText = "Items Restored";
inline constexpr const char* kNotAllRestoredText = "Not all backed items were restored, Errors Occured";

struct RestoreReport {
    enum class Status { Restored, Partial, Invalid };
    Status status = Status::Invalid;
    int restored = 0;
    std::vector<std::string> failures;  // Partial: each item not restored and why; Invalid: why
    bool truncated = false;             // the descriptor ended inside a record

    // The result text: one of the three above, followed by the failures when there are any.
    std::string Message() const;
};

RestoreReport RestoreBackup(const std::string& archivePath, bool wow64 = false);
