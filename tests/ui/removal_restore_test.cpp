// "Remove Problems" and the restore page driven in the main window, with every message they
// show; the problems point at real entries of a test key, dumped before and after.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>

#include <functional>
#include <map>
#include <memory>

#include "backup/backup_records.h"
#include "backup/backup_restore.h"
#include "backup/problem_removal.h"
#include "backup/zip_writer.h"
#include "resources/resource_ids.h"
#include "tests/support/registry_dump.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/manager_dialog_driver.h"
#include "tests/ui/scratch_registry.h"
#include "ui/main/main_dialog.h"
#include "ui/main/removal_command.h"
#include "ui/tools/startup_manager_dialog.h"

namespace {
// Reports the problems the test lines up, each by its section's operation.
class ListedProblems : public ScanOperations {
public:
    bool Run(ScanOperation operation, ScanEngine& engine) override {
        ++calls[operation];
        for (auto& problem : pending[operation]) engine.Report(std::move(problem));
        pending[operation].clear();
        return engine.Running();
    }
    std::map<ScanOperation, std::vector<ProblemPtr>> pending;
    std::map<ScanOperation, int> calls;
};

// Records every message box; the backup question gets the answer the test chose.
class AnsweredBoxes {
public:
    AnsweredBoxes() {
        SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption, UINT type) {
            texts.push_back(text);
            captions.push_back(caption);
            types.push_back(type);
            focusAtBox = GetFocus();
            const bool scanAgain =
                text.size() > std::strlen(kScanAgainQuestion) &&
                text.compare(text.size() - std::strlen(kScanAgainQuestion), std::string::npos, kScanAgainQuestion) == 0;
            if ((type & 0x0F) != MB_YESNO) return IDOK;
            return scanAgain ? scanAgainAnswer : answer;
        });
    }
    AnsweredBoxes(const AnsweredBoxes&) = delete;
    AnsweredBoxes& operator=(const AnsweredBoxes&) = delete;
    ~AnsweredBoxes() { SetMessageBoxHandler(nullptr); }

    int answer = IDYES;
    int scanAgainAnswer = IDNO;
    std::vector<std::string> texts;
    std::vector<std::string> captions;
    std::vector<UINT> types;
    HWND focusAtBox = nullptr;
};

const std::string kRemovedAndAsked = std::string(kItemsRemovedText) + kScanAgainQuestion;

std::vector<std::string> ComboTexts(HWND combo) {
    std::vector<std::string> texts;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

struct RemovalWindowTest : ::testing::Test {
    RegistrySandbox settings{"RemovalWindow"};
    RegistrySandbox data{"RemovalWindowData"};
    TempFolder backups{"removal-window-backups"};
    TempFolder logs{"removal-window-logs"};
    Preferences preferences{settings.Path(), settings.Sub("Run")};
    ListedProblems operations;
    AnsweredBoxes boxes;
    std::unique_ptr<MainDialog> dialog;

    void SetUp() override {
        settings.SetDword("", std::to_string(kFontsSection).c_str(), 1);
        settings.SetDword("", "Select All", 1);
        settings.SetString("", "LogFilePath", logs.Path());
    }
    // A stale value of the test key and its problem, reported by the next scan.
    RegistryProblem& StaleValue(const char* name, DWORD type = REG_DWORD, SectionId section = kFontsSection) {
        SetRawValue(HKEY_CURRENT_USER, Widen(data.Path()), Widen(name), type, {1, 2, 3, 4});
        auto& list = operations.pending[section == kFontsSection ? ScanOperation::Fonts : ScanOperation::HelpFiles];
        list.push_back(
            MakeProblem(section, "The File (C:\\Gone\\font.ttf) cannot be found at the specified location.",
                        RegistryProblem{kCurrentUser, data.Path(), name, "C:\\Gone\\font.ttf", RemovalScope::Value}));
        return std::get<RegistryProblem>(list.back()->item);
    }
    std::vector<std::string> Dump() const { return DumpRegistryTree(HKEY_CURRENT_USER, data.Path()); }
    std::vector<std::string> Archives() const {
        std::vector<std::string> names;
        for (const std::string& line : DumpFolder(backups.Path())) names.push_back(line.substr(0, line.find(':')));
        return names;
    }

    void Run(const std::function<void(HWND)>& steps) {
        dialog = std::make_unique<MainDialog>(
            MainDialogStartup{nullptr, nullptr, &preferences, "TidrexVelora", &operations, backups.Path()});
        MainDialog* shown = dialog.get();
        DialogSteps::Schedule([shown, steps] {
            ShowWindow(shown->Window(), SW_SHOWNORMAL);
            UpdateWindow(shown->Window());
            steps(shown->Window());
            if (IsWindowVisible(shown->Window())) EndDialog(shown->Window(), kLeftOpen);
        });
        dialog->Run();
    }
    HWND Control(int id) const { return dialog->Item(id); }
    bool OnHomePage() const {
        return IsWindowVisible(Control(IDC_ABOUT)) && !IsWindowVisible(Control(IDC_RESULTS_LIST)) &&
               dialog->BackgroundIndex() == 0 && IsWindowVisible(Control(IDC_INFO_OS));
    }
};
}  // namespace

