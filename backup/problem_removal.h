#pragma once
// Removes problems: with a backup, every item is saved first and the archive written and read
// back before the first deletion; an item whose backup is not complete is never deleted, and
// when the archive cannot be written nothing is. Just before its deletion each item is read
// again: one that no longer holds what was saved is kept. A key is only deleted strictly below
// the list key its section scans.
#include <functional>
#include <vector>

#include "backup/backup_set.h"
#include "backup/deletion_guard.h"
#include "backup/removal_report.h"
#include "engine/problem_record.h"

struct RemovalSettings {
    BackupSet* backup = nullptr;  // none: the user declined the backup
    const std::vector<ListKey>* listKeys = &SectionListKeys();
    bool wow64 = false;  // switch file-system redirection off for the file deletions
};

// Told once the archive is written and read back, before the first deletion (with a backup only).
using ArchiveVerified = std::function<void()>;

// The removal's two long stages: every item saved into the backup, then every item deleted.
enum class RemovalStage { Saving, Deleting };
// Told after each item of a stage, with how many of the stage's items are done; false stops the
// removal there. Stopped while saving, it deletes nothing and writes no archive; stopped while
// deleting, it keeps the items it has not reached, and the archive holds them all.
using RemovalProgress = std::function<bool(RemovalStage stage, size_t done, size_t total)>;

// problems: the checked ones, in the order they are to be handled, each consistent as the intake
// files them.
RemovalReport RemoveProblems(const std::vector<const ProblemRecord*>& problems, const RemovalSettings& settings,
                             const ArchiveVerified& archiveVerified = {}, const RemovalProgress& progress = {});
