#include "backup/backup_set.h"

#include <cctype>

#include "backup/backup_date_text.h"
#include "backup/backup_records.h"
#include "backup/file_bytes.h"
#include "backup/unpacked_backup.h"
#include "backup/zip_reader.h"
#include "backup/zip_writer.h"
#include "base/ascii_case.h"
#include "base/system_error_text.h"
#include "registry/code_page_text.h"
#include "registry/key_export.h"
#include "registry/reg_file_reader.h"
#include "registry/reg_file_writer.h"
#include "registry/value_bytes.h"

namespace {
constexpr int kMaxSequence = 10000;

SYSTEMTIME LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

ItemBackup Saved(SavedState saved, UniqueHkey heldKey = {}, std::shared_ptr<const UniqueHkey> heldValueKey = {}) {
    return {ItemBackup::Status::Saved, KeptReason::BackupIncomplete, {},
            std::move(heldKey),        std::move(heldValueKey),      std::move(saved)};
}
ItemBackup Gone() { return {ItemBackup::Status::Gone, KeptReason::BackupIncomplete, {}, {}, {}, {}}; }
ItemBackup Refused(KeptReason reason, std::string detail) {
    return {ItemBackup::Status::Refused, reason, std::move(detail), {}, {}, {}};
}

// Why the export does not restore the tree it was made of, as the restore reads it; empty when it does.
std::string ReadBackFault(const std::string& bytes, const RegFileDocument& exported) {
    const RegFileParse parsed = ParseRegFile(bytes, WideFromAnsi);
    if (!parsed.document) return "its export does not read back: " + parsed.error;
    return *parsed.document == exported ? std::string() : "its export reads back as other data";
}

// "RegKeyBkup<digits>.reg" in any letter case: the names key exports take.
bool IsExportName(const std::string& name) {
    constexpr size_t kPrefix = 10, kSuffix = 4;  // "RegKeyBkup", ".reg"
    if (name.size() <= kPrefix + kSuffix || !EqualsIgnoringAsciiCase(name.substr(0, kPrefix), "RegKeyBkup") ||
        !EqualsIgnoringAsciiCase(name.substr(name.size() - kSuffix), ".reg")) {
        return false;
    }
    for (size_t i = kPrefix; i < name.size() - kSuffix; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

bool EmptyArchiveOpens(const std::string& path) {
    ZipReader reader;
    return reader.Open(path) && reader.FileCount() == 0;
}
}  // namespace

BackupSet::~BackupSet() { Discard(); }

void BackupSet::Discard() {
    values_.Close();
    if (open_) DeleteFileA(PartialPath().c_str());
    open_ = false;
    descriptor_.clear();
    entries_.clear();
}

bool BackupSet::BeginBackup(std::string& error) {
    Discard();
    exportNumber_ = stagedNumber_ = 0;
    CreateDirectoryA(folder_.c_str(), nullptr);
    const SYSTEMTIME now = clock_ ? clock_() : LocalNow();
    for (int sequence = 0; sequence < kMaxSequence; ++sequence) {
        archivePath_ = folder_ + "\\" +
                       BackupBaseName(now.wMonth, now.wDay, now.wYear, now.wHour, now.wMinute, now.wSecond, sequence) +
                       ".zip";
        DWORD failure = ERROR_SUCCESS;
        if (ClaimPartialArchive(failure)) {
            open_ = true;
            return true;
        }
        if (failure != ERROR_FILE_EXISTS && failure != ERROR_ALREADY_EXISTS) {
            error = "The backup folder " + folder_ + " cannot be written (" + SystemErrorText(failure) + ").";
            return false;
        }
    }
    error = "The backup folder " + folder_ + " has no free archive name left for this second.";
    return false;
}

// Claimed with exclusive creation, so another removal's partial archive is never touched; the
// final name must be free as well, as an archive is never replaced.
bool BackupSet::ClaimPartialArchive(DWORD& failure) {
    UniqueHandle claimed(
        CreateFileA(PartialPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!claimed) {
        failure = GetLastError();
        return false;
    }
    claimed.reset();
    if (GetFileAttributesA(archivePath_.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    DeleteFileA(PartialPath().c_str());
    failure = ERROR_FILE_EXISTS;
    return false;
}

ItemBackup BackupSet::BackupRegItem(const RegistryProblem& problem) {
    const std::string fullPath = RootKeyName(problem.rootKey) + "\\" + problem.keyPath;
    if (problem.scope == RemovalScope::Key) {
        if (HasLineBreak(fullPath)) return Refused(KeptReason::LineBreak, {});
        KeyExport exported = ExportKey(problem.rootKey, problem.keyPath, true);
        if (exported.status == KeyExport::Status::Gone) return Gone();
        if (exported.status == KeyExport::Status::Failed) return Refused(KeptReason::BackupIncomplete, exported.error);
        RegFileWrite file = WriteRegFile(exported.document);
        if (!file.ok) return Refused(KeptReason::LineBreak, file.error);
        std::string fault = ReadBackFault(file.bytes, exported.document);
        if (!fault.empty()) return Refused(KeptReason::BackupUnreadable, std::move(fault));
        entries_.push_back({KeyExportName(exportNumber_), std::move(file.bytes)});
        AppendBackupRecord(KeyRecord(fullPath, exportNumber_++));
        return Saved(std::move(exported.document), std::move(exported.heldKey));
    }
    if (HasLineBreak(fullPath) || HasLineBreak(problem.valueName) || HasLineBreak(problem.valueData)) {
        return Refused(KeptReason::LineBreak, {});
    }
    ValueBytes value = values_.Read(problem.rootKey, problem.keyPath, problem.valueName);
    if (value.status == ValueBytes::Status::Gone) return Gone();
    if (value.status == ValueBytes::Status::Failed) return Refused(KeptReason::BackupIncomplete, value.error);
    AppendBackupRecord(ValueRecord(fullPath, problem.valueName, problem.valueData) + RawLine(value.type, value.data));
    return Saved(SavedValue{value.type, std::move(value.data)}, {}, std::move(value.heldKey));
}

bool BackupSet::IsStaged(const std::string& name) const {
    if (EqualsIgnoringAsciiCase(name, kDescriptorName) || IsExportName(name)) return true;
    for (const Entry& entry : entries_) {
        if (EqualsIgnoringAsciiCase(entry.name, name)) return true;
    }
    return false;
}

// The bare name when it is free; else a generated one that never holds the word a reader takes
// for a record's type.
std::string BackupSet::StagedName(const std::string& bareName) {
    if (!bareName.empty() && bareName[0] != '.' && !IsStaged(bareName)) return bareName;
    std::string name;
    do {
        name = "StagedFile" + std::to_string(++stagedNumber_);
    } while (IsStaged(name));
    return name;
}

ItemBackup BackupSet::BackupFileItem(const FileProblem& problem) {
    if (HasLineBreak(problem.linkPath)) return Refused(KeptReason::LineBreak, {});
    FileRead file = ReadFileBytes(problem.linkPath, kShortcutFileLimit);
    if (file.status == FileRead::Status::Gone) return Gone();
    if (file.status == FileRead::Status::Failed) return Refused(KeptReason::BackupIncomplete, file.error);
    const std::string bareName = BareFileName(problem.linkPath);
    const std::string name = StagedName(bareName);
    entries_.push_back({name, file.bytes});
    AppendBackupRecord(FileRecord(problem.linkPath) + (name != bareName ? StagedLine(name) : std::string()));
    return Saved(std::move(file.bytes));
}

bool BackupSet::FinishBackup(std::string& error) {
    if (!open_) {
        error = "No backup was begun.";
        return false;
    }
    values_.Close();
    if (!descriptor_.empty()) entries_.insert(entries_.begin(), {kDescriptorName, descriptor_});
    ZipWriter writer;
    bool written = writer.Open(PartialPath());
    for (const Entry& entry : entries_) written = written && writer.AddData(entry.name, entry.bytes);
    written = writer.Close() && written;
    if (!written) {
        error = "The backup archive " + archivePath_ + " could not be written" +
                (writer.LastError() ? " (" + SystemErrorText(writer.LastError()) + ")." : std::string("."));
        Discard();
        return false;
    }
    if (!IntactOnDisk(error)) {
        Discard();
        return false;
    }
    // Without replacing: a name taken meanwhile fails the backup rather than an older archive.
    if (!MoveFileExA(PartialPath().c_str(), archivePath_.c_str(), MOVEFILE_WRITE_THROUGH)) {
        error =
            "The backup archive " + archivePath_ + " could not be written (" + SystemErrorText(GetLastError()) + ").";
        Discard();
        return false;
    }
    open_ = false;
    descriptor_.clear();
    entries_.clear();
    return true;
}

// Read back from the disk: what the deletion relies on is the archive, not the memory.
bool BackupSet::IntactOnDisk(std::string& error) const {
    const UnpackResult unpacked = UnpackBackup(PartialPath());
    bool intact = entries_.empty() ? EmptyArchiveOpens(PartialPath())
                                   : unpacked.backup && unpacked.backup->entries.size() == entries_.size();
    for (size_t i = 0; intact && i < entries_.size(); ++i) {
        const auto found = unpacked.backup->entries.find(entries_[i].name);
        intact = found != unpacked.backup->entries.end() && found->second == entries_[i].bytes;
    }
    if (!intact) {
        error = "The backup archive " + archivePath_ + " does not read back intact" +
                (unpacked.error.empty() ? std::string(".") : " (" + unpacked.error + ").");
    }
    return intact;
}
