#include "ui/main/main_dialog.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

#include "resources/resource_ids.h"
#include "tests/support/htm_association.h"
#include "tests/support/registry_sandbox.h"
#include "tests/ui/child_run.h"
#include "tests/ui/dialog_driver.h"
#include "tests/ui/scripted_operations.h"
#include "ui/dialogs/details_dialog.h"

namespace {
void ReportRegistryProblems(ScanEngine& engine, SectionId section, int count) {
    for (int i = 0; i < count; ++i) {
        engine.Report(
            MakeProblem(section, "Invalid reference",
                        RegistryProblem{kLocalMachine, "Software\\Sandbox\\Entry" + std::to_string(i),
                                        i == 0 ? "" : "Value" + std::to_string(i),
                                        "C:\\missing\\file" + std::to_string(i) + ".dat", RemovalScope::Value}));
        engine.ItemExamined("HKEY_LOCAL_MACHINE\\Software\\Sandbox");
    }
}

std::string TempFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

struct MainDialogTest : ::testing::Test {
    RegistrySandbox settings{"MainDialog"};
    RegistrySandbox runKey{"MainDialogRun"};
    Preferences preferences{settings.Path(), runKey.Path()};
    ScriptedOperations operations;
    MessageBoxRecorder boxes;
    std::unique_ptr<MainDialog> dialog;

    void Include(std::initializer_list<SectionId> ids) {
        for (SectionId id : ids) settings.SetDword("", std::to_string(id).c_str(), 1);
    }
    void SetSelectAll(DWORD on) { settings.SetDword("", "Select All", on); }

    // Builds the dialog (the section table reads the settings now) and runs steps inside it.
    INT_PTR Run(const std::function<void(HWND)>& steps) {
        settings.SetString("", "LogFilePath", TempFolder("tidrex-ui-tests"));
        dialog = std::make_unique<MainDialog>(
            MainDialogStartup{nullptr, nullptr, &preferences, "TidrexVelora", &operations});
        MainDialog* shown = dialog.get();
        DialogSteps::Schedule([shown, steps] {
            // The modal loop shows the dialog once it idles; the steps act as a user would, on a shown one.
            ShowWindow(shown->Window(), SW_SHOWNORMAL);
            UpdateWindow(shown->Window());
            steps(shown->Window());
            if (shown->Window() && IsWindowVisible(shown->Window())) EndDialog(shown->Window(), kLeftOpen);
        });
        return dialog->Run();
    }
    HWND Control(int id) const { return dialog->Item(id); }
};
}  // namespace

TEST_F(MainDialogTest, OpensOnTheHomePageWithTitleAndClientSize) {
    Run([this](HWND window) {
        char title[64] = {};
        GetWindowTextA(window, title, sizeof(title));
        EXPECT_STREQ(title, "Tidrex Velora v7.0 ");
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 650);
        EXPECT_EQ(client.bottom, 360);
        EXPECT_EQ(dialog->BackgroundIndex(), 0);
        EXPECT_TRUE(IsWindowVisible(Control(IDC_ABOUT)));
        EXPECT_TRUE(IsWindowVisible(Control(IDC_LINK_PRODUCTS)));
        EXPECT_TRUE(IsWindowVisible(Control(IDC_INFO_OS)));
        EXPECT_FALSE(IsWindowVisible(Control(IDC_SCAN_LIST)));
        EXPECT_FALSE(IsWindowVisible(Control(IDC_RESULTS_LIST)));
        EXPECT_EQ(ItemText(window, IDC_INFO_DISK).rfind("Free Disk Space : ", 0), 0u);
        // Children keep their place relative to the window: the scan list's right edge stays inside.
        RECT list{};
        GetWindowRect(Control(IDC_SCAN_LIST), &list);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&list), 2);
        EXPECT_LE(list.right, 650);
        EXPECT_GT(list.right, 600);
    });
}

TEST_F(MainDialogTest, ScanNowStartsAtOnceReadsAbortAndEndsComplete) {
    Include({kFontsSection, kSoundsSection});
    std::string captionDuringScan;
    bool animationShown = false;
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine&) {
        captionDuringScan = ItemText(dialog->Window(), IDC_START_ABORT);
        animationShown = IsWindowVisible(Control(IDC_ANIMATION)) != FALSE;
    };
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        EXPECT_EQ(captionDuringScan, "Abort");
        EXPECT_TRUE(animationShown);
        ASSERT_EQ(boxes.texts, std::vector<std::string>{"Scan Complete"});
        EXPECT_EQ(boxes.captions[0], "TidrexVelora");
        EXPECT_EQ(dialog->ScanList().RowCount(), 2);
        EXPECT_EQ(dialog->ScanList().Text(0, 2), "Finished");
        EXPECT_EQ(dialog->ScanList().StatusImage(1), 2);
        EXPECT_TRUE(IsWindowVisible(Control(IDC_RESULTS_LIST)));
        EXPECT_FALSE(IsWindowVisible(Control(IDC_SCAN_LIST)));
        EXPECT_EQ(dialog->BackgroundIndex(), 1);
    });
    EXPECT_EQ(operations.calls[ScanOperation::Fonts], 1);
    EXPECT_EQ(operations.calls[ScanOperation::Sounds], 1);
}