TEST_F(RemovalWindowTest, NoProblemsToDeleteReturnsHome) {
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        Click(window, IDC_REMOVE_PROBLEMS);
        EXPECT_TRUE(OnHomePage());
    });
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{"Scan Complete", kNoProblemsText}));
    EXPECT_EQ(boxes.captions[1], "TidrexVelora");
}

TEST_F(RemovalWindowTest, NoSectionsCheckedKeepsTheResultsPage) {
    settings.SetDword("", "Select All", 0);
    StaleValue("Kept");
    const std::vector<std::string> before = Dump();
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        Click(window, IDC_REMOVE_PROBLEMS);
        EXPECT_TRUE(IsWindowVisible(Control(IDC_RESULTS_LIST)));
        EXPECT_TRUE(IsWindowVisible(Control(IDC_REMOVE_PROBLEMS)));
    });
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{"Scan Complete", kNoSectionsCheckedText}));
    EXPECT_EQ(Dump(), before);
}

TEST_F(RemovalWindowTest, BackupQuestionAnsweredYesBacksUpRemovesAndRestores) {
    StaleValue("Counter");
    StaleValue("Blob", REG_BINARY);
    const std::vector<std::string> before = Dump();
    boxes.answer = IDYES;
    std::vector<std::string> dates;
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        Click(window, IDC_REMOVE_PROBLEMS);
        EXPECT_TRUE(OnHomePage());
        EXPECT_EQ(Dump().size(), 1u);  // the key is left, without its two values
        Click(window, IDC_NAV_RESTORE);
        dates = ComboTexts(Control(IDC_BACKUP_DATES));
        SendMessageA(Control(IDC_BACKUP_DATES), CB_SETCURSEL, 0, 0);
        Click(window, IDC_RESTORE_SELECTED);
        EXPECT_TRUE(IsWindowVisible(Control(IDC_BACKUP_DATES)));
    });
    ASSERT_EQ(boxes.texts.size(), 4u);
    EXPECT_EQ(boxes.texts[1], kBackupQuestionText);
    EXPECT_EQ(boxes.captions[1], kBackupQuestionCaption);
    EXPECT_EQ(boxes.types[1] & 0x0F, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(boxes.texts[2], kRemovedAndAsked);
    EXPECT_EQ(boxes.texts[3], kItemsRestoredText);
    EXPECT_EQ(boxes.captions[3], "TidrexVelora");
    EXPECT_EQ(Archives().size(), 1u);
    ASSERT_EQ(dates.size(), 1u);
    EXPECT_NE(dates[0].find(" Time: "), std::string::npos);
    EXPECT_EQ(Dump(), before);
}

TEST_F(RemovalWindowTest, BackupQuestionAnsweredNoRemovesWithoutAnArchive) {
    StaleValue("Counter");
    boxes.answer = IDNO;
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        Click(window, IDC_REMOVE_PROBLEMS);
        EXPECT_TRUE(OnHomePage());
    });
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{"Scan Complete", kBackupQuestionText, kRemovedAndAsked}));
    EXPECT_TRUE(Archives().empty());
    EXPECT_EQ(Dump().size(), 1u);
}

TEST_F(RemovalWindowTest, AutomaticBackupAsksNothing) {
    settings.SetDword("", "AutoBackup", 1);
    StaleValue("Counter");
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        Click(window, IDC_REMOVE_PROBLEMS);
    });
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{"Scan Complete", kRemovedAndAsked}));
    EXPECT_EQ(Archives().size(), 1u);
}

