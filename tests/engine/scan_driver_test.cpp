#include "engine/scan_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

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

// A host without a window whose pumps can stand for a click dispatched among them.
class PumpingHost : public ScanHost {
public:
    void ReportProblem(ProblemPtr) override {}
    void ShowCurrentItem(const std::string&) override {}
    void PumpMessages() override {
        if (onPump) onPump();
    }
    void Pause(unsigned) override {}
    void ShowFault(const std::string&) override {}
    std::function<void()> onPump;
};

// The scan's events as lines, and each section's latest state.
class RecordingEvents : public ScanEvents {
public:
    void ScanPrepared(const SectionTable& sections) override {
        lines.push_back("prepared");
        states.clear();
        for (const ScanSection& section : sections.Sections()) {
            if (section.included) states[section.id] = "ready";
        }
    }
    void ScanStarting() override { lines.push_back("starting"); }
    void ScanRunning() override { lines.push_back("running"); }
    void SectionStarted(const ScanSection& section) override {
        lines.push_back("start " + section.name);
        states[section.id] = "scanning";
    }
    void SectionEnded(const ScanSection& section, SectionEnd end, int problems) override {
        states[section.id] = end == SectionEnd::Done ? "done" : "aborted";
        lines.push_back("end " + section.name + " " + states[section.id] + " " + std::to_string(problems));
    }
    void ScanEnded(const SectionTable&, const ScanCounters& counters, bool aborted) override {
        lines.push_back(std::string(aborted ? "aborted " : "complete ") + std::to_string(counters.totalProblems));
    }
    std::vector<std::string> lines;
    std::map<SectionId, std::string> states;
};

struct DriverFixture : ::testing::Test {
    DriverFixture() : sections([this](SectionId id) { return included.count(id) ? 1 : 0; }) {}

    void Include(std::initializer_list<SectionId> ids) {
        for (SectionId id : ids) sections.Find(id)->included = 1;
    }
    void AddProblems(SectionId id, int count, Risk risk = Risk::Safe) {
        for (int i = 0; i < count; ++i) {
            auto problem = std::make_unique<ProblemRecord>();
            problem->sectionId = id;
            problem->risk = risk;
            sections.Find(id)->problems.push_back(std::move(problem));
        }
    }
    std::vector<SectionId> ScanListIds() const {
        std::vector<SectionId> ids;
        for (const ScanSection* section : driver.ScanList()) ids.push_back(section->id);
        return ids;
    }

    std::set<SectionId> included;
    SectionTable sections;
    PumpingHost host;
    ScanEngine engine{host};
    ScriptedOperations operations;
    NoScanLog log;
    ScanCounters counters;
    RecordingEvents events;
    ScanDriver driver{sections, engine, operations, log, counters, events};
};
}  // namespace

TEST_F(DriverFixture, NoSectionIncludedCompletesWithEmptyLists) {
    driver.ScanNow();
    EXPECT_EQ(events.lines, (std::vector<std::string>{"prepared", "starting", "running", "complete 0"}));
    EXPECT_TRUE(operations.calls.empty());
    EXPECT_TRUE(sections.ResultSections().empty());
    EXPECT_TRUE(driver.OffersAbort());
}

TEST_F(DriverFixture, StartupSectionAloneFinishesWithNoProblems) {
    Include({kStartupProgramsSection});
    driver.ScanNow();
    EXPECT_EQ(events.lines, (std::vector<std::string>{"prepared", "starting", "running", "start Startup Programs",
                                                      "end Startup Programs done 0", "complete 0"}));
    EXPECT_TRUE(operations.calls.empty());
}

TEST_F(DriverFixture, RunsTheOperationsOfEachSectionInTableOrder) {
    Include({kShortcutsSection, kAssociationsSection, kComSection, kFullRegistrySection, kFontsSection});
    driver.ScanNow();
    using enum ScanOperation;
    EXPECT_EQ(operations.calls,
              (std::vector<ScanOperation>{Fonts, OpenWith, Extensions, FileTypes, TypeLibraries, ComClasses,
                                          WalkLocalMachine, WalkCurrentUser, WalkUsers, UsageHistory, Shortcuts}));
    EXPECT_EQ(ScanListIds(), (std::vector<SectionId>{kFontsSection, kAssociationsSection, kComSection,
                                                     kFullRegistrySection, kShortcutsSection}));
    for (const auto& [id, state] : events.states) EXPECT_EQ(state, "done") << id;
}

