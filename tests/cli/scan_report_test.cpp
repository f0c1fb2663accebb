#include "cli/scan_report.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
ScanSection Section(SectionId id) {
    SectionTable table([](SectionId) { return 1; });
    return std::move(*table.Find(id));
}
}  // namespace

TEST(ScanReport, ProblemTextSaysWhyUnderTheLogLines) {
    RegistryProblem value;
    value.rootKey = kLocalMachine;
    value.keyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
    value.valueName = "C:\\Gone\\gone.dll";
    value.description = "The File (C:\\Gone\\gone.dll) cannot be found at the specified location.";
    EXPECT_EQ(ProblemReportText(Section(8), value),
              "Section : Shared Program Files \r\n"
              "Key : HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs\r\n"
              "ValueName : C:\\Gone\\gone.dll\r\nValue : \r\n"
              "Description : The File (C:\\Gone\\gone.dll) cannot be found at the specified location.\r\n\r\n");

    FileProblem shortcut;
    shortcut.linkPath = "C:\\Users\\Public\\Desktop\\Old.lnk";
    shortcut.targetPath = "C:\\Old\\old.exe";
    shortcut.description = "Shortcut target missing";
    EXPECT_EQ(ProblemReportText(Section(14), shortcut),
              "Section : Invalid Program Shortcuts\r\nLink Path = C:\\Users\\Public\\Desktop\\Old.lnk\r\n"
              "Target Path = C:\\Old\\old.exe\r\nDescription : Shortcut target missing\r\n\r\n");
}

TEST(ScanReport, SectionEndNamesSectionSeverityAndCount) {
    ScanSection fonts = Section(3);
    fonts.problems.push_back(std::make_unique<RegistryProblem>());
    fonts.problems.push_back(std::make_unique<RegistryProblem>());
    EXPECT_EQ(SectionEndText(fonts),
              "Section Name : Installed Fonts\r\nSeverity : Severe\r\nProblems Found : 2\r\n"
              "---------------------\r\n\r\n");
    EXPECT_STREQ(SeverityName(Section(9).severity), "Moderate");
    EXPECT_STREQ(SeverityName(Section(14).severity), "Critical");
}