// Removing entries can leave others stale: the closing message offers a new scan, which starts at once.
TEST_F(RemovalWindowTest, ClosingMessageOffersToScanAgain) {
    settings.SetDword("", "AutoBackup", 1);
    StaleValue("Counter");
    boxes.scanAgainAnswer = IDYES;
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        Click(window, IDC_REMOVE_PROBLEMS);
        EXPECT_TRUE(IsWindowVisible(Control(IDC_RESULTS_LIST)));
    });
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{"Scan Complete", kRemovedAndAsked, "Scan Complete"}));
    EXPECT_EQ(boxes.types[1] & 0x0F, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(operations.calls[ScanOperation::Fonts], 2);
}

TEST_F(RemovalWindowTest, ProblemsOfAnUntickedRowAndUntickedProblemsStay) {
    settings.SetDword("", std::to_string(kHelpFilesSection).c_str(), 1);
    settings.SetDword("", "AutoBackup", 1);
    StaleValue("Fonts removed");
    StaleValue("Fonts unchecked");
    StaleValue("Help under an unchecked row", REG_DWORD, kHelpFilesSection);
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        CheckMarkupList& results = dialog->ResultsList();
        ASSERT_EQ(results.RowCount(), 2);
        results.SetChecked(1, false);  // unticks every problem of the row
        EXPECT_FALSE(dialog->Sections().Find(kHelpFilesSection)->AnyTicked());
        dialog->Sections().Find(kFontsSection)->problems[1]->checked = 0;
        Click(window, IDC_REMOVE_PROBLEMS);
    });
    EXPECT_EQ(boxes.texts.back(), kRemovedAndAsked);
    const std::vector<std::string> left = Dump();
    ASSERT_EQ(left.size(), 3u);
    EXPECT_NE(left[1].find("Fonts unchecked"), std::string::npos);
    EXPECT_NE(left[2].find("Help under an unchecked row"), std::string::npos);
}

TEST_F(RemovalWindowTest, InconsistentRecordsAreRefusedAtIntakeAndKeptOutOfTheRemoval) {
    settings.SetDword("", "AutoBackup", 1);
    StaleValue("Removed");
    // Its removal would take the whole hive.
    RegistryProblem& wholeHive = StaleValue("WholeHive");
    wholeHive.scope = RemovalScope::Key;
    wholeHive.keyPath.clear();
    StaleValue("Line\nBreak");
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        EXPECT_EQ(dialog->Sections().Find(kFontsSection)->ProblemCount(), 2);
        Click(window, IDC_REMOVE_PROBLEMS);
        EXPECT_TRUE(OnHomePage());
    });
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[1].rfind("Not all selected items were removed.\r\n\r\nRemoved: 1\r\nKept: 1\r\n", 0), 0u)
        << boxes.texts[1];
    EXPECT_EQ(Dump().size(), 3u);  // the key and its two kept values
}

TEST_F(RemovalWindowTest, ARestoreThatReplacesNewerDataSaysSoAndListsWhereItIsSaved) {
    StaleValue("Counter");
    const std::vector<std::string> before = Dump();
    boxes.answer = IDYES;
    std::vector<std::string> dates;
    LRESULT chosen = CB_ERR;
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        Click(window, IDC_REMOVE_PROBLEMS);
        SetRawValue(HKEY_CURRENT_USER, Widen(data.Path()), L"Counter", REG_DWORD, {9, 9, 9, 9});
        Click(window, IDC_NAV_RESTORE);
        SendMessageA(Control(IDC_BACKUP_DATES), CB_SETCURSEL, 0, 0);
        Click(window, IDC_RESTORE_SELECTED);
        dates = ComboTexts(Control(IDC_BACKUP_DATES));
        chosen = SendMessageA(Control(IDC_BACKUP_DATES), CB_GETCURSEL, 0, 0);
    });
    ASSERT_EQ(boxes.texts.size(), 4u);
    EXPECT_EQ(boxes.texts[3].rfind(std::string(kItemsRestoredText) +
                                       "\r\n\r\nReplaced: 1, what they held is saved in " + backups.Path() + "\\",
                                   0),
              0u)
        << boxes.texts[3];
    EXPECT_NE(boxes.texts[3].find(data.Path() + " (value \"Counter\")"), std::string::npos) << boxes.texts[3];
    EXPECT_EQ(Archives().size(), 2u);
    EXPECT_EQ(dates.size(), 2u);
    EXPECT_EQ(chosen, 1);  // still the restored archive, below the newer one
    EXPECT_EQ(Dump(), before);
}

TEST_F(RemovalWindowTest, RestoreWithoutSelectionAsksForADateAndFocusesTheList) {
    Run([&](HWND window) {
        Click(window, IDC_NAV_RESTORE);
        Click(window, IDC_RESTORE_SELECTED);
        EXPECT_EQ(GetFocus(), Control(IDC_BACKUP_DATES));
    });
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{kSelectBackupDateText}));
    EXPECT_EQ(boxes.captions[0], "TidrexVelora");
}

