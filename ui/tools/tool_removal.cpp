#include "ui/tools/tool_removal.h"

#include "backup/backup_set.h"
#include "backup/problem_removal.h"
#include "engine/wow64.h"

void RemoveWithBackup(const std::vector<ProblemPtr>& entries, const std::string& backupFolder,
                      const std::vector<ListKey>& listKeys, RemovalTally& tally) {
    if (entries.empty()) return;
    std::vector<const ProblemRecord*> problems;
    for (const ProblemPtr& entry : entries) problems.push_back(entry.get());
    BackupSet backup;
    backup.SetBackupFolder(backupFolder);
    const RemovalReport report = RemoveProblems(problems, {&backup, &listKeys, IsWow64()});
    for (int removed = 0; removed < report.removed; ++removed) tally.Add(RemovalOutcome::Removed);
    for (const KeptItem& kept : report.kept) tally.Add(OutcomeOf(kept.reason));
}
