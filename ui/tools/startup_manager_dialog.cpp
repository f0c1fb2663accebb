#include "ui/tools/startup_manager_dialog.h"

#include <shlwapi.h>

#include "registry/registry_key.h"
#include "registry/view_keys.h"
#include "resources/resource_ids.h"
#include "ui/tools/program_details.h"

StartupManagerDialog::StartupManagerDialog(std::string applicationName)
    : ManagerDialogOf(IDD_STARTUP_MANAGER, {{"Program Name", 130}, {"File Name", 340}, {"View", 60}},
                      {kStartupManagerHeader, kStartupRemovedText}, std::move(applicationName)) {}

void StartupManagerDialog::FillList() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const ViewKey& view : KeyInBothViews(root, kStartupRunKey)) {
            CRegistry run;
            if (!run.Open(root, view.path)) continue;
            std::string name;
            DWORD type = 0;
            while (run.EnumValue(name, type)) {
                std::string command;
                run.ReadString(name.c_str(), command);
                AddRow({name, command, ViewCaption(view)}, RunEntry{root, view.path, name});
            }
        }
    }
}

RemovalOutcome StartupManagerDialog::Remove(const RunEntry& entry) {
    const LONG result = SHDeleteValueA(entry.root, entry.keyPath.c_str(), entry.valueName.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND ? RemovalOutcome::Removed
                                                                     : RemovalOutcome::KeptUndeleted;
}

void StartupManagerDialog::ShowDetails(int row) { ShowVersionDetails(VersionFileOfCommand(list_.Text(row, 1))); }
