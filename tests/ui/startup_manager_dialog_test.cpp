#include "ui/tools/startup_manager_dialog.h"

#include <gtest/gtest.h>

#include "backup/backup_list.h"
#include "backup/backup_restore.h"
#include "tests/ui/export_files.h"
#include "tests/ui/manager_dialog_driver.h"
#include "tests/ui/scratch_registry.h"
#include "tests/ui/version_samples.h"

namespace {
constexpr const char* kSampleFolder = "C:\\Program Files\\Tidrex Startup Sample";
constexpr const char* kSample = "C:\\Program Files\\Tidrex Startup Sample\\Sample Helper.exe";

struct StartupManagerTest : ::testing::Test {
    ScratchRegistry registry;
    MessageBoxRecorder boxes;
    std::string backupFolder = FreshFolder("tidrex-startup-backup");
    StartupManagerDialog dialog{"TidrexVelora", backupFolder};

    // A Run value of the test's own.
    void Run(HKEY root, const char* name, const std::string& data, DWORD type = REG_SZ) {
        registry.OwnValue(root, kStartupRunKey, name);
        ScratchRegistry::CreateKey(root, kStartupRunKey);
        ScratchRegistry::SetString(root, kStartupRunKey, name, data, type);
    }
    void RunDword(HKEY root, const char* name, DWORD data) {
        registry.OwnValue(root, kStartupRunKey, name);
        ScratchRegistry::SetDword(root, kStartupRunKey, name, data);
    }
    static bool Listed(HKEY root, const char* name) { return ScratchRegistry::ValueExists(root, kStartupRunKey, name); }
};
}  // namespace

TEST_F(StartupManagerTest, ListsBothRunKeysCurrentUserFirstWithTheirCommands) {
    Run(HKEY_LOCAL_MACHINE, "TidrexTest Twice", "C:\\Machine\\twice.exe");
    Run(HKEY_LOCAL_MACHINE, "TidrexTest Expanded", "%SystemRoot%\\tidrex-expanded.exe /q", REG_EXPAND_SZ);
    RunDword(HKEY_LOCAL_MACHINE, "TidrexTest Number", 7);
    Run(HKEY_CURRENT_USER, "TidrexTest Twice", "C:\\User\\twice.exe");
    RunManager(dialog, [&](HWND window) {
        EXPECT_EQ(WindowTitle(window), "Startup Programs Manager");
        EXPECT_EQ(ItemText(window, IDC_MANAGER_HEADER), kStartupManagerHeader);
        EXPECT_EQ(ItemText(window, IDOK), "Remove Checked ");
        EXPECT_EQ(ItemText(window, IDCANCEL), "Close");
        HWND list = ManagerList(window);
        EXPECT_EQ(ColumnCaption(window, 0), "Program Name");
        EXPECT_EQ(ColumnCaption(window, 1), "File Name");
        EXPECT_EQ(ListView_GetColumnWidth(list, 0), 130);
        EXPECT_EQ(ListView_GetColumnWidth(list, 1), 340);
        const DWORD extended = ListView_GetExtendedListViewStyle(list);
        EXPECT_TRUE(extended & LVS_EX_CHECKBOXES);
        EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
        const LONG style = GetWindowLongA(list, GWL_STYLE);
        EXPECT_TRUE(style & LVS_SINGLESEL);
        EXPECT_TRUE(style & LVS_SHOWSELALWAYS);

        // The current user's rows come first: the user's "Twice" before the machine's.
        const std::vector<std::string> names = RowNames(window);
        std::vector<int> twice;
        for (int row = 0; row < static_cast<int>(names.size()); ++row) {
            if (names[row] == "TidrexTest Twice") twice.push_back(row);
            EXPECT_FALSE(RowChecked(window, row));
        }
        ASSERT_EQ(twice.size(), 2u);
        EXPECT_EQ(ListText(list, twice[0], 1), "C:\\User\\twice.exe");
        EXPECT_EQ(ListText(list, twice[1], 1), "C:\\Machine\\twice.exe");
        EXPECT_EQ(ListText(list, RowNamed(window, "TidrexTest Expanded"), 1), "C:\\windows\\tidrex-expanded.exe /q");
        const int number = RowNamed(window, "TidrexTest Number");
        ASSERT_GE(number, 0);
        EXPECT_EQ(ListText(list, number, 1), "");
    });
}

