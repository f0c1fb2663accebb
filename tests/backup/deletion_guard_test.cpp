#include "backup/deletion_guard.h"

#include <gtest/gtest.h>

#include "engine/section_descriptors.h"

struct GuardCase {
    const char* name;
    SectionId section;
    RootKeyValue root;
    const char* path;
    bool allowed;
};

class KeyDeletion : public ::testing::TestWithParam<GuardCase> {};

TEST_P(KeyDeletion, OnlyStrictlyBelowTheSectionsListKey) {
    EXPECT_EQ(KeyDeletionAllowed(SectionListKeys(), GetParam().section, GetParam().root, GetParam().path),
              GetParam().allowed);
}

constexpr const char* kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

INSTANTIATE_TEST_SUITE_P(
    Records, KeyDeletion,
    ::testing::Values(
        GuardCase{"AppPathEntry", kApplicationPathsSection, kLocalMachine,
                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\x.exe", true},
        GuardCase{"AppPathEntryOtherCase", kApplicationPathsSection, kLocalMachine,
                  "software\\microsoft\\windows\\currentversion\\app paths\\x.exe", true},
        GuardCase{"AppPathsListKey", kApplicationPathsSection, kLocalMachine, kAppPaths, false},
        GuardCase{"AppPathsWithTrailingBackslash", kApplicationPathsSection, kLocalMachine,
                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\", false},
        GuardCase{"DoubledBackslash", kApplicationPathsSection, kLocalMachine,
                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\\\x", false},
        GuardCase{"AncestorOfAListKey", kApplicationPathsSection, kLocalMachine, "SOFTWARE\\Microsoft", false},
        GuardCase{"WrongRoot", kApplicationPathsSection, kCurrentUser,
                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\x.exe", false},
        GuardCase{"WrongSection", kUninstallSection, kLocalMachine,
                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\x.exe", false},
        GuardCase{"EmptyPath", kApplicationPathsSection, kLocalMachine, "", false},
        GuardCase{"Service", kServicesSection, kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Gone", true},
        GuardCase{"ServicesHoldingTheDriverList", kServicesSection, kLocalMachine,
                  "SYSTEM\\CurrentControlSet\\Services\\VXD", false},
        GuardCase{"Driver", kStaticDriversSection, kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\VXD\\Gone",
                  true},
        GuardCase{"Uninstall", kUninstallSection, kLocalMachine,
                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App", true},
        GuardCase{"TypeLibWin32", kComSection, kClassesRoot, "TypeLib\\{x}\\1.0\\0\\win32", true},
        GuardCase{"ClassServer", kComSection, kClassesRoot, "CLSID\\{x}\\InprocServer32", true},
        GuardCase{"ClsidListKey", kComSection, kClassesRoot, "CLSID", false},
        GuardCase{"Extension", kAssociationsSection, kClassesRoot, ".xyz", true},
        GuardCase{"ExtensionSubKey", kAssociationsSection, kClassesRoot, ".xyz\\ShellNew", false},
        GuardCase{"NotAnExtension", kAssociationsSection, kClassesRoot, "xyzfile", false},
        GuardCase{"LoneDot", kAssociationsSection, kClassesRoot, ".", false},
        GuardCase{"ThirtyTwoBitUninstall", kUninstallSection, kLocalMachine,
                  "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App", true},
        GuardCase{"ThirtyTwoBitUninstallListKey", kUninstallSection, kLocalMachine,
                  "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall", false},
        GuardCase{"ThirtyTwoBitClassServer", kComSection, kClassesRoot, "Wow6432Node\\CLSID\\{x}\\InprocServer32",
                  true},
        GuardCase{"ThirtyTwoBitClassesOfAnotherSection", kAssociationsSection, kClassesRoot, "Wow6432Node\\CLSID",
                  false},
        GuardCase{"ProgramId", kAssociationsSection, kLocalMachine, "SOFTWARE\\Classes\\Vendor.Document", true},
        GuardCase{"UserApplicationVerb", kAssociationsSection, kCurrentUser,
                  "Software\\Classes\\Applications\\x.exe\\shell\\open", true},
        GuardCase{"ApplicationsListKey", kAssociationsSection, kCurrentUser, "Software\\Classes\\Applications", false},
        GuardCase{"MachineClassesOfCom", kAssociationsSection, kLocalMachine, "SOFTWARE\\Classes\\CLSID", false},
        GuardCase{"ThirtyTwoBitClassTree", kAssociationsSection, kLocalMachine, "SOFTWARE\\Classes\\Wow6432Node",
                  false},
        GuardCase{"FullScanNeverDeletesKeys", kFullRegistrySection, kLocalMachine, "SOFTWARE\\Vendor\\Tool", false},
        GuardCase{"FontsNeverDeleteKeys", kFontsSection, kLocalMachine,
                  "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\x", false}),
    [](const ::testing::TestParamInfo<GuardCase>& testInfo) { return testInfo.param.name; });
