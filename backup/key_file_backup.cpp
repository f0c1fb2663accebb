#include "backup/key_file_backup.h"

#include "backup/backup_date_text.h"
#include "backup/file_bytes.h"
#include "registry/key_export.h"
#include "registry/reg_file_writer.h"

namespace {
constexpr int kMaxSequence = 10000;
}  // namespace

KeyFileBackup BackupKeyToFile(const std::string& backupFolder, const char* toolFolder, RootKeyValue root,
                              const std::string& subKeyPath, const SYSTEMTIME& now) {
    KeyFileBackup result;
    const std::string folder = backupFolder + "\\" + toolFolder;
    if (!CreateFolderTree(folder)) {
        result.error = "The folder " + folder + " cannot be created.";
        return result;
    }
    const KeyExport exported = ExportKey(root, subKeyPath);
    if (exported.status != KeyExport::Status::Saved) {
        result.error = exported.status == KeyExport::Status::Gone ? "The key does not exist." : exported.error;
        return result;
    }
    const RegFileWrite file = WriteRegFile(exported.document);
    if (!file.ok) {
        result.error = file.error;
        return result;
    }
    for (int sequence = 0; sequence < kMaxSequence; ++sequence) {
        result.path = folder + "\\" +
                      BackupBaseName(now.wMonth, now.wDay, now.wYear, now.wHour, now.wMinute, now.wSecond, sequence) +
                      ".reg";
        result.error = WriteFileBytes(result.path, file.bytes, FileWriteMode::CreateNew);
        if (result.error.empty()) {
            result.ok = true;
            return result;
        }
        if (GetFileAttributesA(result.path.c_str()) == INVALID_FILE_ATTRIBUTES) return result;
    }
    return result;
}

KeyFileBackup BackupKeyToFile(const std::string& backupFolder, const char* toolFolder, RootKeyValue root,
                              const std::string& subKeyPath) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return BackupKeyToFile(backupFolder, toolFolder, root, subKeyPath, now);
}
