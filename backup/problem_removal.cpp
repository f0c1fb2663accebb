#include "backup/problem_removal.h"

#include <windows.h>

#include <memory>

#include "backup/saved_item.h"
#include "base/system_error_text.h"
#include "engine/wow64.h"
#include "registry/inexact_names.h"
#include "registry/registry_delete.h"
#include "registry/registry_key.h"

namespace {
enum class Deletion { Removed, Gone, Kept };

struct Deleted {
    Deletion outcome;
    KeptReason reason = KeptReason::DeleteFailed;
    std::string detail;
};

Deleted FromError(DWORD error) {
    if (error == ERROR_SUCCESS) return {Deletion::Removed, KeptReason::DeleteFailed, {}};
    // ERROR_KEY_DELETED: another run deleted the key while this one had it open.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_KEY_DELETED)
        return {Deletion::Gone, KeptReason::DeleteFailed, {}};
    if (error == ERROR_ACCESS_DENIED) return {Deletion::Kept, KeptReason::AccessDenied, {}};
    return {Deletion::Kept, KeptReason::DeleteFailed, SystemErrorText(error)};
}

// Whether an item its text did not find is still there under a name the code page cannot spell.
bool StillThereUnderItsOwnName(const ProblemRecord& problem) {
    const RegistryProblem* registry = problem.AsRegistry();
    return registry && ExistsAsSpelled(registry->rootKey, registry->keyPath,
                                       registry->scope == RemovalScope::Value ? &registry->valueName : nullptr);
}

// The keys the backup kept open, when it did: deleting through them deletes what was saved.
struct HeldKeys {
    UniqueHkey key;
    std::shared_ptr<const UniqueHkey> valueKey;
};

Deleted Delete(const ProblemRecord& problem, HeldKeys held) {
    if (const FileProblem* file = problem.AsFile()) {
        return FromError(DeleteFileA(file->linkPath.c_str()) ? ERROR_SUCCESS : GetLastError());
    }
    const RegistryProblem& registry = std::get<RegistryProblem>(problem.item);
    const HKEY root = RootKeyHandle(registry.rootKey);
    if (registry.scope == RemovalScope::Key) {
        return FromError(static_cast<DWORD>(RemoveHeldKey(std::move(held.key), root, registry.keyPath)));
    }
    const HKEY valueKey = held.valueKey ? held.valueKey->get() : nullptr;
    return FromError(static_cast<DWORD>(RemoveHeldValue(valueKey, root, registry.keyPath, registry.valueName)));
}

class Removal {
public:
    Removal(const RemovalSettings& settings, const ArchiveVerified& archiveVerified, const RemovalProgress& progress)
        : settings_(settings), archiveVerified_(archiveVerified), progress_(progress) {}

    RemovalReport Run(const std::vector<const ProblemRecord*>& problems) {
        if (settings_.backup && !settings_.backup->BeginBackup(report_.backupError)) return Failed(problems);
        const FsRedirectionOff redirection(settings_.wow64);
        std::vector<Pending> toDelete;
        toDelete.reserve(problems.size());
        for (size_t done = 0; done < problems.size(); ++done) {
            Pending pending{problems[done], {}, {}};
            if (Admitted(*pending.problem) && BackedUp(pending)) toDelete.push_back(std::move(pending));
            if (settings_.backup && !GoOn(RemovalStage::Saving, done + 1, problems.size())) return Aborted(problems);
        }
        if (settings_.backup) {
            if (!settings_.backup->FinishBackup(report_.backupError)) return Failed(problems);
            report_.archivePath = settings_.backup->ArchivePath();
            if (archiveVerified_) archiveVerified_();
        }
        for (size_t done = 0; done < toDelete.size(); ++done) {
            Settle(toDelete[done]);
            if (done + 1 < toDelete.size() && !GoOn(RemovalStage::Deleting, done + 1, toDelete.size())) {
                KeepUnreached(toDelete, done + 1);
                break;
            }
        }
        return std::move(report_);
    }

private:
    struct Pending {
        const ProblemRecord* problem;
        HeldKeys held;
        SavedState saved;
    };

    // Whether the record may be handled at all: a key only in its place below its list key.
    bool Admitted(const ProblemRecord& problem) {
        const RegistryProblem* registry = problem.AsRegistry();
        if (registry && registry->scope == RemovalScope::Key &&
            !KeyDeletionAllowed(*settings_.listKeys, problem.sectionId, registry->rootKey, registry->keyPath)) {
            return Keep(problem, KeptReason::OutsideListKey);
        }
        return true;
    }

