#pragma once
// The export the tool dialogs make of a registry key before they delete it.
#include <windows.h>

#include <functional>
#include <string>

// Exports the key with its subtree into a new file in the sub-folder of the backup folder;
// true only when the file was written completely. An earlier export is never overwritten.
// writtenFile, when given, receives the file's path.
using KeyExporter =
    std::function<bool(HKEY root, const std::string& keyPath, const std::string& subFolder, std::string* writtenFile)>;

// Exports into the sub-folder of this backup folder, in-process, in the registry editor's format.
KeyExporter BackupKeyExporter(const std::string& backupFolder);

// Whether the key may go as far as its own export is concerned: it was exported completely, or
// it is gone already and nothing of it can be lost. A whole root never may.
bool KeySavedOrGone(const KeyExporter& exporter, HKEY root, const std::string& keyPath, const std::string& subFolder);