TEST_F(MainDialogTest, AbortClickDuringTheScanStopsIt) {
    Include({kFontsSection, kSoundsSection, kHelpFilesSection});
    int items = 0;
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine& engine) {
        for (; items < 1000 && engine.Running(); ++items) {
            // A user's click on the button, handled by the scan's own message pump.
            if (items == 3) PostMessageA(Control(IDC_START_ABORT), BM_CLICK, 0, 0);
            engine.ItemExamined("HKEY_LOCAL_MACHINE\\Fonts");
        }
    };
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        ASSERT_EQ(boxes.texts, std::vector<std::string>{"Scan Aborted"});
        EXPECT_EQ(dialog->ScanList().Text(0, 2), "Aborted");
        EXPECT_EQ(dialog->ScanList().Text(1, 2), "Ready");
        EXPECT_EQ(dialog->ScanList().Text(2, 2), "Ready");
    });
    EXPECT_LT(items, 20);
    EXPECT_EQ(operations.calls[ScanOperation::Sounds], 0);
}

TEST_F(MainDialogTest, CommandsThatWouldRebuildTheScanAreIgnoredWhileItRuns) {
    Include({kFontsSection, kSoundsSection});
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine& engine) {
        ReportRegistryProblems(engine, kFontsSection, 1);
        Click(dialog->Window(), IDC_NAV_SCAN);
        Click(dialog->Window(), IDC_NAV_SECTIONS);
        Click(dialog->Window(), IDC_CHOICE_SAVE);
        EXPECT_FALSE(IsWindowVisible(Control(IDC_CHOICE_LIST)));
    };
    Run([&](HWND window) { Click(window, IDC_NAV_SCAN); });
    EXPECT_EQ(operations.calls[ScanOperation::Fonts], 1);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Scan Complete"});
    EXPECT_EQ(dialog->Sections().Find(kFontsSection)->ProblemCount(), 1);
}

TEST_F(MainDialogTest, ResultsListHasOneRowPerSectionWithProblemsCheckedBySelectAll) {
    for (DWORD selectAll : {0u, 1u}) {
        Include({kFontsSection, kSoundsSection, kHelpFilesSection});
        SetSelectAll(selectAll);
        operations.scripts[ScanOperation::Fonts] = [](ScanEngine& engine) {
            ReportRegistryProblems(engine, kFontsSection, 2);
        };
        operations.scripts[ScanOperation::HelpFiles] = [](ScanEngine& engine) {
            ReportRegistryProblems(engine, kHelpFilesSection, 1);
        };
        Run([&](HWND window) {
            Click(window, IDC_NAV_SCAN);
            CheckMarkupList& results = dialog->ResultsList();
            ASSERT_EQ(results.RowCount(), 2);
            EXPECT_EQ(static_cast<ScanSection*>(results.RowData(0))->id, kFontsSection);
            EXPECT_EQ(static_cast<ScanSection*>(results.RowData(1))->id, kHelpFilesSection);
            EXPECT_EQ(results.RowText(0),
                      "<b>Section Name : Installed Fonts</b><br><font color=\"#FF0000\">Problems Found : 2</font>");
            EXPECT_EQ(results.Severity(0), static_cast<int>(Severity::Severe));
            RECT row{};
            ListView_GetItemRect(results.Window(), 0, &row, LVIR_BOUNDS);
            EXPECT_EQ(row.bottom - row.top, kResultsRowHeight);
            for (int index = 0; index < 2; ++index) EXPECT_EQ(results.IsChecked(index), selectAll != 0);
            for (const ProblemPtr& problem : dialog->Sections().Find(kFontsSection)->problems) {
                EXPECT_EQ(problem->checked, static_cast<int32_t>(selectAll));
            }
            EXPECT_EQ(ItemText(window, IDC_RESULTS_TOTAL), "Total Problems : 3");
            EXPECT_EQ(ItemText(window, IDC_SCAN_AFFECTED), "Affected Sections : 2");
        });
    }
}

