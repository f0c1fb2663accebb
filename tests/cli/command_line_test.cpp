#include "cli/command_line.h"

#include <gtest/gtest.h>

#include "cli/exit_status.h"
#include "engine/section_descriptors.h"

namespace {
ScanCommand ParsedScan(const std::vector<std::string>& arguments) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    EXPECT_TRUE(parsed.command) << parsed.error;
    EXPECT_TRUE(parsed.error.empty());
    return parsed.command ? std::get<ScanCommand>(*parsed.command) : ScanCommand{};
}
}  // namespace

TEST(CommandLine, ScanWithoutSelectionUsesThePreferences) {
    const ScanCommand scan = ParsedScan({"scan"});
    EXPECT_EQ(scan.selection, ScanCommand::Selection::Preferences);
    EXPECT_FALSE(scan.json);
    EXPECT_TRUE(scan.writeLog);
}

TEST(CommandLine, ReadsEveryScanOptionInAnyOrder) {
    for (const std::vector<std::string>& line : std::vector<std::vector<std::string>>{
             {"scan", "--all", "--json", "--no-log", "--quiet"},
             {"scan", "--quiet", "--no-log", "--json", "--all"},
         }) {
        const ScanCommand scan = ParsedScan(line);
        EXPECT_EQ(scan.selection, ScanCommand::Selection::All);
        EXPECT_TRUE(scan.json);
        EXPECT_FALSE(scan.writeLog);
        EXPECT_TRUE(scan.quiet);
        EXPECT_TRUE(scan.drives.empty());
    }
    for (const std::vector<std::string>& line : std::vector<std::vector<std::string>>{
             {"scan", "--drives", "C:,d,E:\\,c:"},
             {"scan", "--drives=C:,d,E:\\,c:"},
         }) {
        const ScanCommand scan = ParsedScan(line);
        EXPECT_EQ(scan.drives, "CDE");
        EXPECT_FALSE(scan.quiet);
    }
    for (const std::vector<std::string>& line : std::vector<std::vector<std::string>>{
             {"scan", "--sections", "3,4,14"},
             {"scan", "--sections=3,4,14"},
         }) {
        const ScanCommand scan = ParsedScan(line);
        EXPECT_EQ(scan.selection, ScanCommand::Selection::Listed);
        EXPECT_EQ(scan.sections, (std::vector<SectionId>{kFontsSection, kSoundsSection, kShortcutsSection}));
        EXPECT_TRUE(scan.writeLog);
    }
}

// Every usage error: status 2, one line on standard error, nothing to run and nothing on
// standard output.
class UsageError : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(UsageError, IsOneLineWithStatusTwo) {
    const ParsedCommandLine parsed = ParseCommandLine(GetParam());
    EXPECT_FALSE(parsed.command);
    EXPECT_EQ(parsed.exitStatus, kExitUsage);
    EXPECT_TRUE(parsed.output.empty());
    ASSERT_FALSE(parsed.error.empty());
    EXPECT_EQ(parsed.error.rfind("tidrex: ", 0), 0u) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), parsed.error.size() - 1) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageError,
    testing::Values(
        std::vector<std::string>{}, std::vector<std::string>{"purge"}, std::vector<std::string>{"scan", "scan"},
        std::vector<std::string>{"scan", "--fast"}, std::vector<std::string>{"--json", "scan"},
        std::vector<std::string>{"scan", "extra"}, std::vector<std::string>{"scan", "--sections"},
        std::vector<std::string>{"scan", "--sections", "12"}, std::vector<std::string>{"scan", "--sections", "15"},
        std::vector<std::string>{"scan", "--sections", "0"}, std::vector<std::string>{"scan", "--sections", "3,"},
        std::vector<std::string>{"scan", "--sections", ",3"}, std::vector<std::string>{"scan", "--sections", "3,,4"},
        std::vector<std::string>{"scan", "--sections", "3x"}, std::vector<std::string>{"scan", "--sections", "0x3"},
        std::vector<std::string>{"scan", "--sections", "-3"}, std::vector<std::string>{"scan", "--sections", "3 4"},
        std::vector<std::string>{"scan", "--sections", "99999999999"},
        std::vector<std::string>{"scan", "--sections", "3", "--sections", "4"},
        std::vector<std::string>{"scan", "--all", "--sections", "3"},
        std::vector<std::string>{"scan", "--sections", "3", "--all"}, std::vector<std::string>{"scan", "--json=maybe"},
        std::vector<std::string>{"scan", "--drives"}, std::vector<std::string>{"scan", "--drives", ""},
        std::vector<std::string>{"scan", "--drives", "C:,"}, std::vector<std::string>{"scan", "--drives", "CD"},
        std::vector<std::string>{"scan", "--drives", "1:"}, std::vector<std::string>{"scan", "--drives", "C:\\Windows"},
        std::vector<std::string>{"scan", "--drives", "C;D"}));

TEST(CommandLine, MessageNamesTheBadWord) {
    EXPECT_NE(ParseCommandLine({"scan", "--sections", "3,12"}).error.find("'12' names no section"), std::string::npos);
    EXPECT_NE(ParseCommandLine({"scan", "--drives", "C:,CD"}).error.find("'CD' names no drive"), std::string::npos);
    EXPECT_NE(ParseCommandLine({"purge"}).error.find("'purge' is not a command"), std::string::npos);
}

TEST(CommandLine, HelpAndVersionArePrintedWithStatusZero) {
    const ParsedCommandLine version = ParseCommandLine({"--version"});
    EXPECT_FALSE(version.command);
    EXPECT_EQ(version.exitStatus, kExitClean);
    EXPECT_EQ(version.output, "TidrexVelora v7.0\n");
    EXPECT_TRUE(version.error.empty());

    const ParsedCommandLine help = ParseCommandLine({"--help"});
    EXPECT_FALSE(help.command);
    EXPECT_EQ(help.exitStatus, kExitClean);
    EXPECT_TRUE(help.error.empty());
    for (const char* text : {"tidrex", "scan", "--version"})
        EXPECT_NE(help.output.find(text), std::string::npos) << text;

    // The scan's own help, even after options that would be wrong.
    for (const std::vector<std::string>& line : std::vector<std::vector<std::string>>{
             {"scan", "--help"}, {"scan", "-h"}, {"scan", "--all", "--sections", "3", "--help"}}) {
        const ParsedCommandLine scanHelp = ParseCommandLine(line);
        EXPECT_FALSE(scanHelp.command);
        EXPECT_EQ(scanHelp.exitStatus, kExitClean);
        for (const char* text : {"--all", "--sections", "--drives", "--json", "--no-log", "--quiet", "Exit status"}) {
            EXPECT_NE(scanHelp.output.find(text), std::string::npos) << text;
        }
    }
}
