#include "backup/backup_date_text.h"

#include <gtest/gtest.h>

struct DateCase {
    const char* name;
    const char* text;
};

class BackupDateTextOf : public ::testing::TestWithParam<DateCase> {};

TEST_P(BackupDateTextOf, ReadsTheArchiveName) { EXPECT_EQ(BackupDateText(GetParam().name), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Names, BackupDateTextOf,
    ::testing::Values(DateCase{"12,7,2026_9,5,3", "Monday, December 07, 2026 Time: 09:05:03"},
                      DateCase{"12,7,2026_9,5,3,1", "Monday, December 07, 2026 Time: 09:05:03"},
                      DateCase{"12,7,2026_9,5,3,4,5,6", "Monday, December 07, 2026 Time: 09:05:03"},
                      DateCase{"2,29,2024_23,59,59", "Thursday, February 29, 2024 Time: 23:59:59"},
                      DateCase{"1,1,2000_0,0,0", "Saturday, January 01, 2000 Time: 00:00:00"},
                      DateCase{",,12,,7,,2026__9_5_3", "Monday, December 07, 2026 Time: 09:05:03"},
                      DateCase{" 12x, +7,2026abc_9,5,3", "Monday, December 07, 2026 Time: 09:05:03"},
                      DateCase{"12,7,2026_9,5", ""}, DateCase{"Config", ""}, DateCase{"", ""},
                      DateCase{"2,30,2024_1,1,1", "2,30,2024_1,1,1"}, DateCase{"13,1,2024_1,1,1", "13,1,2024_1,1,1"},
                      DateCase{"12,7,2026_24,0,0", "12,7,2026_24,0,0"}, DateCase{"-1,7,2026_9,5,3", "-1,7,2026_9,5,3"},
                      DateCase{"12,7,99999999999999999999999_9,5,3", "12,7,99999999999999999999999_9,5,3"}));

TEST(BackupDateText, UsesTheGivenNames) {
    DateNames names = EnglishDateNames();
    names.weekdays[1] = "Montag";
    names.months[11] = "Dezember";
    EXPECT_EQ(BackupDateText("12,7,2026_9,5,3", names), "Montag, Dezember 07, 2026 Time: 09:05:03");
}

TEST(ParseBackupName, OrdersNewestFirstWithTheSeventhNumber) {
    const BackupNameTime first = ParseBackupName("12,7,2026_9,5,3");
    const BackupNameTime second = ParseBackupName("12,7,2026_9,5,3,1");
    const BackupNameTime later = ParseBackupName("1,2,2027_0,0,0");
    const BackupNameTime unnamed = ParseBackupName("mine");
    EXPECT_EQ(second.sequence, 1);
    EXPECT_TRUE(second.NewerThan(first));
    EXPECT_TRUE(later.NewerThan(second));
    EXPECT_TRUE(first.NewerThan(unnamed));
    EXPECT_FALSE(first.NewerThan(first));
}

TEST(BackupBaseName, PlainDecimalsInTheArchiveOrder) {
    EXPECT_EQ(BackupBaseName(12, 7, 2026, 9, 5, 3, 0), "12,7,2026_9,5,3");
    EXPECT_EQ(BackupBaseName(1, 30, 2025, 0, 0, 0, 2), "1,30,2025_0,0,0,2");
}
