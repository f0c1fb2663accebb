// Poses the three tool dialogs with sample entries, a checked row and the details of a selected
// program, printing "SHOT name left top width height" at each and waiting for a line on its
// input: scripts/screenshots takes the picture meanwhile. Not a test; it only poses them.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>

#include "tests/ui/dialog_driver.h"
#include "tests/ui/tour_shot.h"
#include "tests/ui/export_files.h"
#include "tests/ui/manager_dialog_driver.h"
#include "tests/ui/scratch_registry.h"
#include "tests/ui/version_samples.h"
#include "ui/tools/add_remove_manager_dialog.h"
#include "ui/tools/bho_manager_dialog.h"
#include "registry/registry_view.h"
#include "ui/tools/startup_manager_dialog.h"

namespace {
constexpr const char* kHelper = "C:\\Program Files\\Sample Works\\Sample Helper.exe";
constexpr const char* kToolbar = "C:\\Program Files\\Sample Works\\SampleBar.dll";
constexpr const char* kHelperId = "{7A1D0C01-0000-4E57-9C0F-54494452EC01}";
constexpr const char* kToolbarId = "{7A1D0C01-0000-4E57-9C0F-54494452EC02}";
constexpr const char* kOrphanId = "{7A1D0C01-0000-4E57-9C0F-54494452EC03}";
constexpr const char* kLegacyId = "{7A1D0C01-0000-4E57-9C0F-54494452EC04}";
constexpr const char* kLegacy = "C:\\Program Files (x86)\\Legacy Works\\legacy.exe";

void Pose(ManagerDialog& dialog, const char* name, const char* selected, const char* checked) {
    RunManager(dialog, [&](HWND window) {
        SetFocus(ManagerList(window));
        CheckRow(window, RowNamed(window, checked));
        SelectRow(window, RowNamed(window, selected));
        Shot(name, window);
    });
}

void RunValue(ScratchRegistry& registry, HKEY root, const char* name, const std::string& command,
              const std::string& key = kStartupRunKey) {
    registry.OwnValue(root, key, name);
    ScratchRegistry::CreateKey(root, key);
    ScratchRegistry::SetString(root, key, name, command);
}

void Bho(ScratchRegistry& registry, const char* id, const char* name, const char* library, bool thirtyTwoBit = false) {
    registry.OwnKey(HKEY_LOCAL_MACHINE, (thirtyTwoBit ? ThirtyTwoBitKeyPath(kBhoListKey) : kBhoListKey) + "\\" + id);
    if (!name && !library) return;
    const std::string classKey = std::string(thirtyTwoBit ? "Wow6432Node\\CLSID\\" : "CLSID\\") + id;
    registry.OwnKey(HKEY_CLASSES_ROOT, classKey);
    if (name) ScratchRegistry::SetString(HKEY_CLASSES_ROOT, classKey, "", name);
    if (library) {
        ScratchRegistry::CreateKey(HKEY_CLASSES_ROOT, classKey + "\\InProcServer32");
        ScratchRegistry::SetString(HKEY_CLASSES_ROOT, classKey + "\\InProcServer32", "", library);
    }
}

void Program(ScratchRegistry& registry, const char* key, const char* name, const char* uninstall,
             bool thirtyTwoBit = false) {
    const std::string path = (thirtyTwoBit ? ThirtyTwoBitKeyPath(kUninstallKey) : kUninstallKey) + "\\" + key;
    registry.OwnKey(HKEY_LOCAL_MACHINE, path);
    if (name) ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, path, "DisplayName", name);
    ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, path, "UninstallString", uninstall);
}
}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    PlaceSample("english_only", kHelper);
    PlaceSample("english_german", kToolbar);
    MessageBoxRecorder boxes;
    {
        ScratchRegistry registry;
        RunValue(registry, HKEY_CURRENT_USER, "Sample Helper", std::string("\"") + kHelper + "\" /tray");
        RunValue(registry, HKEY_CURRENT_USER, "OldUpdater", "C:\\Program Files\\Old Updater\\updater.exe -silent");
        RunValue(registry, HKEY_LOCAL_MACHINE, "Sample Helper", std::string("\"") + kHelper + "\" /all-users");
        RunValue(registry, HKEY_LOCAL_MACHINE, "Volume Tray", "C:\\windows\\system32\\sndvol.exe /tray");
        RunValue(registry, HKEY_LOCAL_MACHINE, "Legacy Agent", std::string("\"") + kLegacy + "\" /agent",
                 ThirtyTwoBitKeyPath(kStartupRunKey));
        StartupManagerDialog dialog("TidrexVelora", FreshFolder("tidrex-tour-backup"));
        Pose(dialog, "startup-manager", "Sample Helper", "OldUpdater");
    }
    {
        ScratchRegistry registry;
        Bho(registry, kHelperId, "Sample Helper Object", kHelper);
        Bho(registry, kToolbarId, "SampleBar Toolbar Helper", kToolbar);
        Bho(registry, kOrphanId, nullptr, nullptr);
        Bho(registry, kLegacyId, "Legacy Search Helper", "C:\\Program Files (x86)\\Legacy Works\\search.dll", true);
        const std::string backupFolder = FreshFolder("tidrex-tour-backup");
        BhoManagerDialog dialog("TidrexVelora", backupFolder, BackupKeyExporter(backupFolder));
        Pose(dialog, "bho-manager", "SampleBar Toolbar Helper", "None Specified");
    }
    {
        ScratchRegistry registry;
        Program(registry, "SampleSuite", "Sample Suite 7.1", "\"C:\\Program Files\\Sample Works\\uninstall.exe\"");
        Program(registry, "OldUpdater", "Old Updater (leftover)", "C:\\Program Files\\Old Updater\\unins000.exe");
        Program(registry, "{8E5F1B2C-0000-4E57-9C0F-54494452ED01}", nullptr, "MsiExec.exe /X{8E5F1B2C-0000-4E57}");
        Program(registry, "LegacyWorks", "Legacy Works 2.0 (32-bit)",
                "\"C:\\Program Files (x86)\\Legacy Works\\uninst.exe\"", true);
        const std::string backupFolder = FreshFolder("tidrex-tour-backup");
        AddRemoveManagerDialog dialog("TidrexVelora", backupFolder, BackupKeyExporter(backupFolder));
        Pose(dialog, "add-remove-manager", "Sample Suite 7.1", "Old Updater (leftover)");
    }
    return 0;
}
