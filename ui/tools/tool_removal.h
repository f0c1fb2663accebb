#pragma once
// The tool dialogs remove their checked entries as the scan's removal does: every entry saved
// into one new archive of the backup folder the scan uses (listed on the restore page and by
// "tidrex backups", restored as any other), and deleted only once that archive reads back and
// while the entry still holds what was saved.
#include <string>
#include <vector>

#include "backup/deletion_guard.h"
#include "engine/problem_record.h"
#include "ui/tools/removal_summary.h"

// One archive for all the entries (none when there are none); each entry's outcome is added to
// the tally.
void RemoveWithBackup(const std::vector<ProblemPtr>& entries, const std::string& backupFolder,
                      const std::vector<ListKey>& listKeys, RemovalTally& tally);