TEST_F(MainDialogTest, ClickingARowCheckBoxCarriesOverToAllItsProblems) {
    Include({kFontsSection});
    SetSelectAll(1);
    operations.scripts[ScanOperation::Fonts] = [](ScanEngine& engine) {
        ReportRegistryProblems(engine, kFontsSection, 3);
    };
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        CheckMarkupList& results = dialog->ResultsList();
        ASSERT_EQ(results.RowCount(), 1);
        UpdateWindow(results.Window());  // the first drawn row remembers the check box and link
        const RECT check = results.CheckBoxRect();
        ASSERT_GT(check.right, check.left);
        ScanSection& fonts = *dialog->Sections().Find(kFontsSection);
        fonts.problems[1]->checked = 1;
        const LPARAM inCheckBox = MAKELPARAM(check.left + 4, check.top + 4);
        SendMessageA(results.Window(), WM_LBUTTONDOWN, MK_LBUTTON, inCheckBox);
        SendMessageA(results.Window(), WM_LBUTTONUP, 0, inCheckBox);
        EXPECT_FALSE(results.IsChecked(0));
        EXPECT_FALSE(fonts.AnyTicked());
        for (const ProblemPtr& problem : fonts.problems) EXPECT_EQ(problem->checked, 0);
        SendMessageA(results.Window(), WM_LBUTTONDOWN, MK_LBUTTON, inCheckBox);
        SendMessageA(results.Window(), WM_LBUTTONUP, 0, inCheckBox);
        EXPECT_TRUE(results.IsChecked(0));
        for (const ProblemPtr& problem : fonts.problems) EXPECT_EQ(problem->checked, 1);
        // A click on "View Details" opens the section's details.
        const RECT link = results.LinkRect();
        ASSERT_GT(link.right, link.left);
        bool detailsOpened = false;
        DialogSteps::Schedule([&] {
            HWND details = ThreadWindowTitled("Details");
            detailsOpened = details != nullptr;
            if (details) Click(details, IDCANCEL);
        });
        SendMessageA(results.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(link.left + 2, link.top + 2));
        SendMessageA(results.Window(), WM_LBUTTONUP, 0, MAKELPARAM(link.left + 2, link.top + 2));
        EXPECT_TRUE(detailsOpened);
        EXPECT_TRUE(results.IsChecked(0));
        // A click beside the check box and the link only selects the row.
        SendMessageA(results.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 5));
        SendMessageA(results.Window(), WM_LBUTTONUP, 0, MAKELPARAM(300, 5));
        EXPECT_TRUE(results.IsChecked(0));
    });
}

TEST_F(MainDialogTest, ProblemsToReviewShowTheirMarkAndAreTickedOnlyOneByOne) {
    Include({kFontsSection, kServicesSection});
    SetSelectAll(1);
    operations.scripts[ScanOperation::Fonts] = [](ScanEngine& engine) {
        ReportRegistryProblems(engine, kFontsSection, 1);
    };
    operations.scripts[ScanOperation::Services] = [](ScanEngine& engine) {
        for (const char* name : {"TidrexOldA", "TidrexOldB"}) {
            engine.Report(
                MakeProblem(kServicesSection, "Invalid reference",
                            RegistryProblem{kLocalMachine, std::string("SYSTEM\\CurrentControlSet\\Services\\") + name,
                                            "ImagePath", "C:\\missing\\svc.exe", RemovalScope::Key}));
        }
    };
    std::string reviewRow;
    std::vector<bool> afterSelectAll, afterSpace;
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        CheckMarkupList& results = dialog->ResultsList();
        ASSERT_EQ(results.RowCount(), 2);
        EXPECT_TRUE(results.IsChecked(0));
        EXPECT_FALSE(results.IsChecked(1));
        EXPECT_EQ(results.RowText(1),
                  "<b>Section Name : Installed System Services</b><br><font color=\"#FF0000\">Problems Found : "
                  "2</font><font color=\"#B04A00\"> (Review : 2)</font>");
        ScanSection* services = dialog->Sections().Find(kServicesSection);
        // Ticking a section whose problems are all to review ticks none, and the row says so.
        results.SetChecked(1, true);
        EXPECT_FALSE(results.IsChecked(1));
        EXPECT_FALSE(services->AnyTicked());
        const auto checks = [](HWND list) {
            std::vector<bool> ticked;
            for (int row = 0; row < ListView_GetItemCount(list); ++row) {
                ticked.push_back((ListView_GetItemState(list, row, LVIS_STATEIMAGEMASK) >> 12) == 2);
            }
            return ticked;
        };
        DialogSteps::Schedule([&] {
            HWND details = ThreadWindowTitled("Details");
            ASSERT_NE(details, nullptr);
            HWND list = GetDlgItem(details, IDC_DETAILS_LIST);
            reviewRow = ListText(list, 0);
            Click(details, IDC_DETAILS_SELECT_ALL);
            afterSelectAll = checks(list);
            PressKey(details, VK_SPACE);  // the user ticks the first one on its own
            afterSpace = checks(list);
            Click(details, IDC_DETAILS_SELECT_ALL);
            PressKey(details, VK_ESCAPE);
        });
        SendMessageA(window, WM_SHOW_DETAILS, reinterpret_cast<WPARAM>(services), 0);
        EXPECT_EQ(services->problems[0]->checked, 1);
        EXPECT_EQ(services->problems[1]->checked, 0);
        EXPECT_TRUE(results.IsChecked(1));
    });
    EXPECT_NE(reviewRow.find("<b>Review</b> : A service: Windows or a program may need it to start"), std::string::npos)
        << reviewRow;
    EXPECT_EQ(afterSelectAll, (std::vector<bool>{false, false}));
    EXPECT_EQ(afterSpace, (std::vector<bool>{true, false}));
}

