#include "cli/backup_command_line.h"

#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "engine/section_descriptors.h"

namespace {
using Kind = BackupCommandLine::Command;

BackupCommandLine Parsed(const std::vector<std::string>& arguments) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    EXPECT_TRUE(parsed.command.has_value()) << parsed.error;
    if (!parsed.command || !std::holds_alternative<BackupCommandLine>(*parsed.command)) return {};
    return std::get<BackupCommandLine>(*parsed.command);
}
}  // namespace

TEST(BackupCommandLine, CleanTakesTheScanOptionsAndNoBackup) {
    const BackupCommandLine line = Parsed({"clean", "--sections", "3,9", "--no-backup", "--json"});
    EXPECT_EQ(line.command, Kind::Clean);
    EXPECT_FALSE(line.backup);
    EXPECT_FALSE(line.includeReview);
    EXPECT_TRUE(line.scan.json);
    EXPECT_EQ(line.scan.selection, ScanCommand::Selection::Listed);
    EXPECT_EQ(line.scan.sections, (std::vector<SectionId>{kFontsSection, kApplicationPathsSection}));
    const BackupCommandLine plain = Parsed({"clean", "--all", "--no-log"});
    EXPECT_TRUE(plain.backup);
    EXPECT_FALSE(plain.scan.writeLog);
    EXPECT_EQ(plain.scan.selection, ScanCommand::Selection::All);
    EXPECT_TRUE(Parsed({"clean", "--include-review"}).includeReview);
}

TEST(BackupCommandLine, CleanFromAReportWithItsSummaryAndReportFile) {
    const BackupCommandLine line =
        Parsed({"clean", "--from", "C:\\scan.json", "--summary", "--report", "C:\\clean.json", "--include-review"});
    EXPECT_EQ(line.fromReport, "C:\\scan.json");
    EXPECT_TRUE(line.scan.summary);
    EXPECT_FALSE(line.scan.PrintsTextReport());
    EXPECT_EQ(line.scan.reportPath, "C:\\clean.json");
    EXPECT_EQ(line.scan.selection, ScanCommand::Selection::Preferences);
    EXPECT_EQ(Parsed({"clean", "--from", "r.json", "--drives", "E:"}).scan.drives, "E");
    const ParsedCommandLine scan = ParseCommandLine({"scan", "--report", "r.json"});
    ASSERT_TRUE(scan.command) << scan.error;
    EXPECT_TRUE(std::get<ScanCommand>(*scan.command).PrintsTextReport());
    EXPECT_EQ(std::get<ScanCommand>(*scan.command).reportPath, "r.json");
}

TEST(BackupCommandLine, RestoreTakesOneArchiveOrLatestAndBackupsListsThem) {
    const BackupCommandLine named = Parsed({"restore", "12,7,2026_9,5,3.zip", "--json"});
    EXPECT_EQ(named.command, Kind::Restore);
    EXPECT_EQ(named.archive, "12,7,2026_9,5,3.zip");
    EXPECT_TRUE(named.json);
    EXPECT_TRUE(Parsed({"restore", "--latest"}).latest);
    EXPECT_EQ(Parsed({"backups", "--json"}).command, Kind::Backups);
}

TEST(BackupCommandLine, CleanHelpTellsWhatIsLeftForReview) {
    const ParsedCommandLine help = ParseCommandLine({"clean", "--help"});
    EXPECT_FALSE(help.command);
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* text :
         {"every safe problem", "--include-review", "Problems to review", "are listed, not removed"}) {
        EXPECT_NE(help.output.find(text), std::string::npos) << text;
    }
}

class BackupCommandLineErrors : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(BackupCommandLineErrors, AreOneLineWithStatusTwo) {
    const ParsedCommandLine parsed = ParseCommandLine(GetParam());
    EXPECT_FALSE(parsed.command.has_value());
    EXPECT_EQ(parsed.exitStatus, 2);
    EXPECT_EQ(parsed.error.rfind("tidrex: ", 0), 0u) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), parsed.error.size() - 1) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(Lines, BackupCommandLineErrors,
                         ::testing::Values(std::vector<std::string>{"clean", "--force"},
                                           std::vector<std::string>{"clean", "--sections", "12"},
                                           std::vector<std::string>{"backups", "--all"},
                                           std::vector<std::string>{"restore"},
                                           std::vector<std::string>{"restore", "a.zip", "b.zip"},
                                           std::vector<std::string>{"restore", "a.zip", "--latest"},
                                           std::vector<std::string>{"restore", "--newest"},
                                           std::vector<std::string>{"clean", "--from"},
                                           std::vector<std::string>{"clean", "--from", "r.json", "--all"},
                                           std::vector<std::string>{"clean", "--from", "r.json", "--sections", "3"},
                                           std::vector<std::string>{"clean", "--from", "r.json", "--repeat"},
                                           std::vector<std::string>{"clean", "--summary", "--json"},
                                           std::vector<std::string>{"scan", "--json", "--summary"},
                                           std::vector<std::string>{"scan", "--report"},
                                           std::vector<std::string>{"scan", "--from", "r.json"}));
