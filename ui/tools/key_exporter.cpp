#include "ui/tools/key_exporter.h"

#include "base/unique_handles.h"
#include "backup/key_file_backup.h"
#include "registry/root_keys.h"

KeyExporter BackupKeyExporter(const std::string& backupFolder) {
    return
        [backupFolder](HKEY root, const std::string& keyPath, const std::string& subFolder, std::string* writtenFile) {
            // A tool's export always names a key below a root; a whole hive is never its business.
            if (keyPath.empty()) return false;
            const RootKeyValue rootValue = static_cast<RootKeyValue>(reinterpret_cast<uintptr_t>(root));
            const KeyFileBackup backup = BackupKeyToFile(backupFolder, subFolder.c_str(), rootValue, keyPath);
            if (backup.ok && writtenFile) *writtenFile = backup.path;
            return backup.ok;
        };
}

bool KeySavedOrGone(const KeyExporter& exporter, HKEY root, const std::string& keyPath, const std::string& subFolder) {
    if (keyPath.empty()) return false;  // never a whole root
    UniqueHkey probe;
    const LONG opened = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, probe.put());
    if (opened != ERROR_SUCCESS) probe.release();  // a failed open leaves nothing to close
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    return exporter && exporter(root, keyPath, subFolder, nullptr);
}