TEST_F(MainDialogTest, ShowDetailsOpensTheSectionsProblemsAndKeepsTheChoices) {
    Include({kFontsSection});
    SetSelectAll(1);
    operations.scripts[ScanOperation::Fonts] = [](ScanEngine& engine) {
        ReportRegistryProblems(engine, kFontsSection, 2);
    };
    std::vector<std::string> rows;
    std::vector<bool> checks;
    std::string header;
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        ScanSection* fonts = dialog->Sections().Find(kFontsSection);
        DialogSteps::Schedule([&] {
            HWND details = ThreadWindowTitled("Details");
            ASSERT_NE(details, nullptr);
            header = ItemText(details, IDC_DETAILS_HEADER);
            HWND list = GetDlgItem(details, IDC_DETAILS_LIST);
            RECT row{};
            ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS);
            EXPECT_EQ(row.bottom - row.top, kDetailsRowHeight);
            for (int index = 0; index < ListView_GetItemCount(list); ++index) {
                rows.push_back(ListText(list, index));
                checks.push_back((ListView_GetItemState(list, index, LVIS_STATEIMAGEMASK) >> 12) == 2);
            }
            Click(details, IDC_DETAILS_DESELECT_ALL);
            Click(details, IDCANCEL);
        });
        EXPECT_EQ(SendMessageA(window, WM_SHOW_DETAILS, reinterpret_cast<WPARAM>(fonts), 0), 0);
        for (const ProblemPtr& problem : fonts->problems) EXPECT_EQ(problem->checked, 0);
        // A pointer that is no section of the window opens nothing.
        ScanSection stranger;
        EXPECT_EQ(SendMessageA(window, WM_SHOW_DETAILS, reinterpret_cast<WPARAM>(&stranger), 0), 0);
    });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0],
              "<b>Key</b> : HKEY_LOCAL_MACHINE \\Software \\Sandbox \\Entry0<br><b>ValueName</b> : (Default)<br>"
              "<b>Value</b> : C:\\missing\\file0.dat<br><font color=\"#FF0000\">Invalid reference</font>");
    EXPECT_NE(rows[1].find("<b>ValueName</b> : Value1<br>"), std::string::npos);
    EXPECT_EQ(checks, (std::vector<bool>{true, true}));
    EXPECT_NE(header.find("Installed Fonts"), std::string::npos);
}

TEST_F(MainDialogTest, EnterKeepsTheWindowOpenAndEscapeClosesIt) {
    EXPECT_EQ(Run([&](HWND window) {
                  PressKey(window, VK_RETURN);
                  EXPECT_TRUE(IsWindowVisible(window));
              }),
              kLeftOpen);
    EXPECT_EQ(Run([&](HWND window) { PressKey(window, VK_ESCAPE); }), IDCANCEL);
}

