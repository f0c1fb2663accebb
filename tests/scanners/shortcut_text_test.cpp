#include "scanners/shortcut_text.h"

#include <gtest/gtest.h>

TEST(ShortcutText, DriveRootsComeInStepsOfFour) {
    const char written[] = "A:\\\0C:\\\0E:\\\0";
    EXPECT_EQ(DriveRoots(written, 12), (std::vector<std::string>{"A:\\", "C:\\", "E:\\"}));
    EXPECT_EQ(DriveRoots(written, 11), (std::vector<std::string>{"A:\\", "C:\\"}));
    EXPECT_TRUE(DriveRoots(written, 0).empty());
}

TEST(ShortcutText, ChosenDrivesInAnyLetterCaseOrAllWhenNoneChosen) {
    EXPECT_TRUE(DriveChosen("C:\\", ""));
    EXPECT_TRUE(DriveChosen("C:\\", "ce"));
    EXPECT_TRUE(DriveChosen("e:\\", "CE"));
    EXPECT_FALSE(DriveChosen("Z:\\", "CE"));
}

TEST(ShortcutText, OnlySmallFilesEndingInLowerCaseLnkAreOpened) {
    EXPECT_TRUE(IsShortcutToOpen("C:\\a\\App.lnk", 1023));
    EXPECT_TRUE(IsShortcutToOpen(".lnk", 0));
    EXPECT_FALSE(IsShortcutToOpen("C:\\a\\App.lnk", 1024));
    EXPECT_FALSE(IsShortcutToOpen("C:\\a\\App.LNK", 100));
    EXPECT_FALSE(IsShortcutToOpen("C:\\a\\App.Lnk", 100));
    EXPECT_FALSE(IsShortcutToOpen("C:\\a\\App.lnk.txt", 100));
    EXPECT_FALSE(IsShortcutToOpen("lnk", 100));
    EXPECT_FALSE(IsShortcutToOpen("C:\\a\\App.lnk", 1ull << 32));
}

TEST(ShortcutText, NetworkPlacesAndStagingFolderEndTheirFolderInExactCase) {
    EXPECT_TRUE(EndsFolderWalk("C:\\Users\\u\\NetHood\\x.lnk"));
    EXPECT_TRUE(EndsFolderWalk("C:\\Temp\\VeloraTemp\\Config.ini"));
    EXPECT_TRUE(EndsFolderWalk("C:\\a\\MyNetHoodFile.txt"));
    EXPECT_FALSE(EndsFolderWalk("C:\\Users\\u\\nethood\\x.lnk"));
    EXPECT_FALSE(EndsFolderWalk("C:\\Temp\\veloratemp\\Config.ini"));
}

TEST(ShortcutText, DescriptionsForFileAndClassTargets) {
    EXPECT_EQ(ShortcutProblemDescription("C:\\Apps\\gone.exe"),
              "The Target File (C:\\Apps\\gone.exe) cannot be found at the specified location");
    EXPECT_EQ(ShortcutProblemDescription("{0000-1111}"), "The CLSID ({0000-1111}) is Invalid.");
}
