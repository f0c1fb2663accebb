// The ignore list used with the keyboard alone: rows ignored in the details dialog (Alt+I, and
// the context menu from Shift+F10 or the menu key) leave the section and stay out of the next
// scan; the Ignored Entries dialog (Delete, "Remove") brings them back in the scan after it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/ignore_list_store.h"
#include "resources/resource_ids.h"
#include "tests/support/registry_sandbox.h"
#include "tests/ui/manager_dialog_driver.h"
#include "tests/ui/scripted_operations.h"
#include "ui/main/main_dialog.h"

namespace {
constexpr const char* kKey = "Software\\Sandbox\\Ignore";

// Two values of one key and a key of its own.
void ReportThree(ScanEngine& engine) {
    engine.Report(
        MakeProblem(kFontsSection, "Invalid reference",
                    RegistryProblem{kLocalMachine, kKey, "Alpha", "C:\\missing\\a.ttf", RemovalScope::Value}));
    engine.Report(MakeProblem(
        kFontsSection, "Invalid reference",
        RegistryProblem{kLocalMachine, std::string(kKey) + "\\Gone", "", "C:\\missing\\b.ttf", RemovalScope::Key}));
    engine.Report(
        MakeProblem(kFontsSection, "Invalid reference",
                    RegistryProblem{kLocalMachine, kKey, "Gamma", "C:\\missing\\c.ttf", RemovalScope::Value}));
}

int FocusedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_FOCUSED); }

// Whether a context menu opens on the key press; it is closed again with the key given.
bool MenuOpensOn(HWND dialog, const std::function<void()>& press, UINT closingKey) {
    bool shown = false;
    DialogSteps::Schedule([&] {
        shown = FindWindowA("#32768", nullptr) != nullptr;
        // The menu's own loop reads these.
        PostMessageA(GetFocus(), WM_KEYDOWN, closingKey, 0);
        PostMessageA(GetFocus(), WM_KEYUP, closingKey, 0xC0000001);
    });
    press();
    PumpLikeDialog(dialog);
    return shown;
}

struct IgnoreKeyboard : ::testing::Test {
    RegistrySandbox settings{"IgnoreKeyboard"};
    Preferences preferences{settings.Path(), settings.Sub("Run")};
    IgnoreListStore store{settings.Path()};
    ScriptedOperations operations;
    MessageBoxRecorder boxes;
    std::unique_ptr<MainDialog> dialog;

    IgnoreKeyboard() {
        settings.SetDword("", std::to_string(kFontsSection).c_str(), 1);
        operations.scripts[ScanOperation::Fonts] = ReportThree;
        dialog = std::make_unique<MainDialog>(
            MainDialogStartup{nullptr, nullptr, &preferences, "TidrexVelora", &operations});
    }
    ScanSection& Fonts() { return *dialog->Sections().Find(kFontsSection); }
    void ScanByKeys(HWND window) {
        ASSERT_TRUE(TabTo(window, IDC_NAV_SCAN));
        PressKey(window, VK_SPACE);
        ASSERT_TRUE(IsWindowVisible(dialog->Item(IDC_RESULTS_LIST)));
    }
    void IgnoreTwoRows(HWND window);
    void RemoveBothEntries(HWND window);
};

// "Gone" by its button's mnemonic, "Alpha" by its context menu's; "Gamma" stays.
void IgnoreKeyboard::IgnoreTwoRows(HWND window) {
    ASSERT_TRUE(TabTo(window, IDC_RESULTS_LIST));
    int rowsLeft = -1;
    InDialog("Details", [&](HWND details) {
        HWND list = GetDlgItem(details, IDC_DETAILS_LIST);
        EXPECT_EQ(GetFocus(), list);
        PressKey(details, VK_DOWN);
        PressAlt(details, 'i');
        ASSERT_EQ(ListView_GetItemCount(list), 2);
        EXPECT_EQ(GetFocus(), list);
        EXPECT_EQ(FocusedRow(list), 1);
        PressKey(details, VK_UP);
        EXPECT_TRUE(MenuOpensOn(
            details, [&] { PressShiftF10(details); }, 'I'));
        EXPECT_EQ(ListView_GetItemCount(list), 1);
        EXPECT_TRUE(MenuOpensOn(
            details, [&] { PressKey(details, VK_APPS); }, VK_ESCAPE));
        rowsLeft = ListView_GetItemCount(list);
        PressKey(details, VK_ESCAPE);
    });
    PressKey(window, VK_RETURN);
    EXPECT_EQ(rowsLeft, 1);
}

