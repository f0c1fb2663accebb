#include "backup/problem_removal.h"

#include <windows.h>

#include <memory>

#include "base/system_error_text.h"
#include "engine/wow64.h"
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
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return {Deletion::Gone, KeptReason::DeleteFailed, {}};
    if (error == ERROR_ACCESS_DENIED) return {Deletion::Kept, KeptReason::AccessDenied, {}};
    return {Deletion::Kept, KeptReason::DeleteFailed, SystemErrorText(error)};
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
    explicit Removal(const RemovalSettings& settings) : settings_(settings) {}

    RemovalReport Run(const std::vector<const ProblemRecord*>& problems) {
        if (settings_.backup && !settings_.backup->BeginBackup(report_.backupError)) return Failed(problems);
        const FsRedirectionOff redirection(settings_.wow64);
        std::vector<Pending> toDelete;
        for (const ProblemRecord* problem : problems) {
            HeldKeys held;
            if (Admitted(*problem) && BackedUp(*problem, held)) toDelete.push_back({problem, std::move(held)});
        }
        if (settings_.backup) {
            if (!settings_.backup->FinishBackup(report_.backupError)) return Failed(problems);
            report_.archivePath = settings_.backup->ArchivePath();
        }
        for (Pending& pending : toDelete) {
            const Deleted deleted = Delete(*pending.problem, std::move(pending.held));
            if (deleted.outcome == Deletion::Kept) Keep(*pending.problem, deleted.reason, deleted.detail);
            else Removed(deleted.outcome == Deletion::Gone);
        }
        return std::move(report_);
    }

private:
    struct Pending {
        const ProblemRecord* problem;
        HeldKeys held;
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
    bool BackedUp(const ProblemRecord& problem, HeldKeys& held) {
        if (!settings_.backup) return true;
        ItemBackup saved = problem.AsFile() ? settings_.backup->BackupFileItem(*problem.AsFile())
                                            : settings_.backup->BackupRegItem(std::get<RegistryProblem>(problem.item));
        held = {std::move(saved.heldKey), std::move(saved.heldValueKey)};
        if (saved.status == ItemBackup::Status::Saved) return true;
        if (saved.status == ItemBackup::Status::Gone) Removed(true);
        else Keep(problem, saved.reason, saved.detail);
        return false;
    }

    bool Keep(const ProblemRecord& problem, KeptReason reason, std::string detail = {}) {
        report_.kept.push_back({&problem, reason, std::move(detail)});
        return false;
    }
    void Removed(bool alreadyGone) {
        ++report_.removed;
        if (alreadyGone) ++report_.alreadyGone;
    }

    RemovalReport Failed(const std::vector<const ProblemRecord*>& problems) {
        RemovalReport failed;
        failed.backupFailed = true;
        failed.backupError = std::move(report_.backupError);
        for (const ProblemRecord* problem : problems)
            failed.kept.push_back({problem, KeptReason::BackupNotWritten, {}});
        return failed;
    }

    const RemovalSettings& settings_;
    RemovalReport report_;
};
}  // namespace

RemovalReport RemoveProblems(const std::vector<const ProblemRecord*>& problems, const RemovalSettings& settings) {
    return Removal(settings).Run(problems);
}
