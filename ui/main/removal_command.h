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

struct RemovalCommandContext {
    HWND window;
    const std::string& applicationName;  // caption of the messages
    const CheckMarkupList& results;
    const SectionTable& sections;
    const Preferences& preferences;
    BackupSet& backup;
};

// Whether the window returns to its home page now: after every outcome but "No Sections Checked".
bool RunRemoveProblems(const RemovalCommandContext& context);
