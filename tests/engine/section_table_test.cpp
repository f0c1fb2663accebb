#include "engine/section_table.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SectionTable, HasThirteenRowsInTableOrderWithoutTwelve) {
    SectionTable table([](SectionId) { return 1; });
    std::vector<SectionId> ids;
    for (const ScanSection& section : table.Sections()) ids.push_back(section.id);
    EXPECT_EQ(ids, (std::vector<SectionId>{kStartupProgramsSection, kStaticDriversSection, kFontsSection,
                                           kSoundsSection, kAssociationsSection, kServicesSection, kHelpFilesSection,
                                           kSharedFilesSection, kApplicationPathsSection, kUninstallSection,
                                           kComSection, kFullRegistrySection, kShortcutsSection}));
    EXPECT_EQ(table.Find(12), nullptr);
    EXPECT_EQ(table.Find(15), nullptr);
}

TEST(SectionTable, RowsCarryTheirNamesSeveritiesAndDescriptions) {
    SectionTable table([](SectionId) { return 0; });
    const ScanSection* fonts = table.Find(kFontsSection);
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(fonts->name, "Installed Fonts");
    EXPECT_EQ(fonts->severity, Severity::Severe);
    EXPECT_EQ(fonts->description, "This Section contains a list of all the fonts installed on the pc.");
    EXPECT_EQ(table.Find(kAssociationsSection)->description,
              "This Section contains all the File Association data, this data is used to associate files with "
              "the Executables");
    EXPECT_EQ(table.Find(kFullRegistrySection)->name, "Full Registry Scan");
    EXPECT_EQ(table.Find(kShortcutsSection)->severity, Severity::Critical);
    EXPECT_EQ(table.Find(kApplicationPathsSection)->severity, Severity::Moderate);
    EXPECT_EQ(table.Find(kComSection)->name, "ActiveX/COM Program ID");
}

TEST(SectionTable, IncludedComesFromTheStoredChoice) {
    SectionTable table([](SectionId id) { return id == kSoundsSection ? 1 : 0; });
    for (const ScanSection& section : table.Sections()) {
        EXPECT_EQ(section.included, section.id == kSoundsSection ? 1 : 0) << section.id;
        EXPECT_TRUE(section.problems.empty());
    }
}

TEST(SectionTable, ASectionIsTickedWhileAnyOfItsProblemsIs) {
    SectionTable table([](SectionId) { return 1; });
    ScanSection& section = *table.Find(kHelpFilesSection);
    for (int i = 0; i < 3; ++i) {
        section.problems.push_back(std::make_unique<ProblemRecord>());
        section.problems.back()->risk = Risk::Safe;
    }
    EXPECT_FALSE(section.AnyTicked());
    section.TickAll(true);
    for (const auto& problem : section.problems) EXPECT_EQ(problem->checked, 1);
    section.TickAll(false);
    section.problems[2]->checked = 1;
    EXPECT_TRUE(section.AnyTicked());
    table.ClearProblems();
    EXPECT_TRUE(section.problems.empty());
}

TEST(SectionTable, TickingAllLeavesEachProblemToReviewAsTheUserLeftIt) {
    SectionTable table([](SectionId) { return 1; });
    ScanSection& section = *table.Find(kServicesSection);
    for (Risk risk : {Risk::Review, Risk::Safe, Risk::Review}) {
        section.problems.push_back(std::make_unique<ProblemRecord>());
        section.problems.back()->risk = risk;
    }
    section.TickAll(true);
    EXPECT_EQ(section.problems[0]->checked, 0);
    EXPECT_EQ(section.problems[1]->checked, 1);
    section.problems[2]->checked = 1;
    section.TickAll(true);
    EXPECT_EQ(section.problems[0]->checked, 0);
    EXPECT_EQ(section.problems[2]->checked, 1);
    section.TickAll(false);
    for (const auto& problem : section.problems) EXPECT_EQ(problem->checked, 0);
    section.problems.erase(section.problems.begin() + 1);
    section.TickAll(true);
    EXPECT_FALSE(section.AnyTicked());
}
