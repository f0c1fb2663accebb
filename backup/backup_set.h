#pragma once
// One backup set: everything a removal is about to delete, collected in memory item by item
// (key exports, "Config.ini" records, shortcut copies) and then written into one new archive in
// the backup folder, which is read back whole before the caller may delete anything. Every key
// export is read back as the restore reads it before it counts as saved.
#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "backup/removal_report.h"
#include "backup/saved_item.h"
#include "engine/problem_record.h"
#include "registry/value_bytes.h"

struct ItemBackup {
    enum class Status { Saved, Gone, Refused };
    Status status = Status::Refused;
    KeptReason reason = KeptReason::BackupIncomplete;  // when Refused
    std::string detail;
    UniqueHkey heldKey;                              // a saved key without sub-keys, open for its deletion
    std::shared_ptr<const UniqueHkey> heldValueKey;  // a saved value's key, open for the value's deletion
    SavedState saved;                                // what the archive holds of the item, when Saved
};

// The archive is written under its final name and this ending, and renamed once it reads back
// whole: the backup folder's listing ("*.zip") never shows an archive that is not complete.
inline constexpr const char* kPartialArchiveEnding = ".partial";

class BackupSet {
public:
    BackupSet() = default;
    BackupSet(const BackupSet&) = delete;
    BackupSet& operator=(const BackupSet&) = delete;
    ~BackupSet();

    void SetBackupFolder(std::string folder) { folder_ = std::move(folder); }
    const std::string& BackupFolder() const { return folder_; }
    // The local time that names the archives.
    void SetClock(std::function<SYSTEMTIME()> clock) { clock_ = std::move(clock); }

    // Creates the backup folder when needed and claims a new archive name there, named from the
    // local time; a later archive of the same second gets a seventh number, so none is ever
    // replaced. Until the archive is finished only its partial file exists.
    bool BeginBackup(std::string& error);
    // A key is exported whole, and refused when its export does not read back as the same tree; a
    // value is recorded with its exact type and bytes as they are now.
    ItemBackup BackupRegItem(const RegistryProblem& problem);
    // The file is read now and kept under its bare name, or under a name of its own when that
    // name is taken, with an extra line after its record.
    ItemBackup BackupFileItem(const FileProblem& problem);
    // Writes the partial archive, closes it and reads it back: every entry must open, pass its CRC
    // and hold exactly what was collected. Only then does it get its final name. On failure the
    // partial archive is removed again and error says why.
    bool FinishBackup(std::string& error);

    // Drops what was collected and the partial archive: a backup begun and not to be finished.
    void Discard();

    // The archive's final name (it exists once FinishBackup succeeded).
    const std::string& ArchivePath() const { return archivePath_; }
    std::string PartialPath() const { return archivePath_ + kPartialArchiveEnding; }

private:
    struct Entry {
        std::string name;
        std::string bytes;
    };
    // "Config.ini" is kept in memory and written into the archive last of all.
    void AppendBackupRecord(const std::string& record) { descriptor_ += record; }
    std::string StagedName(const std::string& bareName);
    bool IsStaged(const std::string& name) const;
    bool ClaimPartialArchive(DWORD& failure);
    bool IntactOnDisk(std::string& error) const;

    std::string folder_;
    std::function<SYSTEMTIME()> clock_;
    std::string archivePath_;
    bool open_ = false;
    int exportNumber_ = 0;
    int stagedNumber_ = 0;
    std::string descriptor_;
    std::vector<Entry> entries_;
    ValueBytesReader values_{true};
};
