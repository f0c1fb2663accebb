#include "app/preferences.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "app/executable_folder.h"
#include "engine/section_descriptors.h"
#include "tests/support/registry_sandbox.h"

namespace {
struct PreferencesFixture : ::testing::Test {
    RegistrySandbox sandbox{"Preferences"};
    RegistrySandbox runKey{"PreferencesRun"};
    Preferences preferences{sandbox.Sub("TidrexVelora"), runKey.Path()};
};
}  // namespace

TEST_F(PreferencesFixture, FirstRunResetCreatesVersionAndEverySection) {
    EXPECT_TRUE(preferences.IsFirstRun());
    preferences.ResetSettings();
    EXPECT_FALSE(preferences.IsFirstRun());
    for (SectionId id = kStartupProgramsSection; id <= kShortcutsSection; ++id)
        EXPECT_EQ(preferences.ReadSectionState(id), 1) << id;
    char version[16] = {};
    DWORD size = sizeof(version);
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, sandbox.Sub("TidrexVelora").c_str(), "Version", RRF_RT_REG_SZ, nullptr,
                           version, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(version, "v7.0");
    EXPECT_EQ(preferences.ReadRunAtStartup(), 0);
    EXPECT_EQ(preferences.ReadSelectAll(), 0);
    EXPECT_EQ(preferences.ReadAutoBackup(), 0);
    EXPECT_FALSE(sandbox.ValueExists("TidrexVelora", "AutoBackup"));
}

TEST_F(PreferencesFixture, MissingKeyGivesDefaultsAndLosesWrites) {
    EXPECT_EQ(preferences.ReadSectionState(kFontsSection), 0);
    preferences.WriteSelectAll(1);
    EXPECT_EQ(preferences.ReadSelectAll(), 0);
    EXPECT_EQ(preferences.ReadLogFilePath(), ExecutableFolder() + "\\logs");
}

TEST_F(PreferencesFixture, ValuesOfTheWrongTypeReadAsDefaults) {
    preferences.ResetSettings();
    sandbox.SetString("TidrexVelora", "3", "1");
    sandbox.SetString("TidrexVelora", "LogFilePath", "");
    EXPECT_EQ(preferences.ReadSectionState(kFontsSection), 0);
    EXPECT_EQ(preferences.ReadLogFilePath(), Preferences::DefaultLogFolder());
    sandbox.SetString("TidrexVelora", "LogFilePath", "%SystemRoot%\\TidrexLogs", REG_EXPAND_SZ);
    EXPECT_EQ(preferences.ReadLogFilePath().find('%'), std::string::npos);
}

TEST_F(PreferencesFixture, SaveWritesAllFourAndTheStartupEntry) {
    preferences.ResetSettings();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string logFolder = std::string(temp) + "TidrexPrefsLogs";
    RemoveDirectoryA(logFolder.c_str());
    ASSERT_TRUE(preferences.Save({1, 1, 1, logFolder}));
    EXPECT_EQ(preferences.ReadRunAtStartup(), 1);
    EXPECT_EQ(preferences.ReadSelectAll(), 1);
    EXPECT_EQ(preferences.ReadAutoBackup(), 1);
    EXPECT_EQ(preferences.ReadLogFilePath(), logFolder);
    EXPECT_NE(GetFileAttributesA(logFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    char command[300] = {};
    DWORD size = sizeof(command);
    ASSERT_EQ(
        RegGetValueA(HKEY_CURRENT_USER, runKey.Path().c_str(), "TidrexVelora", RRF_RT_REG_SZ, nullptr, command, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::string(command), "\"" + ExecutablePath() + "\"");

    ASSERT_TRUE(preferences.Save({0, 0, 0, logFolder}));
    EXPECT_FALSE(runKey.ValueExists("", "TidrexVelora"));
    ASSERT_TRUE(preferences.Save({0, 0, 0, logFolder}));  // deleting an absent entry is silent
    RemoveDirectoryA(logFolder.c_str());
}

TEST_F(PreferencesFixture, EmptyLogFolderSavesNothing) {
    preferences.ResetSettings();
    EXPECT_FALSE(preferences.Save({1, 1, 1, ""}));
    EXPECT_EQ(preferences.ReadSelectAll(), 0);
    EXPECT_FALSE(runKey.ValueExists("", "TidrexVelora"));
}

TEST(StartupCommand, QuotesThePathOrRefusesOneTooLong) {
    EXPECT_EQ(StartupCommand("C:\\Program Files\\Tidrex\\TidrexVelora.exe"),
              "\"C:\\Program Files\\Tidrex\\TidrexVelora.exe\"");
    EXPECT_EQ(StartupCommand(std::string(257, 'a')), "\"" + std::string(257, 'a') + "\"");
    EXPECT_EQ(StartupCommand(std::string(258, 'a')), "");
    EXPECT_EQ(StartupCommand(""), "");
}