TEST_F(RemovalWindowTest, RestoreListShowsArchivesNewestFirstAndReportsEachResult) {
    WriteTestFile(backups.Sub("12,7,2026_9,5,3.zip"), "not a zip at all");
    {
        ZipWriter writer;
        ASSERT_TRUE(writer.Open(backups.Sub("1,2,2027_10,0,0.zip")));
        ASSERT_TRUE(writer.AddData("Config.ini", FileRecord(backups.Sub("restored\\missing.lnk"))));
        ASSERT_TRUE(writer.Close());
    }
    {
        ZipWriter writer;
        ASSERT_TRUE(writer.Open(backups.Sub("3,15,2026_23,59,59.zip")));
        ASSERT_TRUE(writer.AddData("Config.ini", FileRecord(backups.Sub("restored\\a.lnk"))));
        ASSERT_TRUE(writer.AddData("a.lnk", "link"));
        ASSERT_TRUE(writer.Close());
    }
    std::vector<std::string> dates;
    Run([&](HWND window) {
        Click(window, IDC_NAV_RESTORE);
        dates = ComboTexts(Control(IDC_BACKUP_DATES));
        for (int entry = 0; entry < 3; ++entry) {
            SendMessageA(Control(IDC_BACKUP_DATES), CB_SETCURSEL, entry, 0);
            Click(window, IDC_RESTORE_SELECTED);
        }
        // The list is read again on every visit.
        DeleteFileA(backups.Sub("12,7,2026_9,5,3.zip").c_str());
        Click(window, IDC_NAV_ADVANCED);
        Click(window, IDC_NAV_RESTORE);
        EXPECT_EQ(SendMessageA(Control(IDC_BACKUP_DATES), CB_GETCOUNT, 0, 0), 2);
    });
    EXPECT_EQ(dates, (std::vector<std::string>{"Saturday, January 02, 2027 Time: 10:00:00",
                                               "Monday, December 07, 2026 Time: 09:05:03",
                                               "Sunday, March 15, 2026 Time: 23:59:59"}));
    ASSERT_EQ(boxes.texts.size(), 3u);
    EXPECT_EQ(boxes.texts[0].rfind(kNotAllRestoredText, 0), 0u) << boxes.texts[0];
    EXPECT_EQ(boxes.texts[1].rfind(kInvalidBackupText, 0), 0u) << boxes.texts[1];
    EXPECT_EQ(boxes.texts[2], kItemsRestoredText);
    EXPECT_EQ(ReadTestFile(backups.Sub("restored\\a.lnk")), "link");
}

TEST_F(RemovalWindowTest, AStartupEntryRemovedInItsManagerComesBackFromTheRestorePage) {
    constexpr const char* kName = "TidrexTest Restore Page";
    ScratchRegistry registry;
    registry.OwnValue(HKEY_CURRENT_USER, kStartupRunKey, kName);
    ScratchRegistry::CreateKey(HKEY_CURRENT_USER, kStartupRunKey);
    ScratchRegistry::SetString(HKEY_CURRENT_USER, kStartupRunKey, kName, "C:\\gone\\tray.exe /quiet");
    const std::string before = ScratchRegistry::RawValue(HKEY_CURRENT_USER, kStartupRunKey, kName);
    bool goneAfterRemoval = false;
    Run([&](HWND window) {
        Click(window, IDC_NAV_ADVANCED);
        InDialog("Startup Programs Manager", [&](HWND manager) {
            CheckRow(manager, RowNamed(manager, kName));
            Click(manager, IDOK);
            PostMessageA(manager, WM_COMMAND, IDCANCEL, 0);
        });
        Click(window, IDC_STARTUP_MANAGER);
        goneAfterRemoval = !ScratchRegistry::ValueExists(HKEY_CURRENT_USER, kStartupRunKey, kName);
        Click(window, IDC_NAV_RESTORE);
        SendMessageA(Control(IDC_BACKUP_DATES), CB_SETCURSEL, 0, 0);
        Click(window, IDC_RESTORE_SELECTED);
    });
    EXPECT_TRUE(goneAfterRemoval);
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{"Selected Registry Entries Deleted", kItemsRestoredText}));
    EXPECT_EQ(Archives().size(), 1u);
    EXPECT_EQ(ScratchRegistry::RawValue(HKEY_CURRENT_USER, kStartupRunKey, kName), before);
}
