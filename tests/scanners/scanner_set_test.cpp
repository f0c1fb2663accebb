#include "scanners/scanner_set.h"

#include <gtest/gtest.h>

#include "scanners/list_scanners.h"
#include "tests/scanners/list_scanner_fixture.h"
#include "tests/scanners/shortcut_files.h"
#include "tests/support/registry_sandbox.h"

using ScannerSetTest = ListScannerTest;

TEST_F(ScannerSetTest, ListSectionsRunTheirScans) {
    ScannerSet scanners;
    ScopedListValue font(HKEY_LOCAL_MACHINE, kFontsKey, Unique("Font"), At("gone.ttf"));
    ScopedListValue sound(HKEY_CURRENT_USER, kSoundsKey, Unique("Sound"), At("gone.wav"));
    ScopedListValue help(HKEY_LOCAL_MACHINE, kHelpFilesKey, Unique(".hlp"), At("Help"));
    ScopedListValue shared(HKEY_LOCAL_MACHINE, kSharedFilesKey, At(Unique(".dll")), 1);
    ScopedListSubKey program(HKEY_LOCAL_MACHINE, std::string(kApplicationPathsKey) + "\\" + Unique(".exe"),
                             At("gone.exe"));
    const struct {
        ScanOperation operation;
        std::string keyPath;
        std::string valueName;
        SectionId section;
    } cases[] = {
        {ScanOperation::Fonts, kFontsKey, font.Name(), 3},
        {ScanOperation::Sounds, kSoundsKey, sound.Name(), 4},
        {ScanOperation::HelpFiles, kHelpFilesKey, help.Name(), 7},
        {ScanOperation::SharedFiles, kSharedFilesKey, shared.Name(), 8},
        {ScanOperation::ApplicationPaths, program.Path(), "", 9},
    };
    for (const auto& expected : cases) {
        host.problems.clear();
        EXPECT_TRUE(scanners.Run(expected.operation, engine));
        const RegistryProblem* problem = host.Find(expected.keyPath, expected.valueName);
        ASSERT_NE(problem, nullptr) << expected.keyPath;
        EXPECT_EQ(problem->sectionId, expected.section);
        for (const ProblemPtr& other : host.problems) EXPECT_EQ(other->sectionId, expected.section);
    }
}

// The current user's keys are walked twice: under their own root and among all users' keys.
TEST_F(ScannerSetTest, FullRegistryWalksFindTheCurrentUsersValueUnderBothRoots) {
    ScannerSet scanners;
    const RegistrySandbox sandbox(Unique(""));
    sandbox.SetString("", "Gone", At("gone.exe"));
    EXPECT_TRUE(scanners.Run(ScanOperation::WalkCurrentUser, engine));
    const RegistryProblem* own = host.Find(sandbox.Path(), "Gone");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->rootKey, kCurrentUser);
    EXPECT_EQ(own->sectionId, 13);

    host.problems.clear();
    EXPECT_TRUE(scanners.Run(ScanOperation::WalkUsers, engine));
    const RegistryProblem* underUsers = nullptr;
    for (const ProblemPtr& problem : host.problems) {
        const RegistryProblem* record = problem->AsRegistry();
        if (record->valueName == "Gone" && record->keyPath.ends_with("\\" + sandbox.Path())) underUsers = record;
    }
    ASSERT_NE(underUsers, nullptr);
    EXPECT_EQ(underUsers->rootKey, kUsers);
}

TEST_F(ScannerSetTest, ShortcutSectionWalksOnlyTheChosenDisks) {
    CoInitialize(nullptr);
    ScannerSet scanners;
    scanners.shortcutDrives = "E";
    const std::string folder = "E:\\TidrexTests\\" + Unique("");
    std::filesystem::create_directories(folder);
    const std::string link = folder + "\\Dead.lnk";
    EXPECT_TRUE(MakeShortcut(link, folder + "\\gone.exe"));
    EXPECT_TRUE(scanners.Run(ScanOperation::Shortcuts, engine));
    std::filesystem::remove_all(folder);
    CoUninitialize();

    bool found = false;
    for (const ProblemPtr& problem : host.problems) {
        EXPECT_EQ(problem->sectionId, 14);
        if (problem->AsFile() && problem->AsFile()->linkPath == link) found = true;
    }
    EXPECT_TRUE(found);
    for (const std::string& item : host.shown) EXPECT_TRUE(item.starts_with("E:\\")) << item;
}

TEST_F(ScannerSetTest, OperationsWithoutAScannerFinishAtOnce) {
    ScannerSet scanners;
    for (ScanOperation operation :
         {ScanOperation::StaticDrivers, ScanOperation::OpenWith, ScanOperation::Extensions, ScanOperation::Services,
          ScanOperation::Uninstall, ScanOperation::TypeLibraries, ScanOperation::ComClasses,
          ScanOperation::UsageHistory}) {
        engine.running = 1;
        EXPECT_TRUE(scanners.Run(operation, engine));
        engine.running = 0;
        EXPECT_FALSE(scanners.Run(operation, engine));
    }
    EXPECT_TRUE(host.events.empty());
}

TEST_F(ScannerSetTest, AbortedScanEndsTheListScansAtOnce) {
    ScannerSet scanners;
    ScopedListValue font(HKEY_LOCAL_MACHINE, kFontsKey, Unique("Font"), At("gone.ttf"));
    engine.running = 0;
    for (ScanOperation operation :
         {ScanOperation::Fonts, ScanOperation::Sounds, ScanOperation::HelpFiles, ScanOperation::SharedFiles,
          ScanOperation::ApplicationPaths, ScanOperation::WalkLocalMachine, ScanOperation::WalkCurrentUser,
          ScanOperation::WalkUsers, ScanOperation::Shortcuts}) {
        EXPECT_FALSE(scanners.Run(operation, engine));
    }
    EXPECT_TRUE(host.events.empty());
    EXPECT_TRUE(host.problems.empty());
}