// Delete on the first row, "Remove" with Space on the second.
void IgnoreKeyboard::RemoveBothEntries(HWND window) {
    ASSERT_TRUE(TabTo(window, IDC_NAV_ADVANCED));
    PressKey(window, VK_RETURN);
    ASSERT_TRUE(TabTo(window, IDC_IGNORED_ENTRIES));
    std::vector<int> rowCounts;
    InDialog("Ignored Entries", [&](HWND entries) {
        HWND list = GetDlgItem(entries, IDC_IGNORED_LIST);
        EXPECT_EQ(GetFocus(), list);
        rowCounts.push_back(ListView_GetItemCount(list));
        EXPECT_EQ(ListText(list, 0), "Key");
        EXPECT_EQ(ListText(list, 0, 1), "HKEY_LOCAL_MACHINE\\Software\\Sandbox\\Ignore\\Gone");
        EXPECT_EQ(ListText(list, 1, 2), "Alpha");
        PressKey(entries, VK_DELETE);
        rowCounts.push_back(ListView_GetItemCount(list));
        ASSERT_TRUE(TabTo(entries, IDC_IGNORED_REMOVE));
        PressKey(entries, VK_SPACE);
        rowCounts.push_back(ListView_GetItemCount(list));
        EXPECT_EQ(GetFocus(), GetDlgItem(entries, IDCANCEL));
        PressKey(entries, VK_ESCAPE);
    });
    PressKey(window, VK_SPACE);
    EXPECT_EQ(rowCounts, (std::vector<int>{2, 1, 0}));
}
}  // namespace

TEST_F(IgnoreKeyboard, IgnoredRowsLeaveTheScanUntilTheirEntriesAreRemoved) {
    DialogSteps::Schedule([this] {
        HWND window = dialog->Window();
        ShowWindow(window, SW_SHOWNORMAL);
        [&] {
            ScanByKeys(window);
            ASSERT_EQ(Fonts().ProblemCount(), 3);
            IgnoreTwoRows(window);
            ASSERT_EQ(Fonts().ProblemCount(), 1);
            EXPECT_EQ(std::get<RegistryProblem>(Fonts().problems[0]->item).valueName, "Gamma");
            EXPECT_EQ(Fonts().ignored, 2);
            EXPECT_EQ(dialog->Counters().totalProblems, 1);
            EXPECT_EQ(ItemText(window, IDC_RESULTS_TOTAL), "Total Problems : 1");
            EXPECT_EQ(dialog->ResultsList().RowText(0),
                      "<b>Section Name : Installed Fonts</b><br><font color=\"#FF0000\">Problems Found : 1</font>");
            EXPECT_EQ(store.Read(), (IgnoreList{{IgnoreKind::Key, kLocalMachine, std::string(kKey) + "\\Gone", {}, {}},
                                                {IgnoreKind::Value, kLocalMachine, kKey, "Alpha", {}}}));

            ScanByKeys(window);
            EXPECT_EQ(Fonts().ProblemCount(), 1);
            EXPECT_EQ(Fonts().ignored, 2);

            RemoveBothEntries(window);
            EXPECT_TRUE(store.Read().empty());
            ScanByKeys(window);
            EXPECT_EQ(Fonts().ProblemCount(), 3);
            EXPECT_EQ(Fonts().ignored, 0);
        }();
        EndDialog(window, kLeftOpen);
    });
    EXPECT_EQ(dialog->Run(), kLeftOpen);
    EXPECT_EQ(boxes.texts, (std::vector<std::string>(3, "Scan Complete")));
}
