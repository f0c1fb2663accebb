#include "backup/deletion_guard.h"

#include <gtest/gtest.h>

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
        GuardCase{"AppPathEntry", 9, kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\x.exe",
                  true},
        GuardCase{"AppPathEntryOtherCase", 9, kLocalMachine,
                  "software\\microsoft\\windows\\currentversion\\app paths\\x.exe", true},
        GuardCase{"AppPathsListKey", 9, kLocalMachine, kAppPaths, false},
        GuardCase{"AppPathsWithTrailingBackslash", 9, kLocalMachine,
                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\", false},
        GuardCase{"DoubledBackslash", 9, kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\\\x",
                  false},
        GuardCase{"AncestorOfAListKey", 9, kLocalMachine, "SOFTWARE\\Microsoft", false},
        GuardCase{"WrongRoot", 9, kCurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\x.exe",
                  false},
        GuardCase{"WrongSection", 10, kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\x.exe",
                  false},
        GuardCase{"EmptyPath", 9, kLocalMachine, "", false},
        GuardCase{"Service", 6, kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Gone", true},
        GuardCase{"ServicesHoldingTheDriverList", 6, kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\VXD", false},
        GuardCase{"Driver", 2, kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\VXD\\Gone", true},
        GuardCase{"Uninstall", 10, kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App", true},
        GuardCase{"TypeLibWin32", 11, kClassesRoot, "TypeLib\\{x}\\1.0\\0\\win32", true},
        GuardCase{"ClassServer", 11, kClassesRoot, "CLSID\\{x}\\InprocServer32", true},
        GuardCase{"ClsidListKey", 11, kClassesRoot, "CLSID", false},
        GuardCase{"Extension", 5, kClassesRoot, ".xyz", true},
        GuardCase{"ExtensionSubKey", 5, kClassesRoot, ".xyz\\ShellNew", false},
        GuardCase{"NotAnExtension", 5, kClassesRoot, "xyzfile", false},
        GuardCase{"LoneDot", 5, kClassesRoot, ".", false},
        GuardCase{"FullScanNeverDeletesKeys", 13, kLocalMachine, "SOFTWARE\\Vendor\\Tool", false},
        GuardCase{"FontsNeverDeleteKeys", 3, kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\x",
                  false}),
    [](const ::testing::TestParamInfo<GuardCase>& testInfo) { return testInfo.param.name; });
