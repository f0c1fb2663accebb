#include "backup/restore_scope.h"

#include <gtest/gtest.h>

#include <string>

namespace {
enum class Record { Key, Value, Shortcut };

struct ScopeCase {
    const char* name;
    Record record;
    RootKeyValue root;  // not used for shortcuts
    std::string path;
    bool allowed;
};

class RestoreScopeTest : public ::testing::TestWithParam<ScopeCase> {};

constexpr const char* kBho = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr const char* kWindows = "C:\\windows";
}  // namespace

TEST_P(RestoreScopeTest, OnlyWhereTheProgramRemovesThings) {
    const ScopeCase& c = GetParam();
    switch (c.record) {
        case Record::Key: EXPECT_EQ(KeyRestoreAllowed(ProgramRestoreScope(), c.root, c.path), c.allowed); break;
        case Record::Value: EXPECT_EQ(ValueRestoreAllowed(ProgramRestoreScope(), c.root, c.path), c.allowed); break;
        case Record::Shortcut: EXPECT_EQ(ShortcutPathRefusal(c.path, kWindows).empty(), c.allowed); break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, RestoreScopeTest,
    ::testing::Values(
        // Keys: what a section's removal or a tool could have deleted, nothing above it.
        ScopeCase{"KeyAppPathEntry", Record::Key, kLocalMachine,
                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\x.exe", true},
        ScopeCase{"KeyService", Record::Key, kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Gone", true},
        ScopeCase{"KeyClassServer", Record::Key, kClassesRoot, "CLSID\\{x}\\InprocServer32", true},
        ScopeCase{"KeyExtension", Record::Key, kClassesRoot, ".xyz", true},
        ScopeCase{"KeyThirtyTwoBitUninstallEntry", Record::Key, kLocalMachine,
                  "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App", true},
        ScopeCase{"KeyBrowserHelper", Record::Key, kLocalMachine, std::string(kBho) + "\\{x}", true},
        ScopeCase{"KeyThirtyTwoBitBrowserHelper", Record::Key, kLocalMachine,
                  "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\{x}",
                  true},
        ScopeCase{"KeyRoot", Record::Key, kLocalMachine, "", false},
        ScopeCase{"KeySoftware", Record::Key, kLocalMachine, "SOFTWARE", false},
        ScopeCase{"KeyServicesList", Record::Key, kLocalMachine, "SYSTEM\\CurrentControlSet\\Services", false},
        ScopeCase{"KeyRunList", Record::Key, kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", false},
        ScopeCase{"KeyBrowserHelperList", Record::Key, kLocalMachine, kBho, false},
        ScopeCase{"KeyBelowABrowserHelper", Record::Key, kLocalMachine, std::string(kBho) + "\\{x}\\Sub", false},
        ScopeCase{"KeyOfAVendor", Record::Key, kCurrentUser, "Software\\Vendor\\Tool", false},
        ScopeCase{"KeyOfAnotherConfiguration", Record::Key, kCurrentConfig, "Software\\Fonts", false},
        // Values: the value sections' keys, the startup lists, and what the full scan walks.
        ScopeCase{"ValueFont", Record::Value, kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                  true},
        ScopeCase{"ValueThirtyTwoBitSharedFile", Record::Value, kLocalMachine,
                  "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", true},
        ScopeCase{"ValueOpenWithList", Record::Value, kCurrentUser,
                  "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.txt\\OpenWithList", true},
        ScopeCase{"ValueThirtyTwoBitRun", Record::Value, kLocalMachine,
                  "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", true},
        ScopeCase{"ValueOfAVendorsKey", Record::Value, kLocalMachine, "SOFTWARE\\Vendor\\Tool", true},
        ScopeCase{"ValueOfAnotherUser", Record::Value, kUsers, "S-1-5-21-1\\Software\\Vendor", true},
        ScopeCase{"ValueOfTheUsersRoot", Record::Value, kCurrentUser, "", true},
        ScopeCase{"ValueOfAClassKey", Record::Value, kClassesRoot, "exefile\\shell\\open\\command", false},
        ScopeCase{"ValueOfTheMachinesClasses", Record::Value, kLocalMachine, "SOFTWARE\\Classes\\exefile", false},
        ScopeCase{"ValueOfTheUsersClasses", Record::Value, kCurrentUser, "Software\\Classes\\CLSID\\{x}", false},
        ScopeCase{"ValueOfAUsersClassTree", Record::Value, kUsers, "S-1-5-21-1_Classes\\exefile", false},
        ScopeCase{"ValueOfAnotherConfiguration", Record::Value, kCurrentConfig, "Software", false},
        ScopeCase{"ValueWithAnEmptyKeyName", Record::Value, kLocalMachine, "SOFTWARE\\\\Vendor", false},
        // Files: shortcuts outside the Windows folder, by a full drive path of plain names.
        ScopeCase{"ShortcutOnTheDesktop", Record::Shortcut, 0, "C:\\users\\me\\Desktop\\Tool.lnk", true},
        ScopeCase{"ShortcutOfAnyCase", Record::Shortcut, 0, "e:\\Other\\TOOL.LNK", true},
        ScopeCase{"ShortcutInStartup", Record::Shortcut, 0,
                  "C:\\users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\a.lnk", true},
        ScopeCase{"FileWinIni", Record::Shortcut, 0, "C:\\windows\\win.ini", false},
        ScopeCase{"FileSystemLibrary", Record::Shortcut, 0, "C:\\windows\\system32\\evil.dll", false},
        ScopeCase{"FileStartupScript", Record::Shortcut, 0,
                  "C:\\users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\a.bat", false},
        ScopeCase{"ShortcutInTheWindowsFolder", Record::Shortcut, 0, "C:\\WINDOWS\\Start Menu\\a.lnk", false},
        ScopeCase{"ShortcutOutsideEveryDrive", Record::Shortcut, 0, "\\\\?\\unix\\tmp\\a.lnk", false},
        ScopeCase{"ShortcutOnAShare", Record::Shortcut, 0, "\\\\server\\share\\a.lnk", false},
        ScopeCase{"ShortcutRelative", Record::Shortcut, 0, "Desktop\\a.lnk", false},
        ScopeCase{"ShortcutThroughParent", Record::Shortcut, 0, "C:\\users\\..\\windows\\a.lnk", false},
        ScopeCase{"ShortcutWithTrailingDot", Record::Shortcut, 0, "C:\\windows.\\a.lnk", false},
        ScopeCase{"ShortcutInAStream", Record::Shortcut, 0, "C:\\users\\a.txt:b.lnk", false},
        ScopeCase{"ShortcutWithForwardSlashes", Record::Shortcut, 0, "C:\\users/../windows/a.lnk", false},
        ScopeCase{"ShortcutNamedLikeADevice", Record::Shortcut, 0, "C:\\users\\nul.lnk", false},
        ScopeCase{"ShortcutWithEmptyName", Record::Shortcut, 0, "C:\\users\\\\a.lnk", false}),
    [](const ::testing::TestParamInfo<ScopeCase>& testInfo) { return testInfo.param.name; });

TEST(RestoreScopeTest, AnUnknownWindowsFolderRefusesEveryFile) {
    EXPECT_FALSE(ShortcutPathRefusal("C:\\users\\a.lnk", "").empty());
    EXPECT_EQ(ShortcutPathRefusal("C:\\windowsold\\a.lnk", "C:\\windows\\"), "");
}