TEST_F(MainDialogTest, SaveOnSectionChoiceStoresTheChecksAndStartsAScan) {
    Include({kFontsSection, kSoundsSection});
    Run([&](HWND window) {
        Click(window, IDC_NAV_SECTIONS);
        CheckMarkupList& choice = dialog->ChoiceList();
        ASSERT_EQ(choice.RowCount(), 13);
        RECT row{};
        ListView_GetItemRect(choice.Window(), 0, &row, LVIR_BOUNDS);
        EXPECT_EQ(row.bottom - row.top, kChoiceRowHeight);
        EXPECT_TRUE(choice.IsChecked(2));  // Installed Fonts
        EXPECT_FALSE(choice.IsChecked(0));
        choice.SetChecked(2, false);
        choice.SetChecked(6, true);  // Installed Help Files
        Click(window, IDC_CHOICE_SAVE);
    });
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{"Section Information Saved", "Scan Complete"}));
    EXPECT_EQ(preferences.ReadSectionState(kFontsSection), 0);
    EXPECT_EQ(preferences.ReadSectionState(kHelpFilesSection), 1);
    EXPECT_EQ(operations.calls[ScanOperation::Fonts], 0);
    EXPECT_EQ(operations.calls[ScanOperation::HelpFiles], 1);
}

TEST_F(MainDialogTest, AdvancedPageLoadsAndSavesThePreferences) {
    settings.SetDword("", "AutoBackup", 1);
    const std::string logFolder = TempFolder("tidrex-ui-logs");
    Run([&](HWND window) {
        settings.SetString("", "LogFilePath", logFolder);
        Click(window, IDC_NAV_ADVANCED);
        EXPECT_TRUE(IsWindowVisible(Control(IDC_SAVE_PREFERENCES)));
        EXPECT_EQ(IsDlgButtonChecked(window, IDC_AUTO_BACKUP), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(window, IDC_SELECT_ALL_ERRORS), BST_UNCHECKED);
        EXPECT_EQ(ItemText(window, IDC_LOG_FOLDER), logFolder);
        CheckDlgButton(window, IDC_SELECT_ALL_ERRORS, BST_CHECKED);
        Click(window, IDC_SAVE_PREFERENCES);
        EXPECT_EQ(preferences.ReadSelectAll(), 1);
        SetDlgItemTextA(window, IDC_LOG_FOLDER, "");
        CheckDlgButton(window, IDC_AUTO_BACKUP, BST_UNCHECKED);
        Click(window, IDC_SAVE_PREFERENCES);
        EXPECT_EQ(preferences.ReadAutoBackup(), 1);  // nothing saved
    });
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{"Preferences Saved", "Log File Path Cannot be Empty"}));
}

TEST_F(MainDialogTest, ClosingDuringAScanAbortsItWithoutAnEndMessage) {
    Include({kFontsSection});
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine& engine) {
        for (int i = 0; i < 1000 && engine.Running(); ++i) {
            if (i == 2) PostMessageA(dialog->Window(), WM_COMMAND, IDCANCEL, 0);
            engine.ItemExamined("item");
        }
    };
    EXPECT_EQ(Run([&](HWND window) { Click(window, IDC_NAV_SCAN); }), IDCANCEL);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_TRUE(dialog->Engine().WasAborted());
}

TEST_F(MainDialogTest, ASecondScanNowWhileTheScanStartsIsIgnoredAndOnlyClicksCommand) {
    Include({kFontsSection});
    operations.scripts[ScanOperation::Fonts] = [](ScanEngine& engine) {
        ReportRegistryProblems(engine, kFontsSection, 2);
    };
    Run([&](HWND window) {
        const LPARAM link = reinterpret_cast<LPARAM>(Control(IDC_NAV_SCAN));
        // The second half of a double-click and another click: the scan's start-up pumps dispatch both.
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_NAV_SCAN, STN_DBLCLK), link);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_NAV_SCAN, STN_CLICKED), link);
        Click(window, IDC_NAV_SCAN);
        PumpLikeDialog(window);
        EXPECT_FALSE(dialog->Driver().IsScanning());
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_NAV_SECTIONS, STN_DBLCLK),
                     reinterpret_cast<LPARAM>(Control(IDC_NAV_SECTIONS)));
        EXPECT_FALSE(IsWindowVisible(Control(IDC_CHOICE_LIST))) << "a double-click notification commands nothing";
    });
    EXPECT_EQ(operations.calls[ScanOperation::Fonts], 1);
    EXPECT_EQ(dialog->Sections().Find(kFontsSection)->ProblemCount(), 2);
    EXPECT_EQ(dialog->Counters().totalProblems, 2);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Scan Complete"});
}

TEST_F(MainDialogTest, ClosingWhileTheScanStartsAbortsBeforeAnySection) {
    Include({kFontsSection, kSoundsSection});
    EXPECT_EQ(Run([&](HWND window) {
                  PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                  Click(window, IDC_NAV_SCAN);
              }),
              IDCANCEL);
    EXPECT_EQ(operations.calls[ScanOperation::Fonts], 0);
    EXPECT_EQ(operations.calls[ScanOperation::Sounds], 0);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_TRUE(dialog->Engine().WasAborted());
    EXPECT_FALSE(dialog->Driver().IsScanning());
}

