#include "backup/backup_restore.h"

#include "backup/backup_set.h"
#include "backup/file_bytes.h"
#include "backup/restore_plan.h"
#include "base/system_error_text.h"
#include "engine/wow64.h"
#include "registry/key_import.h"
#include "registry/value_bytes.h"

namespace {
std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// How the removal side names the item, so that the set saves what is there now.
RegistryProblem ProblemOf(const PlannedWrite& planned) {
    if (const KeyWrite* key = std::get_if<KeyWrite>(&planned.write)) {
        return {key->root, key->keyPath, {}, {}, RemovalScope::Key};
    }
    const ValueWrite& value = std::get<ValueWrite>(planned.write);
    return {value.root, value.keyPath, value.valueName, value.currentText, RemovalScope::Value};
}

class Restore {
public:
    Restore(const BackupContents& contents, const RestoreSettings& settings, std::string backupFolder,
            RestoreReport& report)
        : contents_(contents), settings_(settings), backupFolder_(std::move(backupFolder)), report_(report) {}

    void Run() {
        RestorePlanner planner(contents_.backup, *settings_.scope);
        for (const DescriptorRecord& record : contents_.descriptor.records) {
            RecordPlan plan = planner.Plan(record);
            report_.failures.insert(report_.failures.end(), plan.failures.begin(), plan.failures.end());
            if (plan.write) writes_.push_back({std::move(*plan.write), plan.failures.empty()});
        }
        if (!SaveWhatIsReplaced()) return;
        for (Pending& pending : writes_) Write(pending);
        report_.truncated = contents_.descriptor.truncated;
        report_.status = report_.failures.empty() && !report_.truncated ? RestoreReport::Status::Restored
                                                                        : RestoreReport::Status::Partial;
    }

private:
    struct Pending {
        PlannedWrite planned;
        bool whole;  // nothing of the record was left out
    };

    // Before anything is written, what the writes replace goes into a new archive; an item whose
    // data cannot be saved is not written. False when the archive cannot be written: then nothing is.
    bool SaveWhatIsReplaced() {
        BackupSet backup;
        backup.SetBackupFolder(backupFolder_);
        std::string error;
        bool begun = false;
        for (auto pending = writes_.begin(); pending != writes_.end();) {
            if (!pending->planned.replaces) {
                ++pending;
                continue;
            }
            if (!begun && !(begun = backup.BeginBackup(error))) return NothingRestored(error);
            const ItemBackup saved = backup.BackupRegItem(ProblemOf(pending->planned));
            if (saved.status == ItemBackup::Status::Refused) {
                report_.failures.push_back(pending->planned.item + ": what it holds now cannot be backed up (" +
                                           KeptReasonText(saved.reason) +
                                           (saved.detail.empty() ? std::string() : ", " + saved.detail) + ")");
                pending = writes_.erase(pending);
                continue;
            }
            if (saved.status == ItemBackup::Status::Saved) report_.replaced.push_back(pending->planned.item);
            ++pending;
        }
        // A set that saved nothing removes its claimed archive again.
        if (report_.replaced.empty()) return true;
        if (!backup.FinishBackup(error)) return NothingRestored(error);
        report_.replacedArchive = backup.ArchivePath();
        return true;
    }

    bool NothingRestored(const std::string& error) {
        report_.status = RestoreReport::Status::ReplacedNotSaved;
        report_.failures = {error};
        report_.replaced.clear();
        return false;
    }

    void Write(const Pending& pending) {
        const std::string failure =
            std::visit([&](const auto& write) { return WriteItem(pending.planned, write); }, pending.planned.write);
        if (!failure.empty()) report_.failures.push_back(pending.planned.item + ": " + failure);
        else if (pending.whole) ++report_.restored;
    }

    // Each returns why the item was not written, or nothing.
    static std::string WriteItem(const PlannedWrite&, const KeyWrite& key) {
        const RegImport imported = ApplyRegFile(key.document);
        return imported.ok ? std::string() : imported.error;
    }
    static std::string WriteItem(const PlannedWrite& planned, const ValueWrite& value) {
        if (planned.alreadyThere) return {};
        const long error = WriteValueBytes(value.root, value.keyPath, value.valueName, value.type, value.data);
        return error == 0 ? std::string() : SystemErrorText(static_cast<unsigned long>(error));
    }
    static std::string WriteItem(const PlannedWrite& planned, const FileWrite& file) {
        if (planned.alreadyThere) return {};
        CreateFolderTree(file.path.substr(0, file.path.find_last_of('\\')));
        return PlaceFile(file.path, *file.bytes, FileWriteMode::CreateNew);
    }

    const BackupContents& contents_;
    const RestoreSettings& settings_;
    std::string backupFolder_;
    RestoreReport& report_;
    std::vector<Pending> writes_;
};
}  // namespace

RestoreReport RestoreBackup(const std::string& archivePath, const RestoreSettings& settings) {
    return RestoreBackup(ReadBackup(archivePath), archivePath, settings);
}

RestoreReport RestoreBackup(const BackupReading& reading, const std::string& archivePath,
                            const RestoreSettings& settings) {
    RestoreReport report;
    if (!reading.contents) {
        report.failures.push_back(reading.error);
        return report;
    }
    const FsRedirectionOff redirection(settings.wow64);
    Restore(*reading.contents, settings, settings.backupFolder.empty() ? FolderOf(archivePath) : settings.backupFolder,
            report)
        .Run();
    return report;
}
