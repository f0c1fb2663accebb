#include "cli/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, ScanWithoutSelectionUsesThePreferences) {
    const ParsedCommandLine parsed = ParseCommandLine({"scan"});
    ASSERT_TRUE(parsed.command);
    EXPECT_EQ(parsed.command->selection, ScanCommand::Selection::Preferences);
    EXPECT_FALSE(parsed.command->json);
    EXPECT_TRUE(parsed.command->writeLog);
}

TEST(CommandLine, ReadsEveryOption) {
    const ParsedCommandLine all = ParseCommandLine({"scan", "--all", "--json", "--no-log", "--quiet"});
    ASSERT_TRUE(all.command);
    EXPECT_EQ(all.command->selection, ScanCommand::Selection::All);
    EXPECT_TRUE(all.command->json);
    EXPECT_FALSE(all.command->writeLog);
    EXPECT_TRUE(all.command->quiet);
    EXPECT_TRUE(all.command->drives.empty());

    const ParsedCommandLine drives = ParseCommandLine({"scan", "--drives", "C:,d,E:\\,c:"});
    ASSERT_TRUE(drives.command);
    EXPECT_EQ(drives.command->drives, "CDE");
    EXPECT_FALSE(drives.command->quiet);

    const ParsedCommandLine listed = ParseCommandLine({"scan", "--sections", "3,4,14"});
    ASSERT_TRUE(listed.command);
    EXPECT_EQ(listed.command->selection, ScanCommand::Selection::Listed);
    EXPECT_EQ(listed.command->sections, (std::vector<SectionId>{3, 4, 14}));
}

TEST(CommandLine, RefusesWhatNamesNoSectionOrOption) {
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {},
             {"clean"},
             {"scan", "--fast"},
             {"scan", "--sections"},
             {"scan", "--sections", "12"},
             {"scan", "--sections", "15"},
             {"scan", "--sections", "0"},
             {"scan", "--sections", "3,"},
             {"scan", "--sections", "3,,4"},
             {"scan", "--sections", "3x"},
             {"scan", "--sections", "-3"},
             {"scan", "--sections", "99999999999"},
             {"scan", "--all", "--sections", "3"},
             {"scan", "--drives"},
             {"scan", "--drives", ""},
             {"scan", "--drives", "C:,"},
             {"scan", "--drives", "CD"},
             {"scan", "--drives", "1:"},
             {"scan", "--drives", "C:\\Windows"},
             {"scan", "--drives", "C;D"},
             {"scan", "--all", "--all"},
         }) {
        const ParsedCommandLine parsed = ParseCommandLine(bad);
        EXPECT_FALSE(parsed.command) << testing::PrintToString(bad);
        EXPECT_FALSE(parsed.error.empty());
    }
    EXPECT_EQ(ParseCommandLine({"scan", "--sections", "12"}).error, "tidrex: '12' names no section");
}
