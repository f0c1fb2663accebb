#include "cli/backup_command_line.h"

#include <gtest/gtest.h>

using Command = BackupCommandLine::Command;

TEST(BackupCommandLine, CleanTakesTheScanOptionsAndNoBackup) {
    const BackupCommandLine line = ParseBackupCommandLine({"clean", "--sections", "3,9", "--no-backup", "--json"});
    EXPECT_EQ(line.command, Command::Clean);
    EXPECT_TRUE(line.error.empty());
    EXPECT_FALSE(line.backup);
    EXPECT_TRUE(line.scan.json);
    EXPECT_EQ(line.scan.selection, ScanCommand::Selection::Listed);
    EXPECT_EQ(line.scan.sections, (std::vector<SectionId>{3, 9}));
    const BackupCommandLine plain = ParseBackupCommandLine({"clean", "--all", "--no-log"});
    EXPECT_TRUE(plain.backup);
    EXPECT_FALSE(plain.scan.writeLog);
    EXPECT_EQ(plain.scan.selection, ScanCommand::Selection::All);
}

TEST(BackupCommandLine, RestoreTakesOneArchiveOrLatest) {
    const BackupCommandLine named = ParseBackupCommandLine({"restore", "12,7,2026_9,5,3.zip", "--json"});
    EXPECT_EQ(named.command, Command::Restore);
    EXPECT_EQ(named.archive, "12,7,2026_9,5,3.zip");
    EXPECT_TRUE(named.json);
    EXPECT_TRUE(ParseBackupCommandLine({"restore", "--latest"}).latest);
}

TEST(BackupCommandLine, OtherWordsAreNotBackupCommands) {
    EXPECT_EQ(ParseBackupCommandLine({"scan", "--all"}).command, Command::None);
    EXPECT_EQ(ParseBackupCommandLine({}).command, Command::None);
}

struct WrongLine {
    const char* name;
    std::vector<std::string> arguments;
};

class BackupCommandLineErrors : public ::testing::TestWithParam<WrongLine> {};

TEST_P(BackupCommandLineErrors, NameTheCommandAndTheMistake) {
    const BackupCommandLine line = ParseBackupCommandLine(GetParam().arguments);
    EXPECT_NE(line.command, Command::None);
    EXPECT_EQ(line.error.rfind("tidrex: ", 0), 0u) << line.error;
}

INSTANTIATE_TEST_SUITE_P(Lines, BackupCommandLineErrors,
                         ::testing::Values(WrongLine{"CleanUnknownOption", {"clean", "--force"}},
                                           WrongLine{"CleanBadSection", {"clean", "--sections", "12"}},
                                           WrongLine{"BackupsUnknownOption", {"backups", "--all"}},
                                           WrongLine{"RestoreNothing", {"restore"}},
                                           WrongLine{"RestoreTwoArchives", {"restore", "a.zip", "b.zip"}},
                                           WrongLine{"RestoreArchiveAndLatest", {"restore", "a.zip", "--latest"}},
                                           WrongLine{"RestoreUnknownOption", {"restore", "--newest"}}),
                         [](const ::testing::TestParamInfo<WrongLine>& info) { return info.param.name; });
