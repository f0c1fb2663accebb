// Each tool dialog used with the keyboard alone: Tab reaches the list and both buttons, the
// arrows select, Space checks the focused row, Enter removes, Escape closes.
#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/export_files.h"
#include "tests/ui/manager_dialog_driver.h"
#include "tests/ui/scratch_registry.h"
#include "ui/tools/add_remove_manager_dialog.h"
#include "ui/tools/bho_manager_dialog.h"
#include "ui/tools/startup_manager_dialog.h"

namespace {
constexpr const char* kRowName = "TidrexTest Keyboard";
constexpr const char* kObjectId = "{7A1D0C01-0000-4E57-9C0F-54494452EB01}";

enum class Manager { Startup, Bho, AddRemove };

struct PreparedManager {
    std::unique_ptr<ManagerDialog> dialog;
    const char* removedText;
};

// Puts one entry named kRowName where the dialog looks, and makes the dialog.
PreparedManager Prepare(Manager manager, ScratchRegistry& registry, const std::string& backupFolder) {
    switch (manager) {
        case Manager::Startup:
            registry.OwnValue(HKEY_CURRENT_USER, kStartupRunKey, kRowName);
            ScratchRegistry::SetString(HKEY_CURRENT_USER, kStartupRunKey, kRowName, "C:\\keyboard\\tool.exe");
            return {std::make_unique<StartupManagerDialog>("TidrexVelora", backupFolder), kStartupRemovedText};
        case Manager::Bho: {
            const std::string registration = std::string(kBhoListKey) + "\\" + kObjectId;
            registry.OwnKey(HKEY_LOCAL_MACHINE, registration);
            registry.OwnKey(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kObjectId);
            ScratchRegistry::SetString(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kObjectId, "", kRowName);
            return {std::make_unique<BhoManagerDialog>("TidrexVelora", backupFolder, BackupKeyExporter(backupFolder)),
                    kBhoRemovedText};
        }
        case Manager::AddRemove: {
            const std::string entry = std::string(kUninstallKey) + "\\TidrexTest Keyboard";
            registry.OwnKey(HKEY_LOCAL_MACHINE, entry);
            ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, entry, "DisplayName", kRowName);
            return {
                std::make_unique<AddRemoveManagerDialog>("TidrexVelora", backupFolder, BackupKeyExporter(backupFolder)),
                kAddRemoveRemovedText};
        }
    }
    return {};
}

int FocusedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_FOCUSED); }

class ManagerKeyboard : public ::testing::TestWithParam<Manager> {};
}  // namespace

TEST_P(ManagerKeyboard, TabSpaceEnterAndEscape) {
    ScratchRegistry registry;
    MessageBoxRecorder boxes;
    PreparedManager prepared = Prepare(GetParam(), registry, FreshFolder("tidrex-keyboard-backup"));
    const INT_PTR result = RunManager(*prepared.dialog, [&](HWND window) {
        HWND list = ManagerList(window);
        EXPECT_EQ(GetFocus(), list);
        PressKey(window, VK_TAB);
        EXPECT_EQ(GetFocus(), GetDlgItem(window, IDOK));
        PressKey(window, VK_TAB);
        EXPECT_EQ(GetFocus(), GetDlgItem(window, IDCANCEL));
        PressKey(window, VK_TAB);
        ASSERT_EQ(GetFocus(), list);

        const int target = RowNamed(window, kRowName);
        ASSERT_GE(target, 0);
        // The first row has the focus from the start, so Space works at once.
        EXPECT_EQ(FocusedRow(list), 0);
        PressKey(window, VK_HOME);
        for (int step = 0; step < 500 && FocusedRow(list) != target; ++step) PressKey(window, VK_DOWN);
        ASSERT_EQ(FocusedRow(list), target);
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), target);
        EXPECT_FALSE(RowChecked(window, target));
        PressKey(window, VK_SPACE);
        EXPECT_TRUE(RowChecked(window, target));
        PressKey(window, VK_SPACE);
        EXPECT_FALSE(RowChecked(window, target));
        PressKey(window, VK_SPACE);
        ASSERT_TRUE(RowChecked(window, target));

        PressKey(window, VK_RETURN);
        EXPECT_EQ(boxes.texts, std::vector<std::string>{prepared.removedText});
        EXPECT_EQ(RowNamed(window, kRowName), -1);
        EXPECT_TRUE(IsWindowVisible(window));
        PressKey(window, VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
}

namespace {
std::string ManagerName(const ::testing::TestParamInfo<Manager>& info) {
    switch (info.param) {
        case Manager::Startup: return "Startup";
        case Manager::Bho: return "Bho";
        case Manager::AddRemove: return "AddRemove";
    }
    return "Unknown";
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(Dialogs, ManagerKeyboard,
                         ::testing::Values(Manager::Startup, Manager::Bho, Manager::AddRemove), ManagerName);