    // Whether the item is saved and may be deleted once the archive reads back.
    bool BackedUp(Pending& pending) {
        if (!settings_.backup) return true;
        const ProblemRecord& problem = *pending.problem;
        ItemBackup saved = problem.AsFile() ? settings_.backup->BackupFileItem(*problem.AsFile())
                                            : settings_.backup->BackupRegItem(std::get<RegistryProblem>(problem.item));
        pending.held = {std::move(saved.heldKey), std::move(saved.heldValueKey)};
        pending.saved = std::move(saved.saved);
        if (saved.status == ItemBackup::Status::Saved) return true;
        if (saved.status == ItemBackup::Status::Refused) return Keep(problem, saved.reason, saved.detail);
        if (StillThereUnderItsOwnName(problem)) return Keep(problem, KeptReason::InexactName);
        Removed(true);
        return false;
    }

    // Deletes the item unless it changed since it was saved, and counts the outcome.
    void Settle(Pending& pending) {
        const ProblemRecord& problem = *pending.problem;
        Deleted deleted = Unchanged(pending);
        if (deleted.outcome == Deletion::Removed) deleted = Delete(problem, std::move(pending.held));
        if (deleted.outcome == Deletion::Gone && StillThereUnderItsOwnName(problem)) {
            deleted = {Deletion::Kept, KeptReason::InexactName, {}};
        }
        if (deleted.outcome == Deletion::Kept) {
            Keep(problem, deleted.reason, deleted.detail);
            return;
        }
        Removed(deleted.outcome == Deletion::Gone);
        if (const RegistryProblem* registry = problem.AsRegistry()) ledger_.Record(*registry);
    }

    // Removed while the item still holds what the archive holds of it (always without a backup).
    Deleted Unchanged(const Pending& pending) const {
        if (!settings_.backup) return {Deletion::Removed, KeptReason::DeleteFailed, {}};
        const HKEY held = pending.held.valueKey ? pending.held.valueKey->get() : pending.held.key.get();
        const Recheck now = RecheckItem(*pending.problem, pending.saved, held, ledger_);
        if (now.error != ERROR_SUCCESS) return FromError(static_cast<DWORD>(now.error));
        if (now.changed) return {Deletion::Kept, KeptReason::Changed, {}};
        return {Deletion::Removed, KeptReason::DeleteFailed, {}};
    }

    bool Keep(const ProblemRecord& problem, KeptReason reason, std::string detail = {}) {
        report_.kept.push_back({&problem, reason, std::move(detail)});
        return false;
    }
    void Removed(bool alreadyGone) {
        ++report_.removed;
        if (alreadyGone) ++report_.alreadyGone;
    }

    bool GoOn(RemovalStage stage, size_t done, size_t total) const {
        return !progress_ || progress_(stage, done, total);
    }

    // Stopped while saving: the backup is dropped and nothing is deleted.
    RemovalReport Aborted(const std::vector<const ProblemRecord*>& problems) {
        if (settings_.backup) settings_.backup->Discard();
        RemovalReport aborted = NoneDeleted(problems, KeptReason::Aborted);
        aborted.aborted = true;
        return aborted;
    }

    void KeepUnreached(const std::vector<Pending>& toDelete, size_t first) {
        report_.aborted = true;
        for (size_t i = first; i < toDelete.size(); ++i) Keep(*toDelete[i].problem, KeptReason::Aborted);
    }

    RemovalReport Failed(const std::vector<const ProblemRecord*>& problems) {
        RemovalReport failed = NoneDeleted(problems, KeptReason::BackupNotWritten);
        failed.backupFailed = true;
        failed.backupError = std::move(report_.backupError);
        return failed;
    }

    // Every problem kept for the one reason, whatever was counted of them before.
    static RemovalReport NoneDeleted(const std::vector<const ProblemRecord*>& problems, KeptReason reason) {
        RemovalReport none;
        for (const ProblemRecord* problem : problems) none.kept.push_back({problem, reason, {}});
        return none;
    }

    const RemovalSettings& settings_;
    const ArchiveVerified& archiveVerified_;
    const RemovalProgress& progress_;
    RemovalReport report_;
    RemovalLedger ledger_;
};
}  // namespace

RemovalReport RemoveProblems(const std::vector<const ProblemRecord*>& problems, const RemovalSettings& settings,
                             const ArchiveVerified& archiveVerified, const RemovalProgress& progress) {
    return Removal(settings, archiveVerified, progress).Run(problems);
}