TEST_F(MainDialogTest, AnExceptionInTheScanReleasesTheScanningFlag) {
    Include({kFontsSection});
    int runs = 0;
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine&) {
        if (++runs == 1) throw std::runtime_error("a scanner failed");
    };
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);  // the dialog procedure stops the exception
        EXPECT_FALSE(dialog->Driver().IsScanning());
        Click(window, IDC_NAV_SCAN);
    });
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Scan Complete"});
}

TEST_F(MainDialogTest, AProblemMessageThatTheScanDidNotSendIsIgnored) {
    Include({kFontsSection});
    auto stranger = std::make_unique<ProblemRecord>();
    stranger->sectionId = kFontsSection;
    Run([&](HWND window) {
        Click(window, IDC_NAV_SCAN);
        // Any program can send the message; the pointer stays its sender's.
        EXPECT_EQ(SendMessageA(window, WM_SCAN_PROBLEM, reinterpret_cast<WPARAM>(stranger.get()), 0), 0);
        EXPECT_EQ(SendMessageA(window, WM_SCAN_PROBLEM, 0x1234, 0), 0);
    });
    EXPECT_EQ(dialog->Counters().totalProblems, 0);
    EXPECT_EQ(dialog->Sections().Find(kFontsSection)->ProblemCount(), 0);
    stranger->description = "still owned here";
}

TEST_F(MainDialogTest, ImageListsOfTheListsOutliveTheWindowWithTheirOneOwner) {
    HIMAGELIST status = nullptr, resultRows = nullptr, choiceRows = nullptr;
    Run([&](HWND) {
        status = ListView_GetImageList(Control(IDC_SCAN_LIST), LVSIL_SMALL);
        resultRows = ListView_GetImageList(Control(IDC_RESULTS_LIST), LVSIL_SMALL);
        choiceRows = ListView_GetImageList(Control(IDC_CHOICE_LIST), LVSIL_SMALL);
    });
    // The lists are destroyed with the window; the image lists belong to the dialog object,
    // which lives on: the lists must not have destroyed them.
    EXPECT_EQ(ImageList_GetImageCount(status), 3);
    int width = 0, height = 0;
    EXPECT_TRUE(ImageList_GetIconSize(resultRows, &width, &height));
    EXPECT_EQ(height, kResultsRowHeight);
    EXPECT_TRUE(ImageList_GetIconSize(choiceRows, &width, &height));
    EXPECT_EQ(height, kChoiceRowHeight);
}

TEST_F(MainDialogTest, TheBusyAnimationKeepsItsWidthThroughMinimiseAndRestore) {
    Run([&](HWND window) {
        RECT before{}, after{}, listBefore{}, listAfter{};
        GetClientRect(Control(IDC_ANIMATION), &before);
        GetWindowRect(Control(IDC_SCAN_LIST), &listBefore);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&listBefore), 2);
        EXPECT_EQ(before.right, 140) << "the picture's width";
        ShowWindow(window, SW_MINIMIZE);
        PumpLikeDialog(window);
        ShowWindow(window, SW_RESTORE);
        PumpLikeDialog(window);
        GetClientRect(Control(IDC_ANIMATION), &after);
        GetWindowRect(Control(IDC_SCAN_LIST), &listAfter);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&listAfter), 2);
        EXPECT_EQ(after.right, before.right);
        EXPECT_EQ(after.bottom, before.bottom);
        EXPECT_TRUE(EqualRect(&listBefore, &listAfter));
    });
}

TEST_F(MainDialogTest, ALinkThatCannotOpenShowsItsErrorWithTheExclamationIcon) {
    const HtmAssociation noBrowser("TidrexTests.NoBrowser");
    Run([&](HWND window) {
        HyperLink* home = dialog->Link(IDC_LINK_HOME);
        ASSERT_NE(home, nullptr);
        home->SetTarget("C:\\tidrex-missing\\manual.xyz");
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_LINK_HOME, STN_CLICKED),
                     reinterpret_cast<LPARAM>(home->Window()));
    });
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0].rfind("Unable to open hyperlink:", 0), 0u) << boxes.texts[0];
    EXPECT_EQ(boxes.captions[0], "TidrexVelora");
    EXPECT_EQ(boxes.types[0] & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

namespace {
int FocusedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_FOCUSED); }

bool RowVisible(HWND list, int row) {
    RECT item{}, client{};
    ListView_GetItemRect(list, row, &item, LVIR_BOUNDS);
    GetClientRect(list, &client);
    return item.top >= client.top && item.bottom <= client.bottom;
}
}  // namespace

