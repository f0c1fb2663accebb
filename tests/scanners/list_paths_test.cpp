#include "scanners/list_paths.h"

#include <gtest/gtest.h>

TEST(ListPaths, HelpFileJoinsFolderAndNameWithOneBackslash) {
    EXPECT_EQ(HelpFilePath("C:\\Help\\", "x.hlp"), "C:\\Help\\x.hlp");
    EXPECT_EQ(HelpFilePath("C:\\Help", "x.hlp"), "C:\\Help\\x.hlp");
    EXPECT_EQ(HelpFilePath("C:\\Help\\\\", "\\\\x.hlp"), "C:\\Help\\x.hlp");
    EXPECT_EQ(HelpFilePath("", "x.hlp"), "\\x.hlp");
    EXPECT_EQ(HelpFilePath("\\", ""), "\\");
}

TEST(ListPaths, FontsFolderPathAndDescription) {
    EXPECT_EQ(FontsFolderPath("C:\\Windows", "arial.ttf"), "C:\\Windows\\Fonts\\arial.ttf");
    EXPECT_EQ(FontsFolderPath("C:\\Windows", "D:\\x.ttf"), "C:\\Windows\\Fonts\\D:\\x.ttf");
    EXPECT_EQ(MissingFileDescription("C:\\a 100%s.dll"),
              "The File (C:\\a 100%s.dll) cannot be found at the specified location.");
}

TEST(ListPaths, SoundSwitchesAreYesAndNoOnly) {
    EXPECT_TRUE(IsSoundSwitch("yes"));
    EXPECT_TRUE(IsSoundSwitch("No"));
    EXPECT_TRUE(IsSoundSwitch("YES"));
    EXPECT_FALSE(IsSoundSwitch("yess"));
    EXPECT_FALSE(IsSoundSwitch("ye"));
    EXPECT_FALSE(IsSoundSwitch(""));
    EXPECT_FALSE(IsSoundSwitch("\"yes\""));
    EXPECT_FALSE(IsSoundSwitch("no.wav"));
}
