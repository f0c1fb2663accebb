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
    const ProblemPtr value =
        MakeProblem(kSharedFilesSection, "The File (C:\\Gone\\gone.dll) cannot be found at the specified location.",
                    RegistryProblem{kLocalMachine,
                                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs",
                                    "C:\\Gone\\gone.dll",
                                    {},
                                    RemovalScope::Value});
    EXPECT_EQ(ProblemReportText(Section(kSharedFilesSection), *value),
              "Section : Shared Program Files \r\n"
              "Key : HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs\r\n"
              "ValueName : C:\\Gone\\gone.dll\r\nValue : \r\n"
              "Description : The File (C:\\Gone\\gone.dll) cannot be found at the specified location.\r\n\r\n");

    const ProblemPtr shortcut = MakeProblem(kShortcutsSection, "Shortcut target missing",
                                            FileProblem{"C:\\Users\\Public\\Desktop\\Old.lnk", "C:\\Old\\old.exe"});
    EXPECT_EQ(ProblemReportText(Section(kShortcutsSection), *shortcut),
              "Section : Invalid Program Shortcuts\r\nLink Path = C:\\Users\\Public\\Desktop\\Old.lnk\r\n"
              "Target Path = C:\\Old\\old.exe\r\nDescription : Shortcut target missing\r\n\r\n");
}

TEST(ScanReport, SectionEndNamesSectionSeverityAndCount) {
    ScanSection fonts = Section(kFontsSection);
    fonts.problems.push_back(std::make_unique<ProblemRecord>());
    fonts.problems.push_back(std::make_unique<ProblemRecord>());
    EXPECT_EQ(SectionEndText(fonts),
              "Section Name : Installed Fonts\r\nSeverity : Severe\r\nProblems Found : 2\r\n"
              "---------------------\r\n\r\n");
    // A section the ignore list left problems out of says how many, after its count.
    fonts.ignored = 2;
    EXPECT_EQ(SectionEndText(fonts),
              "Section Name : Installed Fonts\r\nSeverity : Severe\r\nProblems Found : 2\r\nIgnored : 2\r\n"
              "---------------------\r\n\r\n");
    EXPECT_STREQ(SeverityName(Section(kApplicationPathsSection).severity), "Moderate");
    EXPECT_STREQ(SeverityName(Section(kShortcutsSection).severity), "Critical");
}
