#include "ui/tools/add_remove_manager_dialog.h"

#include <gtest/gtest.h>

#include "tests/ui/export_files.h"
#include "tests/ui/manager_dialog_driver.h"
#include "tests/ui/scratch_registry.h"

namespace {
std::string Entry(const char* name) { return std::string(kUninstallKey) + "\\" + name; }

struct AddRemoveManagerTest : ::testing::Test {
    ScratchRegistry registry;
    MessageBoxRecorder boxes;
    std::string backupFolder = FreshFolder("tidrex-add-remove-backup");

    void Program(const char* key, const char* displayName, const char* uninstallString) {
        registry.OwnKey(HKEY_LOCAL_MACHINE, Entry(key));
        if (displayName) ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, Entry(key), "DisplayName", displayName);
        if (uninstallString) {
            ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, Entry(key), "UninstallString", uninstallString);
        }
    }
    KeyExporter Exporter() { return BackupKeyExporter(backupFolder); }
};

RECT DialogUnits(HWND dialog, RECT rect) {
    MapDialogRect(dialog, &rect);
    return rect;
}

RECT ControlRect(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}
}  // namespace

TEST_F(AddRemoveManagerTest, TemplateHasItsSizeFontAndControls) {
    AddRemoveManagerDialog dialog("TidrexVelora", backupFolder, Exporter());
    RunManager(dialog, [&](HWND window) {
        EXPECT_EQ(WindowTitle(window), "Add Remove Programs Manager");
        EXPECT_EQ(ItemText(window, IDC_MANAGER_HEADER), kAddRemoveManagerHeader);
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
        RECT client{};
        GetClientRect(window, &client);
        ExpectRect(client, DialogUnits(window, {0, 0, 372, 267}), "client");
        ExpectRect(ControlRect(window, IDC_MANAGER_HEADER), DialogUnits(window, {7, 7, 365, 49}), "header");
        ExpectRect(ControlRect(window, IDC_MANAGER_LIST), DialogUnits(window, {7, 54, 365, 224}), "list");
        ExpectRect(ControlRect(window, IDOK), DialogUnits(window, {284, 228, 365, 242}), "Remove Checked");
        ExpectRect(ControlRect(window, IDCANCEL), DialogUnits(window, {284, 246, 365, 260}), "Close");
        EXPECT_EQ(ItemText(window, IDOK), "Remove Checked ");
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(window, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_EQ(ColumnCaption(window, 0), "Name");
        EXPECT_EQ(ColumnCaption(window, 1), "File Name");
        EXPECT_EQ(ListView_GetColumnWidth(ManagerList(window), 0), 130);
        EXPECT_EQ(ListView_GetColumnWidth(ManagerList(window), 1), 340);
    });
}

TEST_F(AddRemoveManagerTest, ListsEntriesWithANameOrAnUninstallCommandUnlessSystemComponents) {
    Program("TidrexTest Shown", "Tidrex Shown Program", "%SystemRoot%\\tidrex-uninstall.exe /x");
    ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, Entry("TidrexTest Shown"), "UninstallString",
                               "%SystemRoot%\\tidrex-uninstall.exe /x", REG_EXPAND_SZ);
    Program("TidrexTest System", "Tidrex System Component", "C:\\system\\uninstall.exe");
    ScratchRegistry::SetDword(HKEY_LOCAL_MACHINE, Entry("TidrexTest System"), "SystemComponent", 1);
    Program("TidrexTest Not System", "Tidrex Ordinary Component", nullptr);
    ScratchRegistry::SetDword(HKEY_LOCAL_MACHINE, Entry("TidrexTest Not System"), "SystemComponent", 0);
    Program("TidrexTest Text Flag", "Tidrex Text Flag", nullptr);
    ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, Entry("TidrexTest Text Flag"), "SystemComponent", "1");
    Program("TidrexTest Command Only", nullptr, "C:\\only\\uninstall.exe");
    Program("TidrexTest Neither", nullptr, nullptr);
    ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, Entry("TidrexTest Neither"), "Publisher", "Nobody");
    AddRemoveManagerDialog dialog("TidrexVelora", backupFolder, Exporter());
    RunManager(dialog, [&](HWND window) {
        HWND list = ManagerList(window);
        const int shown = RowNamed(window, "Tidrex Shown Program");
        ASSERT_GE(shown, 0);
        EXPECT_EQ(ListText(list, shown, 1), "C:\\windows\\tidrex-uninstall.exe /x");
        EXPECT_EQ(RowNamed(window, "Tidrex System Component"), -1);
        EXPECT_GE(RowNamed(window, "Tidrex Ordinary Component"), 0);
        EXPECT_GE(RowNamed(window, "Tidrex Text Flag"), 0);  // not a number: not a system component
        int commandOnly = -1;
        int rows = ListView_GetItemCount(list);
        for (int row = 0; row < rows; ++row) {
            if (ListText(list, row, 1) == "C:\\only\\uninstall.exe") commandOnly = row;
            EXPECT_NE(ListText(list, row, 0) + ListText(list, row, 1), "");
        }
        ASSERT_GE(commandOnly, 0);
        EXPECT_EQ(ListText(list, commandOnly, 0), "");
    });
}

TEST_F(AddRemoveManagerTest, RemovalExportsThenDeletesLeavesNoRowCheckedAndTheExportRestores) {
    Program("TidrexTest Leftover", "Tidrex Leftover", "C:\\gone\\uninstall.exe");
    ScratchRegistry::SetDword(HKEY_LOCAL_MACHINE, Entry("TidrexTest Leftover"), "EstimatedSize", 1234);
    Program("TidrexTest Installed", "Tidrex Installed", "C:\\here\\uninstall.exe");
    AddRemoveManagerDialog dialog("TidrexVelora", backupFolder, Exporter());
    RunManager(dialog, [&](HWND window) {
        CheckRow(window, RowNamed(window, "Tidrex Leftover"));
        Click(window, IDOK);
        EXPECT_EQ(RowNamed(window, "Tidrex Leftover"), -1);
        EXPECT_GE(RowNamed(window, "Tidrex Installed"), 0);
        for (int row = 0; row < ListView_GetItemCount(ManagerList(window)); ++row)
            EXPECT_FALSE(RowChecked(window, row));
    });
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Selected Registry Entries Removed"});
    EXPECT_FALSE(ScratchRegistry::KeyExists(HKEY_LOCAL_MACHINE, Entry("TidrexTest Leftover")));
    const std::vector<std::string> files = RegFiles(backupFolder + "\\AddRemoveBackup");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(ImportWithRegistryEditor(files[0]), 0u);
    EXPECT_EQ(ScratchRegistry::String(HKEY_LOCAL_MACHINE, Entry("TidrexTest Leftover"), "DisplayName"),
              "Tidrex Leftover");
    EXPECT_TRUE(ScratchRegistry::ValueExists(HKEY_LOCAL_MACHINE, Entry("TidrexTest Leftover"), "EstimatedSize"));
}

TEST_F(AddRemoveManagerTest, NothingCheckedAsksForAChoice) {
    Program("TidrexTest Installed", "Tidrex Installed", nullptr);
    AddRemoveManagerDialog dialog("TidrexVelora", backupFolder, Exporter());
    RunManager(dialog, [&](HWND window) { Click(window, IDOK); });
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Please Select an Item from the list, and then Press Remove"});
    EXPECT_TRUE(ScratchRegistry::KeyExists(HKEY_LOCAL_MACHINE, Entry("TidrexTest Installed")));
}