TEST_F(DriverFixture, AbortClickDuringTheFirstSectionStopsTheScan) {
    Include({kFontsSection, kSoundsSection, kHelpFilesSection});
    int pumps = 0;
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine& scan) {
        // The click is dispatched among the section's pumps, as inside a real scan.
        host.onPump = [&] {
            if (++pumps == 3) driver.StartOrAbortScan();
        };
        for (int item = 0; item < 8; ++item) scan.Pump();
    };
    driver.ScanNow();
    EXPECT_EQ(events.states, (std::map<SectionId, std::string>{
                                 {kFontsSection, "aborted"}, {kSoundsSection, "ready"}, {kHelpFilesSection, "ready"}}));
    EXPECT_EQ(operations.calls, std::vector<ScanOperation>{ScanOperation::Fonts});
    EXPECT_EQ(events.lines.back(), "aborted 0");
}

TEST_F(DriverFixture, AbortDuringOpenWithIsSeenByTheExtensionScan) {
    Include({kAssociationsSection, kServicesSection});
    operations.scripts[ScanOperation::OpenWith] = [](ScanEngine& scan) { scan.RequestAbort(); };
    driver.ScanNow();
    EXPECT_EQ(events.states,
              (std::map<SectionId, std::string>{{kAssociationsSection, "aborted"}, {kServicesSection, "ready"}}));
    EXPECT_EQ(operations.calls, (std::vector<ScanOperation>{ScanOperation::OpenWith, ScanOperation::Extensions}));
}

TEST_F(DriverFixture, ComClassScanRunsOnlyAfterTheTypeLibraryScanFinished) {
    Include({kComSection, kShortcutsSection});
    operations.scripts[ScanOperation::TypeLibraries] = [](ScanEngine& scan) { scan.RequestAbort(); };
    driver.ScanNow();
    EXPECT_EQ(operations.calls, std::vector<ScanOperation>{ScanOperation::TypeLibraries});
    EXPECT_EQ(events.states,
              (std::map<SectionId, std::string>{{kComSection, "aborted"}, {kShortcutsSection, "ready"}}));
}

TEST_F(DriverFixture, AbortDuringTheUsersWalkMarksTheNextSection) {
    Include({kFullRegistrySection, kShortcutsSection});
    operations.scripts[ScanOperation::WalkUsers] = [](ScanEngine& scan) { scan.RequestAbort(); };
    driver.ScanNow();
    EXPECT_EQ(events.states,
              (std::map<SectionId, std::string>{{kFullRegistrySection, "done"}, {kShortcutsSection, "aborted"}}));
    EXPECT_EQ(events.lines.back(), "aborted 0");
}

TEST_F(DriverFixture, AbortInTheLastUntestedOperationStillReportsAborted) {
    Include({kFullRegistrySection});
    operations.scripts[ScanOperation::UsageHistory] = [](ScanEngine& scan) { scan.RequestAbort(); };
    driver.ScanNow();
    EXPECT_EQ(events.states.at(kFullRegistrySection), "done");
    EXPECT_EQ(events.lines.back(), "aborted 0");
}

TEST_F(DriverFixture, AbortDuringTheStartUpPumpsScansNothing) {
    Include({kFontsSection});
    host.onPump = [&] {
        if (!engine.WasAborted()) driver.StartOrAbortScan();  // the abort pumps too
    };
    driver.ScanNow();
    EXPECT_EQ(events.lines, (std::vector<std::string>{"prepared", "starting", "aborted 0"}));
    EXPECT_TRUE(operations.calls.empty());
}

