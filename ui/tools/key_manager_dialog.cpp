#include "ui/tools/key_manager_dialog.h"

#include "registry/registry_key.h"
#include "registry/view_keys.h"

KeyManagerDialog::KeyManagerDialog(int templateId, const std::vector<ListColumn>& columns, ManagerTexts texts,
                                   std::string applicationName, std::string backupFolder, KeyExporter exporter,
                                   const char* backupSubFolder, KeyListPlace place)
    : ManagerDialogOf(templateId, columns, texts, std::move(applicationName), std::move(backupFolder), place.section),
      exporter_(std::move(exporter)),
      backupSubFolder_(backupSubFolder),
      listKey_(place.listKey) {}

RegistryProblem KeyManagerDialog::ProblemOf(const KeyEntry& entry) const {
    return {
        static_cast<RootKeyValue>(reinterpret_cast<uintptr_t>(entry.root)), entry.keyPath, {}, {}, RemovalScope::Key};
}

bool KeyManagerDialog::SaveBeforeRemoval(const RegistryProblem& entry) {
    return KeySavedOrGone(exporter_, RootKeyHandle(entry.rootKey), entry.keyPath, backupSubFolder_);
}

std::vector<ListKey> KeyManagerDialog::ListKeys() const {
    std::vector<ListKey> keys = SectionListKeys();
    for (const ViewKey& view : KeyInBothViews(HKEY_LOCAL_MACHINE, listKey_))
        keys.push_back({Section(), kLocalMachine, view.path});
    return keys;
}