TEST_F(MainDialogTest, KeysAloneChooseSectionsScanAndOpenTheDetails) {
    Include({kFontsSection});
    SetSelectAll(1);
    operations.scripts[ScanOperation::Fonts] = [](ScanEngine& engine) {
        ReportRegistryProblems(engine, kFontsSection, 2);
    };
    operations.scripts[ScanOperation::HelpFiles] = [](ScanEngine& engine) {
        ReportRegistryProblems(engine, kHelpFilesSection, 1);
    };
    std::vector<int32_t> detailChecks;
    Run([&](HWND window) {
        // The section choice: Tab to its link, Enter; Tab into the list, arrows and Space.
        ASSERT_TRUE(TabTo(window, IDC_NAV_SECTIONS));
        PressKey(window, VK_RETURN);
        ASSERT_TRUE(IsWindowVisible(Control(IDC_CHOICE_LIST)));
        ASSERT_TRUE(TabTo(window, IDC_CHOICE_LIST));
        HWND choice = Control(IDC_CHOICE_LIST);
        EXPECT_EQ(FocusedRow(choice), 0);
        for (int i = 0; i < 6; ++i) PressKey(window, VK_DOWN);
        ASSERT_EQ(FocusedRow(choice), 6);  // Installed Help Files
        EXPECT_TRUE(RowVisible(choice, 6));
        EXPECT_FALSE(dialog->ChoiceList().IsChecked(6));
        PressKey(window, VK_SPACE);
        EXPECT_TRUE(dialog->ChoiceList().IsChecked(6));
        // "Save" with Space stores the choice and scans.
        ASSERT_TRUE(TabTo(window, IDC_CHOICE_SAVE));
        PressKey(window, VK_SPACE);
        ASSERT_TRUE(IsWindowVisible(Control(IDC_RESULTS_LIST)));
        ASSERT_EQ(dialog->ResultsList().RowCount(), 2);
        // "Save" went with its page; the keys now act on a control that is shown.
        ASSERT_NE(GetFocus(), nullptr);
        EXPECT_TRUE(IsChild(window, GetFocus()) && IsWindowVisible(GetFocus()));

        // The results: Space unticks the focused row, Enter opens its details.
        ASSERT_TRUE(TabTo(window, IDC_RESULTS_LIST));
        EXPECT_EQ(FocusedRow(Control(IDC_RESULTS_LIST)), 0);
        PressKey(window, VK_SPACE);
        EXPECT_FALSE(dialog->ResultsList().IsChecked(0));
        EXPECT_FALSE(dialog->Sections().Find(kFontsSection)->AnyTicked());
        PressKey(window, VK_SPACE);
        EXPECT_TRUE(dialog->ResultsList().IsChecked(0));
        bool detailsOpened = false;
        DialogSteps::Schedule([&] {
            HWND details = ThreadWindowTitled("Details");
            detailsOpened = details != nullptr;
            if (!details) return;
            EXPECT_EQ(GetFocus(), GetDlgItem(details, IDC_DETAILS_LIST));
            PressKey(details, VK_DOWN);
            PressKey(details, VK_SPACE);  // the second problem is left out
            PressKey(details, VK_ESCAPE);
        });
        PressKey(window, VK_RETURN);
        EXPECT_TRUE(detailsOpened);
        for (const ProblemPtr& problem : dialog->Sections().Find(kFontsSection)->problems)
            detailChecks.push_back(problem->checked);

        // "Scan Now" with Space starts the next scan.
        ASSERT_TRUE(TabTo(window, IDC_NAV_SCAN));
        PressKey(window, VK_SPACE);
        EXPECT_TRUE(IsWindowVisible(Control(IDC_RESULTS_LIST)));
    });
    EXPECT_EQ(preferences.ReadSectionState(kHelpFilesSection), 1);
    EXPECT_EQ(detailChecks, (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{"Section Information Saved", "Scan Complete", "Scan Complete"}));
    EXPECT_EQ(operations.calls[ScanOperation::HelpFiles], 2);
}

namespace {
// Where some items lie at 96 DPI over the 650 x 360 background: their template places in its
// proportions. Links and the animation fit themselves to their text and picture.
struct Place {
    int id;
    RECT at96;
};
constexpr Place kPlaces[] = {{IDC_SCAN_LIST, {216, 70, 641, 290}},
                             {IDC_START_ABORT, {567, 294, 642, 316}},
                             {IDC_FOOTER, {519, 345, 641, 358}},
                             {IDC_NAV_SCAN_TEXT, {75, 96, 203, 135}}};

RECT ClientRectOf(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

SIZE SmallImageSize(HWND list) {
    int width = 0, height = 0;
    ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_SMALL), &width, &height);
    return {width, height};
}

