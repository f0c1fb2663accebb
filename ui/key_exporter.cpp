#include "ui/key_exporter.h"

#include <shlwapi.h>

#include "app/executable_folder.h"
#include "app/scan_log_format.h"
#include "base/unique_handles.h"
#include "ui/registry_editor_export.h"

// STAND-IN: exports through the registry editor until the backup library's BackupKeyToFile
// takes this place; the dialogs only rely on the KeyExporter contract.
KeyExporter DefaultKeyExporter() {
    return RegistryEditorExporter(WithoutTrailingBackslashes(ExecutableFolder()) + "\\Backup");
}

RemovalOutcome ExportThenDeleteKey(const KeyExporter& exporter, HKEY root, const std::string& keyPath,
                                   const std::string& subFolder) {
    UniqueHkey probe;
    const LONG opened = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, probe.put());
    if (opened != ERROR_SUCCESS) probe.release();  // a failed open leaves nothing to close
    if (opened == ERROR_FILE_NOT_FOUND) return RemovalOutcome::Removed;
    if (!exporter || !exporter(root, keyPath, subFolder, nullptr)) return RemovalOutcome::KeptUnsaved;
    const LONG deleted = SHDeleteKeyA(root, keyPath.c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND ? RemovalOutcome::Removed
                                                                       : RemovalOutcome::KeptUndeleted;
}
