#include "registry/root_keys.h"

#include <gtest/gtest.h>

TEST(RootKeys, NamesTheFourProblemRootsOnly) {
    EXPECT_EQ(RootKeyName(kClassesRoot), "HKEY_CLASSES_ROOT");
    EXPECT_EQ(RootKeyName(kCurrentUser), "HKEY_CURRENT_USER");
    EXPECT_EQ(RootKeyName(kLocalMachine), "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(RootKeyName(kUsers), "HKEY_USERS");
    EXPECT_EQ(RootKeyName(kCurrentConfig), "");
    EXPECT_EQ(RootKeyName(kPerformanceData), "");
    EXPECT_EQ(RootKeyName(0x12345678), "");
}

TEST(RootKeys, ParsesExactNamesOnly) {
    EXPECT_EQ(RootKeyFromName("HKEY_LOCAL_MACHINE"), 0x80000002u);
    EXPECT_EQ(RootKeyFromName("HKEY_CURRENT_USER"), 0x80000001u);
    EXPECT_EQ(RootKeyFromName("HKEY_CLASSES_ROOT"), 0x80000000u);
    EXPECT_EQ(RootKeyFromName("HKEY_USERS"), 0x80000003u);
    EXPECT_EQ(RootKeyFromName("hkey_local_machine"), 0u);
    EXPECT_EQ(RootKeyFromName("HKLM"), 0u);
    EXPECT_EQ(RootKeyFromName("HKEY_LOCAL_MACHINE\\"), 0u);
    EXPECT_EQ(RootKeyFromName("HKEY_CURRENT_CONFIG"), 0u);
}

TEST(RootKeys, PrintedNamesCoverAllPredefinedRoots) {
    EXPECT_EQ(PrintedRootName(kCurrentConfig), "HKEY_CURRENT_CONFIG");
    EXPECT_EQ(PrintedRootName(kDynData), "HKEY_DYN_DATA");
    EXPECT_EQ(PrintedRootName(kPerformanceData), "HKEY_PERFORMANCE_DATA");
    EXPECT_EQ(PrintedRootName(kUsers), "HKEY_USERS");
    EXPECT_EQ(PrintedRootName(0), "CRegistry needs an update!");
}
