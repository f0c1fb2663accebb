#pragma once
// The export the tool dialogs make of a registry key before they delete it.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/tools/removal_summary.h"

// Exports the key with its subtree into a new file in the sub-folder of the backup folder;
// true only when the file was written completely. An earlier export is never overwritten.
// writtenFile, when given, receives the file's path.
using KeyExporter =
    std::function<bool(HKEY root, const std::string& keyPath, const std::string& subFolder, std::string* writtenFile)>;

// Exports into the sub-folder of this backup folder, in-process, in the registry editor's format.
KeyExporter BackupKeyExporter(const std::string& backupFolder);

// Exports the key, then deletes it with its subtree; a key whose export failed stays. A key
// that is already gone counts as removed.
RemovalOutcome ExportThenDeleteKey(const KeyExporter& exporter, HKEY root, const std::string& keyPath,
                                   const std::string& subFolder);
