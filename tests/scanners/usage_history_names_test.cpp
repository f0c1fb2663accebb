#include "scanners/usage_history_names.h"

#include <gtest/gtest.h>

TEST(UsageHistoryNames, Rot13MovesLettersOnlyAndIsItsOwnInverse) {
    EXPECT_EQ(Rot13("HRZR_EHACNGU:P:\\Cebtenz Svyrf\\k.rkr"), "UEME_RUNPATH:C:\\Program Files\\x.exe");
    EXPECT_EQ(Rot13("azAZ09{}-_:\\"), "nmNM09{}-_:\\");
    const std::string highBytes = "\xe9\xfc\x80\xff";
    EXPECT_EQ(Rot13(highBytes), highBytes);
    EXPECT_EQ(Rot13(Rot13("Mixed Case zZ")), "Mixed Case zZ");
}

TEST(UsageHistoryNames, ProgramPathFollowsTheMarker) {
    EXPECT_EQ(UsageEntryPath("UEME_RUNPATH:C:\\Program Files\\x.exe"), "C:\\Program Files\\x.exe");
    EXPECT_EQ(UsageEntryPath("UEME_RUNPIDL:::C:\\x.lnk"), "C:\\x.lnk");
    // A marker and a name without a drive: nothing to judge.
    EXPECT_EQ(UsageEntryPath("UEME_CTLSESSION:notepad.exe"), std::nullopt);
    EXPECT_EQ(UsageEntryPath("UEME_RUNPATH:"), std::nullopt);
    EXPECT_EQ(UsageEntryPath("{6D809377-6AF0-444B-8957-A3773F02200E}\\x.exe"), std::nullopt);
    // A full path alone loses its drive letter to the marker rule and is not examined.
    EXPECT_EQ(UsageEntryPath("C:\\x.exe"), std::nullopt);
    EXPECT_EQ(UsageEntryPath("UEME_RUNPATH:%csidl23%\\x:y.exe"), std::nullopt);
    EXPECT_EQ(UsageEntryPath("UEME_RUNPATH:%CSIDL23%\\x:y.exe"), "%CSIDL23%\\x:y.exe");
}
