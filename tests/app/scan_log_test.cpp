#include "app/scan_log.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/registry_sandbox.h"

namespace {
std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string TempFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

struct ScanLogFixture : ::testing::Test {
    ScanLogFixture() {
        preferences.ResetSettings();
        RemoveFolder();
        preferences.WriteLogFilePath(folder);
        log.now = [] { return LocalTime{2026, 12, 7, 9, 5, 3}; };
    }
    ~ScanLogFixture() override { RemoveFolder(); }
    void RemoveFolder() {
        DeleteFileA((folder + "\\Date(7-12-2026) Time(9-5-3).txt").c_str());
        RemoveDirectoryA(folder.c_str());
    }
    RegistrySandbox sandbox{"ScanLog"};
    Preferences preferences{sandbox.Sub("TidrexVelora")};
    // The tests of this fixture run side by side and name their logs after the same time.
    std::string folder = TempFolder(("TidrexScanLogs." + std::to_string(GetCurrentProcessId())).c_str());
    ScanLog log{preferences, "Windows 10"};
};
}  // namespace

TEST(ScanLogFormat, NamesTheFileAfterTheStartTime) {
    EXPECT_EQ(ScanLogFileName({2026, 12, 7, 9, 5, 3}), "Date(7-12-2026) Time(9-5-3).txt");
    EXPECT_EQ(ScanLogFileName({2027, 1, 31, 23, 59, 0}), "Date(31-1-2027) Time(23-59-0).txt");
    EXPECT_EQ(TextModeBytes("a\r\nb\n"), "a\r\r\nb\r\n");
    EXPECT_EQ(WithoutTrailingBackslashes("C:\\Logs\\\\"), "C:\\Logs");
}

TEST_F(ScanLogFixture, WritesHeaderAndLinesWithCrCrLf) {
    ASSERT_TRUE(log.StartLog());
    EXPECT_EQ(log.CurrentPath(), folder + "\\Date(7-12-2026) Time(9-5-3).txt");
    log.AppendLine("Section : Installed Fonts \r\nKey : A\\B\r\n\r\n");
    const std::string path = log.CurrentPath();
    log.EndLog();
    EXPECT_EQ(log.CurrentPath(), "");
    log.AppendLine("dropped while idle\r\n");
    EXPECT_EQ(ReadBytes(path),
              "Tidrex Velora v7.0\r\r\nOS : Windows 10\r\r\n---------------------\r\r\n\r\r\n"
              "Section : Installed Fonts \r\r\nKey : A\\B\r\r\n\r\r\n");
}

TEST_F(ScanLogFixture, TwoScansInTheSameSecondShareTheFile) {
    ASSERT_TRUE(log.StartLog());
    log.AppendLine("first\r\n");
    log.EndLog();
    preferences.WriteLogFilePath(folder + "\\");  // a trailing backslash names the same file
    ASSERT_TRUE(log.StartLog());
    log.AppendLine("second\r\n");
    const std::string content = ReadBytes(log.CurrentPath());
    log.EndLog();
    const std::string header = "Tidrex Velora v7.0\r\r\nOS : Windows 10\r\r\n---------------------\r\r\n\r\r\n";
    EXPECT_EQ(content, header + "first\r\r\n" + header + "second\r\r\n");
}

TEST_F(ScanLogFixture, FolderBelowAMissingFolderGivesNoLog) {
    preferences.WriteLogFilePath(TempFolder("TidrexNoSuchParent\\logs"));
    EXPECT_FALSE(log.StartLog());
    log.AppendLine("lost\r\n");
    log.EndLog();
    EXPECT_EQ(GetFileAttributesA(TempFolder("TidrexNoSuchParent").c_str()), INVALID_FILE_ATTRIBUTES);
}
