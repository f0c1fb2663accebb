#include "engine/scan_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include "engine/window_scan_host.h"
#include "engine/data_scan_page.h"

namespace {
// Operations that record their calls; a section's behaviour can be replaced per operation.
class ScriptedOperations : public ScanOperations {
public:
    bool Run(ScanOperation operation, ScanEngine& engine) override {
        calls.push_back(operation);
        auto script = scripts.find(operation);
        if (script != scripts.end()) script->second(engine);
        return engine.Running();
    }
    std::vector<ScanOperation> calls;
    std::map<ScanOperation, std::function<void(ScanEngine&)>> scripts;
};

// A real window whose posted message stands for a click on "Abort" during a scan.
class AbortClickWindow {
public:
    explicit AbortClickWindow(ScanDriver*& driver) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &AbortClickWindow::Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TidrexAbortClick";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("TidrexAbortClick", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&driver));
    }
    ~AbortClickWindow() { DestroyWindow(window_); }
    void Click() const { PostMessageA(window_, WM_APP, 0, 0); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_APP) {
            auto* driver = *reinterpret_cast<ScanDriver**>(GetWindowLongPtrA(window, GWLP_USERDATA));
            driver->StartOrAbortScan();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window_;
};

struct DriverFixture : ::testing::Test {
    explicit DriverFixture() : sections([this](SectionId id) { return included.count(id) ? 1 : 0; }) {}

    void Include(std::initializer_list<SectionId> ids) {
        for (SectionId id : ids) sections.Find(id)->included = 1;
    }
    void AddProblems(SectionId id, int count) {
        for (int i = 0; i < count; ++i) {
            auto problem = std::make_unique<ProblemRecord>();
            problem->sectionId = id;
            sections.Find(id)->problems.push_back(std::move(problem));
        }
    }

    std::set<SectionId> included;
    SectionTable sections;
    WindowScanHost host;
    ScanEngine engine{host};
    DataScanPage page;
    ScriptedOperations operations;
    NoScanLog log;
    ScanCounters counters;
    ScanDriver driver{sections, engine, page, operations, log, counters};
};
}  // namespace

TEST_F(DriverFixture, NoSectionIncludedCompletesWithEmptyLists) {
    driver.ScanNow();
    EXPECT_TRUE(page.rows.empty());
    EXPECT_TRUE(operations.calls.empty());
    EXPECT_EQ(page.endMessages, std::vector<std::string>{"Scan Complete"});
    EXPECT_EQ(page.statusLine, "Scan Complete");
    EXPECT_TRUE(page.results.empty());
    EXPECT_EQ(page.resultsTotal, "Total Problems : 0");
    EXPECT_TRUE(page.resultsVisible);
    EXPECT_EQ(page.caption, "Abort");
}

TEST_F(DriverFixture, StartupSectionAloneFinishesWithNoProblems) {
    Include({1});
    driver.ScanNow();
    ASSERT_EQ(page.rows.size(), 1u);
    EXPECT_EQ(page.rows[0].columns[0], "Startup Programs");
    EXPECT_EQ(page.rows[0].columns[1], "0");
    EXPECT_EQ(page.rows[0].columns[2], "Finished");
    EXPECT_EQ(page.rows[0].image, kStatusImageFinished);
    EXPECT_TRUE(operations.calls.empty());
    EXPECT_EQ(page.endMessages, std::vector<std::string>{"Scan Complete"});
}

TEST_F(DriverFixture, RunsTheOperationsOfEachSectionInTableOrder) {
    Include({14, 5, 11, 13, 3});
    driver.ScanNow();
    using enum ScanOperation;
    EXPECT_EQ(operations.calls,
              (std::vector<ScanOperation>{Fonts, OpenWith, Extensions, TypeLibraries, ComClasses, WalkLocalMachine,
                                          WalkCurrentUser, WalkUsers, UsageHistory, Shortcuts}));
    for (const auto& row : page.rows) EXPECT_EQ(row.columns[2], "Finished");
    for (int i = 0; i < static_cast<int>(page.rows.size()); ++i) EXPECT_EQ(page.rows[i].section->scanRow, i);
}

TEST_F(DriverFixture, AbortClickDuringTheFirstSectionStopsTheScan) {
    Include({3, 4, 7});
    ScanDriver* target = &driver;
    AbortClickWindow abortButton(target);
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine& scan) {
        abortButton.Click();
        // The window host looks at its queue on every eighth pump: the click is dispatched within
        // the section's next eight items, as inside a real scan.
        for (int item = 0; item < 8; ++item) scan.Pump();
    };
    driver.ScanNow();
    EXPECT_EQ(page.RowOf(3)->columns[2], "Aborted");
    EXPECT_EQ(page.RowOf(4)->columns[2], "Ready");
    EXPECT_EQ(page.RowOf(7)->columns[2], "Ready");
    EXPECT_EQ(operations.calls, std::vector<ScanOperation>{ScanOperation::Fonts});
    EXPECT_EQ(page.endMessages, std::vector<std::string>{"Scan Aborted"});
}

