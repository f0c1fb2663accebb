#pragma once
// A tool dialog whose rows are registry keys below one list key (in both registry views): each
// checked key is exported into the dialog's folder of key backups, and then removed with the
// others through one backup archive.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/tools/key_exporter.h"
#include "ui/tools/manager_dialog.h"

struct KeyEntry {
    HKEY root;
    std::string keyPath;
};

// Where a key manager's rows live: the list key below HKEY_LOCAL_MACHINE, and the section the
// rows are removed as.
struct KeyListPlace {
    const char* listKey;
    SectionId section;
};

class KeyManagerDialog : public ManagerDialogOf<KeyEntry> {
protected:
    KeyManagerDialog(int templateId, const std::vector<ListColumn>& columns, ManagerTexts texts,
                     std::string applicationName, std::string backupFolder, KeyExporter exporter,
                     const char* backupSubFolder, KeyListPlace place);

    RegistryProblem ProblemOf(const KeyEntry& entry) const final;
    bool SaveBeforeRemoval(const RegistryProblem& entry) final;
    std::vector<ListKey> ListKeys() const final;

private:
    KeyExporter exporter_;
    const char* backupSubFolder_;
    const char* listKey_;
};
