#include "ui/tools/program_details.h"

#include <gtest/gtest.h>

TEST(VersionFileOfCommand, LowerCaseCutAfterExeWithoutQuotes) {
    EXPECT_EQ(VersionFileOfCommand("\"C:\\Program Files\\Sample Tool\\Sample.EXE\" /background -x"),
              "c:\\program files\\sample tool\\sample.exe");
    EXPECT_EQ(VersionFileOfCommand("C:\\Tools\\first.exe C:\\Other\\second.exe"), "c:\\tools\\first.exe");
    // Without ".exe" the whole command is taken.
    EXPECT_EQ(VersionFileOfCommand("RunDll32 \"Shell32.dll\",Control_RunDLL"), "rundll32 shell32.dll,control_rundll");
    EXPECT_EQ(VersionFileOfCommand(""), "");
    EXPECT_EQ(VersionFileOfCommand("\"\""), "");
}

TEST(DetailsOf, NamesCarryTheirVersionOnlyWhenPresent) {
    const ProgramDetails full = DetailsOf({"Sample Works", "Sample Tool", "1.2.3.4", "sample", "Sample Suite", "5.6"});
    EXPECT_EQ(full.company, "Sample Works");
    EXPECT_EQ(full.description, "Sample Tool");
    EXPECT_EQ(full.fileName, "sample (Version : 1.2.3.4)");
    EXPECT_EQ(full.productName, "Sample Suite (Version : 5.6)");

    const ProgramDetails noNames = DetailsOf({"", "", "1.0", "", "", "2.0"});
    EXPECT_EQ(noNames.fileName, "");
    EXPECT_EQ(noNames.productName, "");
    EXPECT_EQ(DetailsOf({"", "", "", "tool", "Suite", ""}).fileName, "tool (Version : )");
}
