#pragma once
// "Remove Problems": asks for a backup when automatic backup is off, removes every ticked
// problem of the sections the results show, and tells the user what was removed and what was kept.
#include <windows.h>

#include <string>

#include "app/preferences.h"
#include "backup/backup_set.h"
#include "engine/section_table.h"
#include "ui/lists/check_markup_list.h"

inline constexpr const char* kNoProblemsText = "No Problems To delete";
inline constexpr const char* kNoSectionsCheckedText = "No Sections Checked";
inline constexpr const char* kBackupQuestionCaption = "TidrexVelora";
inline constexpr const char* kBackupQuestionText =
    "Automatic Backup of deleted items is Disabled, TidrexVelora will not backup any deleted items, Do you want to "
    "backup the items before deletion?";

// Added to the closing message when something was removed.
inline constexpr const char* kScanAgainQuestion =
    "\r\n\r\nEntries that pointed at what was removed may be stale now. Scan again?";

struct RemovalCommandContext {
    HWND window;
    const std::string& applicationName;  // caption of the messages
    const CheckMarkupList& results;
    const SectionTable& sections;
    const Preferences& preferences;
    BackupSet& backup;
};

// Where the window goes next: it stays on the results after "No Sections Checked", scans again
// when the user says so after a removal, and returns to its home page otherwise.
enum class AfterRemoval { StayOnResults, HomePage, ScanAgain };
AfterRemoval RunRemoveProblems(const RemovalCommandContext& context);