TEST_F(StartupManagerTest, DetailsFollowTheSelectedRowNotTheCheckedOnes) {
    ASSERT_TRUE(PlaceSample("english_only", kSample));
    const std::string plain = SampleFolder("tidrex-startup") + "\\plain.exe";
    ASSERT_TRUE(PlaceSample("no_version", plain));
    Run(HKEY_CURRENT_USER, "TidrexTest Helper",
        std::string("\"") + kSampleFolder + "\\SAMPLE HELPER.EXE\" /background");
    Run(HKEY_CURRENT_USER, "TidrexTest Plain", plain);
    const ShownDetails helper{"samplehelper (Version : 7.1.0.12)", "Sample Suite (Version : 7.1)", "Sample Tray Helper",
                              "Sample Works & Sons"};
    RunManager(dialog, [&](HWND window) {
        const int helperRow = RowNamed(window, "TidrexTest Helper");
        const int plainRow = RowNamed(window, "TidrexTest Plain");
        ASSERT_GE(helperRow, 0);
        ASSERT_GE(plainRow, 0);
        SelectRow(window, helperRow);
        EXPECT_EQ(DetailsShown(window), helper);
        CheckRow(window, plainRow);
        EXPECT_EQ(DetailsShown(window), helper);
        EXPECT_TRUE(RowChecked(window, plainRow));
        SelectRow(window, plainRow);
        EXPECT_EQ(DetailsShown(window), ShownDetails{});
        // Checking the selected row keeps its details.
        SelectRow(window, helperRow);
        CheckRow(window, helperRow);
        EXPECT_EQ(DetailsShown(window), helper);
    });
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(StartupManagerTest, RemoveCheckedDeletesTheirValuesFillsTheListAgainAndSaysSo) {
    Run(HKEY_CURRENT_USER, "TidrexTest Remove User", "C:\\gone\\user.exe");
    Run(HKEY_LOCAL_MACHINE, "TidrexTest Remove Machine", "C:\\gone\\machine.exe");
    Run(HKEY_LOCAL_MACHINE, "TidrexTest Keep", "C:\\kept\\keep.exe");
    Run(HKEY_CURRENT_USER, "TidrexTest Vanished", "C:\\gone\\vanished.exe");
    RunManager(dialog, [&](HWND window) {
        for (const char* name : {"TidrexTest Remove User", "TidrexTest Remove Machine", "TidrexTest Vanished"}) {
            const int row = RowNamed(window, name);
            ASSERT_GE(row, 0) << name;
            CheckRow(window, row);
        }
        // Gone before the removal runs: nothing is left to remove, which is no failure.
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kStartupRunKey, "TidrexTest Vanished");
        Click(window, IDOK);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(RowNamed(window, "TidrexTest Remove User"), -1);
        EXPECT_EQ(RowNamed(window, "TidrexTest Remove Machine"), -1);
        EXPECT_EQ(RowNamed(window, "TidrexTest Vanished"), -1);
        ASSERT_GE(RowNamed(window, "TidrexTest Keep"), 0);
        for (int row = 0; row < ListView_GetItemCount(ManagerList(window)); ++row)
            EXPECT_FALSE(RowChecked(window, row));
    });
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Selected Registry Entries Deleted"});
    EXPECT_EQ(boxes.captions, std::vector<std::string>{"TidrexVelora"});
    EXPECT_FALSE(Listed(HKEY_CURRENT_USER, "TidrexTest Remove User"));
    EXPECT_FALSE(Listed(HKEY_LOCAL_MACHINE, "TidrexTest Remove Machine"));
    EXPECT_TRUE(Listed(HKEY_LOCAL_MACHINE, "TidrexTest Keep"));
}

TEST_F(StartupManagerTest, RemovalWritesOneArchiveThatTheRestorePageGivesBack) {
    Run(HKEY_CURRENT_USER, "TidrexTest Saved User", "C:\\gone\\user.exe");
    Run(HKEY_LOCAL_MACHINE, "TidrexTest Saved Expanded", "%ProgramFiles%\\gone\\tray.exe /q", REG_EXPAND_SZ);
    RunDword(HKEY_LOCAL_MACHINE, "TidrexTest Saved Number", 0x01020304);
    const std::vector<std::pair<HKEY, const char*>> saved = {{HKEY_CURRENT_USER, "TidrexTest Saved User"},
                                                             {HKEY_LOCAL_MACHINE, "TidrexTest Saved Expanded"},
                                                             {HKEY_LOCAL_MACHINE, "TidrexTest Saved Number"}};
    std::vector<std::string> before;
    for (const auto& [root, name] : saved) before.push_back(ScratchRegistry::RawValue(root, kStartupRunKey, name));
    RunManager(dialog, [&](HWND window) {
        for (const auto& [root, name] : saved) CheckRow(window, RowNamed(window, name));
        Click(window, IDOK);
    });
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Selected Registry Entries Deleted"});
    for (const auto& [root, name] : saved) EXPECT_FALSE(Listed(root, name)) << name;

    const std::vector<BackupArchive> archives = ListBackupArchives(backupFolder);
    ASSERT_EQ(archives.size(), 1u);
    const RestoreReport restored = RestoreBackup(archives[0].path);
    EXPECT_EQ(restored.status, RestoreReport::Status::Restored) << restored.Message();
    EXPECT_EQ(restored.restored, 3);
    for (size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(ScratchRegistry::RawValue(saved[i].first, kStartupRunKey, saved[i].second), before[i])
            << saved[i].second;
    }
}

TEST_F(StartupManagerTest, NothingCheckedAsksForAChoiceInABoxOfTheDialogAndRemovesNothing) {
    Run(HKEY_CURRENT_USER, "TidrexTest Unchecked", "C:\\x.exe");
    struct Box {
        HWND owner;
        std::string text, caption;
        UINT type;
    };
    std::vector<Box> shown;
    SetMessageBoxHandler([&](HWND owner, const std::string& text, const std::string& caption, UINT type) {
        shown.push_back({owner, text, caption, type});
        return IDOK;
    });
    HWND dialogWindow = nullptr;
    RunManager(dialog, [&](HWND window) {
        dialogWindow = window;
        Click(window, IDOK);
        EXPECT_GE(RowNamed(window, "TidrexTest Unchecked"), 0);
    });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Please Select an Item from the list, and then Press Remove");
    EXPECT_EQ(shown[0].caption, "TidrexVelora");
    EXPECT_EQ(shown[0].owner, dialogWindow);
    EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_OK));  // an OK button and no icon
    EXPECT_TRUE(Listed(HKEY_CURRENT_USER, "TidrexTest Unchecked"));
}