TEST_F(DriverFixture, AbortDuringOpenWithIsSeenByTheExtensionScan) {
    Include({5, 6});
    operations.scripts[ScanOperation::OpenWith] = [](ScanEngine& scan) { scan.RequestAbort(); };
    driver.ScanNow();
    EXPECT_EQ(page.RowOf(5)->columns[2], "Aborted");
    EXPECT_EQ(page.RowOf(6)->columns[2], "Ready");
    EXPECT_EQ(operations.calls, (std::vector<ScanOperation>{ScanOperation::OpenWith, ScanOperation::Extensions}));
}

TEST_F(DriverFixture, ComClassScanRunsOnlyAfterTheTypeLibraryScanFinished) {
    Include({11, 14});
    operations.scripts[ScanOperation::TypeLibraries] = [](ScanEngine& scan) { scan.RequestAbort(); };
    driver.ScanNow();
    EXPECT_EQ(operations.calls, std::vector<ScanOperation>{ScanOperation::TypeLibraries});
    EXPECT_EQ(page.RowOf(11)->columns[2], "Aborted");
    EXPECT_EQ(page.RowOf(14)->columns[2], "Ready");
}

TEST_F(DriverFixture, AbortDuringTheUsersWalkMarksTheNextSection) {
    Include({13, 14});
    operations.scripts[ScanOperation::WalkUsers] = [](ScanEngine& scan) { scan.RequestAbort(); };
    driver.ScanNow();
    EXPECT_EQ(page.RowOf(13)->columns[2], "Finished");
    EXPECT_EQ(page.RowOf(14)->columns[2], "Aborted");
    EXPECT_EQ(page.endMessages, std::vector<std::string>{"Scan Aborted"});
}

TEST_F(DriverFixture, AbortInTheLastUntestedOperationStillReportsAborted) {
    Include({13});
    operations.scripts[ScanOperation::UsageHistory] = [](ScanEngine& scan) { scan.RequestAbort(); };
    driver.ScanNow();
    EXPECT_EQ(page.RowOf(13)->columns[2], "Finished");
    EXPECT_EQ(page.endMessages, std::vector<std::string>{"Scan Aborted"});
}

TEST_F(DriverFixture, ResultsListIncludedSectionsWithProblemsPerSelectAll) {
    Include({3, 4, 7});
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine&) { AddProblems(3, 2); };
    operations.scripts[ScanOperation::HelpFiles] = [&](ScanEngine&) { AddProblems(7, 1); };
    for (int selectAll : {0, 1}) {
        driver.readSelectAll = [selectAll] { return selectAll; };
        driver.ScanNow();
        ASSERT_EQ(page.results.size(), 2u);
        EXPECT_EQ(page.results[0].section->id, 3);
        EXPECT_EQ(page.results[0].markup,
                  "<b>Section Name : Installed Fonts</b><br><font color=\"#FF0000\">Problems Found : 2</font>");
        EXPECT_EQ(page.results[1].section->id, 7);
        for (const auto& row : page.results) {
            EXPECT_EQ(row.checked, selectAll == 1);
            EXPECT_EQ(row.section->checkedForRemoval, selectAll);
            for (const auto& problem : row.section->problems) EXPECT_EQ(problem->checked, selectAll);
        }
    }
}

TEST_F(DriverFixture, ExcludedSectionWithProblemsIsNotShown) {
    Include({3, 7});
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine&) { AddProblems(3, 1); };
    operations.scripts[ScanOperation::HelpFiles] = [&](ScanEngine&) { AddProblems(7, 1); };
    driver.ScanNow();
    sections.Find(3)->included = 0;
    driver.ShowResults();
    ASSERT_EQ(page.results.size(), 1u);
    EXPECT_EQ(page.results[0].section->id, 7);
}

TEST_F(DriverFixture, PrepareScanFreesProblemsAndResetsCounters) {
    Include({3});
    AddProblems(3, 4);
    AddProblems(9, 1);
    counters.totalProblems = 5;
    driver.PrepareScan();
    EXPECT_TRUE(sections.Find(3)->problems.empty());
    EXPECT_TRUE(sections.Find(9)->problems.empty());
    EXPECT_EQ(page.totalLabel, "Total Problems : 0");
    EXPECT_EQ(page.affectedLabel, "Affected Sections : 0");
    EXPECT_EQ(page.statusLine, "Preparing to Scan");
    ASSERT_EQ(page.rows.size(), 1u);
    EXPECT_EQ(page.rows[0].columns[2], "Ready");
}

TEST_F(DriverFixture, RedirectionIsTouchedOnlyUnderWow64) {
    Include({3});
    int asked = 0;
    driver.isWow64 = [&] {
        ++asked;
        return true;
    };
    driver.ScanNow();  // the calls exist on 64-bit Windows and fail harmlessly for a 64-bit process
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(page.endMessages.back(), "Scan Complete");
}

TEST_F(DriverFixture, ScanNowDuringAScanIsIgnored) {
    Include({3});
    int nested = 0;
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine&) {
        if (nested++ == 0) driver.ScanNow();
    };
    driver.ScanNow();
    EXPECT_EQ(operations.calls.size(), 1u);
    EXPECT_EQ(page.endMessages.size(), 1u);
}
