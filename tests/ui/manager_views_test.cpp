// The tool dialogs list the entries of both registry views, each row saying which view it comes
// from, and remove an entry where it really is.
#include <gtest/gtest.h>

#include "tests/ui/export_files.h"
#include "tests/ui/manager_dialog_driver.h"
#include "tests/ui/scratch_registry.h"
#include "ui/tools/add_remove_manager_dialog.h"
#include "ui/tools/bho_manager_dialog.h"
#include "registry/registry_view.h"
#include "ui/tools/startup_manager_dialog.h"

namespace {
// Opens the dialog; the row of each name shows the view, and removing the checked 32-bit row
// takes the entry from the 32-bit key.
void ExpectViewsAndRemoval(ManagerDialog& dialog, const std::vector<std::pair<std::string, std::string>>& rows,
                           const std::string& removed, const std::function<bool()>& removedIsGone) {
    RunManager(dialog, [&](HWND window) {
        EXPECT_EQ(ColumnCaption(window, 2), "View");
        for (const auto& [name, view] : rows) {
            const int row = RowNamed(window, name);
            ASSERT_GE(row, 0) << name;
            EXPECT_EQ(ListText(ManagerList(window), row, 2), view) << name;
        }
        CheckRow(window, RowNamed(window, removed));
        Click(window, IDOK);
        EXPECT_EQ(RowNamed(window, removed), -1);
    });
    EXPECT_TRUE(removedIsGone());
}
}  // namespace

TEST(ManagerViews, StartupListsBothMachineViewsAndTheSharedUserKey) {
    ScratchRegistry registry;
    MessageBoxRecorder boxes;
    const std::string machine32 = ThirtyTwoBitKeyPath(kStartupRunKey);
    for (const auto& [root, key, name] :
         {std::tuple{HKEY_LOCAL_MACHINE, std::string(kStartupRunKey), "TidrexView 64"},
          std::tuple{HKEY_LOCAL_MACHINE, machine32, "TidrexView 32"},
          std::tuple{HKEY_CURRENT_USER, std::string(kStartupRunKey), "TidrexView User"}}) {
        registry.OwnValue(root, key, name);
        ScratchRegistry::CreateKey(root, key);
        ScratchRegistry::SetString(root, key, name, "C:\\gone\\x.exe");
    }
    StartupManagerDialog dialog("TidrexVelora", FreshFolder("tidrex-view-backup"));
    ExpectViewsAndRemoval(dialog,
                          {{"TidrexView 64", "64-bit"}, {"TidrexView 32", "32-bit"}, {"TidrexView User", "Both"}},
                          "TidrexView 32", [&] {
                              return !ScratchRegistry::ValueExists(HKEY_LOCAL_MACHINE, machine32, "TidrexView 32") &&
                                     ScratchRegistry::ValueExists(HKEY_LOCAL_MACHINE, kStartupRunKey, "TidrexView 64");
                          });
}

TEST(ManagerViews, KeyManagersListBothViews) {
    const std::string backupFolder = FreshFolder("tidrex-view-backup");
    struct Case {
        std::function<std::unique_ptr<ManagerDialog>()> dialog;
        std::string listKey;
    };
    const Case cases[] = {
        {[&] {
             return std::make_unique<BhoManagerDialog>("TidrexVelora", backupFolder, BackupKeyExporter(backupFolder));
         },
         kBhoListKey},
        {[&] {
             return std::make_unique<AddRemoveManagerDialog>("TidrexVelora", backupFolder,
                                                             BackupKeyExporter(backupFolder));
         },
         kUninstallKey},
    };
    for (const Case& test : cases) {
        ScratchRegistry registry;
        MessageBoxRecorder boxes;
        const std::string entry32 = ThirtyTwoBitKeyPath(test.listKey) + "\\{7A1D0C01-0000-4E57-9C0F-54494452EA32}";
        const std::string entry64 = test.listKey + "\\{7A1D0C01-0000-4E57-9C0F-54494452EA64}";
        for (const std::string& key : {entry32, entry64}) {
            registry.OwnKey(HKEY_LOCAL_MACHINE, key);
            ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, key, "",
                                       key == entry32 ? "View Object 32" : "View Object 64");
            ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, key, "DisplayName",
                                       key == entry32 ? "View Object 32" : "View Object 64");
        }
        const auto dialog = test.dialog();
        ExpectViewsAndRemoval(*dialog, {{"View Object 32", "32-bit"}, {"View Object 64", "64-bit"}}, "View Object 32",
                              [&] {
                                  return !ScratchRegistry::KeyExists(HKEY_LOCAL_MACHINE, entry32) &&
                                         ScratchRegistry::KeyExists(HKEY_LOCAL_MACHINE, entry64);
                              });
    }
}