// The window, its picture, its places, font and status pictures are the 96-DPI ones scaled.
void ExpectLaidOutAt(const MainDialog& dialog, int dpi) {
    HWND window = dialog.Window();
    EXPECT_EQ(dialog.Dpi(), dpi);
    const SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, MulDiv(650, dpi, 96));
    EXPECT_EQ(client.cy, MulDiv(360, dpi, 96));
    EXPECT_EQ(dialog.BackgroundSize().cx, client.cx);
    EXPECT_EQ(dialog.BackgroundSize().cy, client.cy);
    for (const Place& place : kPlaces) {
        const RECT rect = ClientRectOf(window, place.id);
        const LONG expected[] = {place.at96.left, place.at96.top, place.at96.right, place.at96.bottom};
        const LONG actual[] = {rect.left, rect.top, rect.right, rect.bottom};
        for (int edge = 0; edge < 4; ++edge) {
            EXPECT_NEAR(actual[edge], expected[edge] * dpi / 96.0, 1.5)
                << place.id << " edge " << edge << " at " << dpi;
        }
    }
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(window, IDC_NAV_SCAN_TEXT), WM_GETFONT, 0, 0)),
               sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, "Tahoma");
    // 8 points, or a little less where Tahoma would grow wider than the layout.
    EXPECT_LE(-font.lfHeight, MulDiv(8, dpi, 72));
    EXPECT_GE(-font.lfHeight, MulDiv(7, dpi, 72));
    if (dpi == 96) {
        EXPECT_EQ(font.lfHeight, -11);
    }
    const SIZE status = SmallImageSize(GetDlgItem(window, IDC_SCAN_LIST));
    EXPECT_EQ(status.cx, MulDiv(20, dpi, 96));
    EXPECT_EQ(status.cy, MulDiv(24, dpi, 96));
}

// What Windows sends when the window is moved onto a monitor of another DPI, with the window
// rectangle it suggests: the same top-left corner, the frame around the scaled client area.
void MoveToMonitorOf(HWND window, int dpi) {
    RECT rect{}, client{};
    GetWindowRect(window, &rect);
    GetClientRect(window, &client);
    rect.right = rect.left + (rect.right - rect.left) - client.right + MulDiv(650, dpi, 96);
    rect.bottom = rect.top + (rect.bottom - rect.top) - client.bottom + MulDiv(360, dpi, 96);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
}

// Wine's screen DPI, read by a process when it starts.
class LogPixels {
public:
    explicit LogPixels(DWORD dpi) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
            RegCloseKey(key);
        }
    }
    ~LogPixels() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kPath, "LogPixels"); }

private:
    static constexpr const char* kPath = "Control Panel\\Desktop";
};
}  // namespace

// At 96 DPI the window is its design; moved to a monitor of 120 DPI it takes the 1.5x pictures
// shrunk to 1.25x, and back at 96 it is laid out as it was.
TEST_F(MainDialogTest, FollowsTheDpiOfTheMonitorItIsMovedTo) {
    Run([&](HWND window) {
        ExpectLaidOutAt(*dialog, 96);
        MoveToMonitorOf(window, 120);
        ExpectLaidOutAt(*dialog, 120);
        MoveToMonitorOf(window, 96);
        ExpectLaidOutAt(*dialog, 96);
    });
}

TEST(MainDialogDpi, At192DpiEverythingIsTwiceItsSizeAndFollowsAMoveTo144) {
    const LogPixels dpi(192);
    EXPECT_EQ(RunChild("MainDialogDpiChild.*"), 0);
}

TEST(MainDialogDpiChild, Check) {
    if (!IsChildRun()) GTEST_SKIP() << "runs as a child of MainDialogDpi";
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(pixelsPerInch, 192);
    RegistrySandbox settings("MainDialogDpi");
    Preferences preferences(settings.Path(), settings.Sub("Run"));
    MainDialog dialog(MainDialogStartup{nullptr, nullptr, &preferences, "TidrexVelora", nullptr});
    DialogSteps::Schedule([&] {
        ShowWindow(dialog.Window(), SW_SHOWNORMAL);
        ExpectLaidOutAt(dialog, 192);
        MoveToMonitorOf(dialog.Window(), 144);
        ExpectLaidOutAt(dialog, 144);
        EndDialog(dialog.Window(), kLeftOpen);
    });
    EXPECT_EQ(dialog.Run(), kLeftOpen);
}
