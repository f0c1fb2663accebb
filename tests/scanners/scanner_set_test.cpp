#include "scanners/scanner_set.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/section_descriptors.h"
#include "scanners/association_scanners.h"
#include "scanners/list_scanners.h"
#include "scanners/service_scanners.h"
#include "scanners/usage_history_scanner.h"
#include "scanners/usage_history_names.h"
#include "tests/scanners/list_scanner_fixture.h"
#include "tests/scanners/scanner_test_values.h"
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
        {ScanOperation::Fonts, kFontsKey, font.Name(), kFontsSection},
        {ScanOperation::Sounds, kSoundsKey, sound.Name(), kSoundsSection},
        {ScanOperation::HelpFiles, kHelpFilesKey, help.Name(), kHelpFilesSection},
        {ScanOperation::SharedFiles, kSharedFilesKey, shared.Name(), kSharedFilesSection},
        {ScanOperation::ApplicationPaths, program.Path(), "", kApplicationPathsSection},
    };
    for (const auto& expected : cases) {
        host.problems.clear();
        EXPECT_TRUE(scanners.Run(expected.operation, engine));
        const ProblemRecord* problem = host.Find(expected.keyPath, expected.valueName);
        ASSERT_NE(problem, nullptr) << expected.keyPath;
        EXPECT_EQ(problem->sectionId, expected.section);
        for (const ProblemPtr& other : host.problems) EXPECT_EQ(other->sectionId, expected.section);
    }
}

TEST_F(ScannerSetTest, RegistrySectionsRunTheirScans) {
    ScannerSet scanners;
    const std::string services = kServicesKey;
    ScopedListSubKey driver(HKEY_LOCAL_MACHINE, std::string(kStaticDriversKey) + "\\" + Unique("Vxd"));
    SetStringValue(HKEY_LOCAL_MACHINE, driver.Path(), "StaticVXD", At("gone.vxd"));
    ScopedListSubKey service(HKEY_LOCAL_MACHINE, services + "\\" + Unique("Service"));
    SetStringValue(HKEY_LOCAL_MACHINE, service.Path(), "ImagePath", At("gone.sys"));
    ScopedListSubKey program(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + Unique("Program"));
    SetStringValue(HKEY_LOCAL_MACHINE, program.Path(), "UninstallString", At("uninst.exe"));
    ScopedListSubKey extension(HKEY_CLASSES_ROOT, "." + Unique("Ext"), "TidrexTest.NoSuchProgId");
    ScopedListSubKey openWith(HKEY_CURRENT_USER, std::string(kFileExtsKey) + "\\." + Unique("Ext"));
    SetStringValue(HKEY_CURRENT_USER, openWith.Path() + "\\OpenWithList", "a", Unique("Unregistered.exe"));
    ScopedListSubKey typeLib(HKEY_CLASSES_ROOT, "TypeLib\\{" + Unique("Lib") + "}\\1.0\\0\\win32", At("gone.tlb"));
    ScopedListSubKey comClass(HKEY_CLASSES_ROOT, "CLSID\\{" + Unique("Class") + "}\\InprocServer32", At("gone.dll"));
    ScopedListSubKey usage(HKEY_CURRENT_USER, std::string(kUserAssistKey) + "\\{" + Unique("Usage") + "}\\Count");
    const std::string usageEntry = Rot13("UEME_RUNPATH:" + At("gone.exe"));
    SetDwordValue(HKEY_CURRENT_USER, usage.Path(), usageEntry.c_str(), 1);
    const struct {
        ScanOperation operation;
        std::string keyPath;
        std::string valueName;
        SectionId section;
    } cases[] = {
        {ScanOperation::StaticDrivers, driver.Path(), "StaticVXD", kStaticDriversSection},
        {ScanOperation::OpenWith, openWith.Path() + "\\OpenWithList", "a", kAssociationsSection},
        {ScanOperation::Extensions, extension.Path(), "", kAssociationsSection},
        {ScanOperation::Services, service.Path(), "ImagePath", kServicesSection},
        {ScanOperation::Uninstall, program.Path(), "UninstallString", kUninstallSection},
        {ScanOperation::TypeLibraries, typeLib.Path(), "", kComSection},
        {ScanOperation::ComClasses, comClass.Path(), "", kComSection},
        {ScanOperation::UsageHistory, usage.Path(), usageEntry, kFullRegistrySection},
    };
    for (const auto& expected : cases) {
        host.problems.clear();
        EXPECT_TRUE(scanners.Run(expected.operation, engine));
        const ProblemRecord* problem = host.Find(expected.keyPath, expected.valueName);
        ASSERT_NE(problem, nullptr) << expected.keyPath;
        for (const ProblemPtr& other : host.problems) EXPECT_EQ(other->sectionId, expected.section);
    }
}

// The current user's keys are walked twice: under their own root and among all users' keys.
TEST_F(ScannerSetTest, FullRegistryWalksFindTheCurrentUsersValueUnderBothRoots) {
    ScannerSet scanners;
    const RegistrySandbox sandbox(Unique(""));
    sandbox.SetString("", "Gone", At("gone.exe"));
    EXPECT_TRUE(scanners.Run(ScanOperation::WalkCurrentUser, engine));
    const ProblemRecord* own = host.Find(sandbox.Path(), "Gone");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->AsRegistry()->rootKey, kCurrentUser);
    EXPECT_EQ(own->sectionId, kFullRegistrySection);

    host.problems.clear();
    EXPECT_TRUE(scanners.Run(ScanOperation::WalkUsers, engine));
    const ProblemRecord* underUsers = nullptr;
    for (const ProblemPtr& problem : host.problems) {
        const RegistryProblem* record = problem->AsRegistry();
        if (record->valueName == "Gone" && record->keyPath.ends_with("\\" + sandbox.Path())) underUsers = problem.get();
    }
    ASSERT_NE(underUsers, nullptr);
    EXPECT_EQ(underUsers->AsRegistry()->rootKey, kUsers);
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
        EXPECT_EQ(problem->sectionId, kShortcutsSection);
        if (problem->AsFile() && problem->AsFile()->linkPath == link) found = true;
    }
    EXPECT_TRUE(found);
    for (const std::string& item : host.shown) EXPECT_TRUE(item.starts_with("E:\\")) << item;
}

TEST_F(ScannerSetTest, AbortedScanEndsEveryScanAtOnce) {
    ScannerSet scanners;
    ScopedListValue font(HKEY_LOCAL_MACHINE, kFontsKey, Unique("Font"), At("gone.ttf"));
    engine.running = 0;
    for (ScanOperation operation :
         {ScanOperation::StaticDrivers, ScanOperation::Fonts, ScanOperation::Sounds, ScanOperation::OpenWith,
          ScanOperation::Extensions, ScanOperation::Services, ScanOperation::HelpFiles, ScanOperation::SharedFiles,
          ScanOperation::ApplicationPaths, ScanOperation::Uninstall, ScanOperation::TypeLibraries,
          ScanOperation::ComClasses, ScanOperation::WalkLocalMachine, ScanOperation::WalkCurrentUser,
          ScanOperation::WalkUsers, ScanOperation::UsageHistory, ScanOperation::Shortcuts}) {
        EXPECT_FALSE(scanners.Run(operation, engine));
    }
    EXPECT_TRUE(host.events.empty());
    EXPECT_TRUE(host.problems.empty());
}
