#pragma once
// A tool dialog whose rows are registry keys: each checked key is exported into the dialog's
// folder of backups before it is deleted with its subtree.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/tools/key_exporter.h"
#include "ui/tools/manager_dialog.h"

struct KeyEntry {
    HKEY root;
    std::string keyPath;
};

class KeyManagerDialog : public ManagerDialogOf<KeyEntry> {
protected:
    KeyManagerDialog(int templateId, const std::vector<ListColumn>& columns, ManagerTexts texts,
                     std::string applicationName, KeyExporter exporter, const char* backupSubFolder)
        : ManagerDialogOf(templateId, columns, texts, std::move(applicationName)),
          exporter_(std::move(exporter)),
          backupSubFolder_(backupSubFolder) {}

    RemovalOutcome Remove(const KeyEntry& entry) final {
        return ExportThenDeleteKey(exporter_, entry.root, entry.keyPath, backupSubFolder_);
    }

private:
    KeyExporter exporter_;
    const char* backupSubFolder_;
};
