#include "ui/system_summary_text.h"

#include <gtest/gtest.h>

TEST(SystemSummaryText, MemoryIsTruncatedToWholeMegabytes) {
    EXPECT_EQ(MemoryText(1610612736ull, 4294967296ull), "Available Memory : 1536 MB of 4096 MB");
    EXPECT_EQ(MemoryText(1610612736ull + 1048575ull, 8ull << 30), "Available Memory : 1536 MB of 8192 MB");
}

TEST(SystemSummaryText, DisksAreTruncatedBeforeTheyAreSummed) {
    DiskSpaceSum sum;
    sum.AddDrive(3ull << 29, 10ull << 30);  // 1.5 GB free
    sum.AddDrive(5ull << 29, 20ull << 30);  // 2.5 GB free
    EXPECT_EQ(DiskSpaceText(sum.freeGigabytes, sum.totalGigabytes), "Free Disk Space : 3 GB of 30 GB");
    EXPECT_EQ(DiskSpaceText(3000000000000ll, 4000000000000ll),
              "Free Disk Space : 3000000000000 GB of 4000000000000 GB");
}

TEST(SystemSummaryText, LabelsCarryTheirPrefixes) {
    EXPECT_EQ(ProfileText("alice"), "Profile : alice");
    EXPECT_EQ(OsText("Windows 10"), "OS : Windows 10");
}

TEST(DriveRoots, TakesAtMostTheCountedRoots) {
    const char list[] = "C:\\\0D:\\\0E:\\\0";
    EXPECT_EQ(DriveCountFromLength(12), 3);
    EXPECT_EQ(DriveRoots(list, sizeof(list), 3), (std::vector<std::string>{"C:\\", "D:\\", "E:\\"}));
    EXPECT_EQ(DriveRoots(list, sizeof(list), 2), (std::vector<std::string>{"C:\\", "D:\\"}));
    EXPECT_TRUE(DriveRoots(list, sizeof(list), 0).empty());
}

TEST(DriveRoots, NeverReadsPastTheGivenSize) {
    const char list[8] = {'C', ':', '\\', '\0', 'D', ':', '\\', 'X'};  // the last root is cut off
    EXPECT_EQ(DriveRoots(list, sizeof(list), 5), (std::vector<std::string>{"C:\\"}));
}
