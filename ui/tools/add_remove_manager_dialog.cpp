#include "ui/tools/add_remove_manager_dialog.h"

#include "engine/section_descriptors.h"
#include "registry/registry_key.h"
#include "registry/view_keys.h"
#include "resources/resource_ids.h"

AddRemoveManagerDialog::AddRemoveManagerDialog(std::string applicationName, std::string backupFolder,
                                               KeyExporter exporter)
    : KeyManagerDialog(IDD_ADD_REMOVE_MANAGER, {{"Name", 130}, {"File Name", 340}, {"View", 60}},
                       {kAddRemoveManagerHeader, kAddRemoveRemovedText}, std::move(applicationName),
                       std::move(backupFolder), std::move(exporter), kAddRemoveBackupFolder,
                       {kUninstallKey, kUninstallSection}) {}

void AddRemoveManagerDialog::FillList() {
    for (const ViewKey& view : KeyInBothViews(HKEY_LOCAL_MACHINE, kUninstallKey)) {
        CRegistry list;
        if (!list.Open(HKEY_LOCAL_MACHINE, view.path)) continue;
        std::string name;
        while (list.EnumKey(name)) {
            if (name.empty()) continue;  // its path would name the list key itself
            const std::string path = view.path + "\\" + name;
            const CRegistry entry(HKEY_LOCAL_MACHINE, path);
            DWORD systemComponent = 0;
            entry.ReadDword("SystemComponent", systemComponent);
            if (systemComponent == 1) continue;
            std::string displayName, uninstallString;
            entry.ReadString("DisplayName", displayName);
            entry.ReadString("UninstallString", uninstallString);
            if (displayName.empty() && uninstallString.empty()) continue;
            AddRow({displayName, uninstallString, ViewCaption(view)}, KeyEntry{HKEY_LOCAL_MACHINE, path});
        }
    }
}