TEST_F(DriverFixture, ResultsHoldIncludedSectionsWithProblemsTickedPerSelectAll) {
    Include({kFontsSection, kSoundsSection, kHelpFilesSection});
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine&) { AddProblems(kFontsSection, 2); };
    operations.scripts[ScanOperation::HelpFiles] = [&](ScanEngine&) {
        AddProblems(kHelpFilesSection, 1);
        AddProblems(kHelpFilesSection, 1, Risk::Review);
    };
    for (int selectAll : {0, 1}) {
        driver.readSelectAll = [selectAll] { return selectAll; };
        driver.ScanNow();
        const std::vector<const ScanSection*> results = sections.ResultSections();
        ASSERT_EQ(results.size(), 2u);
        EXPECT_EQ(results[0]->id, 3);
        EXPECT_EQ(results[1]->id, 7);
        EXPECT_EQ(events.lines[events.lines.size() - 2], "end Installed Help Files done 2");
        for (const ScanSection* section : results) {
            EXPECT_EQ(section->AnyTicked(), selectAll == 1);
            for (const auto& problem : section->problems) {
                EXPECT_EQ(problem->checked, problem->risk == Risk::Safe ? selectAll : 0);
            }
        }
    }
}

TEST_F(DriverFixture, ExcludedSectionWithProblemsIsNotShown) {
    Include({kFontsSection, kHelpFilesSection});
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine&) { AddProblems(kFontsSection, 1); };
    operations.scripts[ScanOperation::HelpFiles] = [&](ScanEngine&) { AddProblems(kHelpFilesSection, 1); };
    driver.ScanNow();
    sections.Find(kFontsSection)->included = 0;
    ASSERT_EQ(sections.ResultSections().size(), 1u);
    EXPECT_EQ(sections.ResultSections()[0]->id, 7);
}

TEST_F(DriverFixture, PrepareScanFreesProblemsAndResetsCounters) {
    Include({kFontsSection});
    AddProblems(kFontsSection, 4);
    AddProblems(kApplicationPathsSection, 1);
    counters.totalProblems = 5;
    driver.PrepareScan();
    EXPECT_TRUE(sections.Find(kFontsSection)->problems.empty());
    EXPECT_TRUE(sections.Find(kApplicationPathsSection)->problems.empty());
    EXPECT_EQ(counters.totalProblems, 0);
    EXPECT_EQ(ScanListIds(), std::vector<SectionId>{kFontsSection});
    EXPECT_EQ(events.states, (std::map<SectionId, std::string>{{kFontsSection, "ready"}}));
    EXPECT_FALSE(driver.OffersAbort());
}

// What a scan reads once (the ignore list) is read before the scan's first problem, once per scan,
// and the ignored counts of the last scan go with its problems.
TEST_F(DriverFixture, EachScanIsPreparedOnceBeforeItRuns) {
    Include({kFontsSection});
    sections.Find(kFontsSection)->ignored = 3;
    std::vector<std::string> order;
    driver.preparing = [&] { order.push_back(events.lines.empty() ? "prepared first" : "prepared"); };
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine&) { order.push_back("fonts"); };
    driver.ScanNow();
    EXPECT_EQ(sections.Find(kFontsSection)->ignored, 0);
    driver.ScanNow();
    EXPECT_EQ(order, (std::vector<std::string>{"prepared first", "fonts", "prepared", "fonts"}));
}

TEST_F(DriverFixture, RedirectionIsTouchedOnlyUnderWow64) {
    Include({kFontsSection});
    int asked = 0;
    driver.isWow64 = [&] {
        ++asked;
        return true;
    };
    driver.ScanNow();  // the calls exist on 64-bit Windows and fail harmlessly for a 64-bit process
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(events.lines.back(), "complete 0");
}

TEST_F(DriverFixture, ScanNowDuringAScanIsIgnored) {
    Include({kFontsSection});
    int nested = 0;
    operations.scripts[ScanOperation::Fonts] = [&](ScanEngine&) {
        if (nested++ == 0) driver.ScanNow();
    };
    driver.ScanNow();
    EXPECT_EQ(operations.calls.size(), 1u);
    EXPECT_EQ(std::count(events.lines.begin(), events.lines.end(), "prepared"), 1);
}
