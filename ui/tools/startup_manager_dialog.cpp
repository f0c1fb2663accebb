#include "ui/tools/startup_manager_dialog.h"

#include "engine/section_descriptors.h"
#include "registry/registry_key.h"
#include "registry/view_keys.h"
#include "resources/resource_ids.h"
#include "ui/tools/program_details.h"

StartupManagerDialog::StartupManagerDialog(std::string applicationName, std::string backupFolder)
    : ManagerDialogOf(IDD_STARTUP_MANAGER, {{"Program Name", 130}, {"File Name", 340}, {"View", 60}},
                      {kStartupManagerHeader, kStartupRemovedText}, std::move(applicationName), std::move(backupFolder),
                      kStartupProgramsSection) {}

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
                AddRow({name, command, ViewCaption(view)}, RunEntry{root, view.path, name, command});
            }
        }
    }
}

RegistryProblem StartupManagerDialog::ProblemOf(const RunEntry& entry) const {
    return {static_cast<RootKeyValue>(reinterpret_cast<uintptr_t>(entry.root)), entry.keyPath, entry.valueName,
            entry.command, RemovalScope::Value};
}

void StartupManagerDialog::ShowDetails(int row) { ShowVersionDetails(VersionFileOfCommand(list_.Text(row, 1))); }
