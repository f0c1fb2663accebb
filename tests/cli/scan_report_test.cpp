#include "cli/scan_report.h"

#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>

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
    value->risk = Risk::Safe;
    EXPECT_EQ(ProblemReportText(Section(kSharedFilesSection), *value),
              "Section : Shared Program Files \r\n"
              "Key : HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs\r\n"
              "ValueName : C:\\Gone\\gone.dll\r\nValue : \r\n"
              "Description : The File (C:\\Gone\\gone.dll) cannot be found at the specified location.\r\n\r\n");

    const ProblemPtr shortcut = MakeProblem(kShortcutsSection, "Shortcut target missing",
                                            FileProblem{"C:\\Users\\Public\\Desktop\\Old.lnk", "C:\\Old\\old.exe"});
    shortcut->risk = Risk::Safe;
    EXPECT_EQ(ProblemReportText(Section(kShortcutsSection), *shortcut),
              "Section : Invalid Program Shortcuts\r\nLink Path = C:\\Users\\Public\\Desktop\\Old.lnk\r\n"
              "Target Path = C:\\Old\\old.exe\r\nDescription : Shortcut target missing\r\n\r\n");
}

TEST(ScanReport, AProblemToReviewSaysWhyUnderItsDescription) {
    const ProblemPtr service =
        MakeProblem(kServicesSection, "The File (C:\\Gone\\svc.exe) cannot be found at the specified location.",
                    RegistryProblem{kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Old", "ImagePath",
                                    "C:\\Gone\\svc.exe", RemovalScope::Key});
    service->riskReason = "A service: Windows or a program may need it to start";
    EXPECT_EQ(ProblemReportText(Section(kServicesSection), *service),
              "Section : Installed System Services \r\n"
              "Key : HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Old\r\n"
              "ValueName : ImagePath\r\nValue : C:\\Gone\\svc.exe\r\n"
              "Description : The File (C:\\Gone\\svc.exe) cannot be found at the specified location.\r\n"
              "Risk : review (A service: Windows or a program may need it to start)\r\n\r\n");
    const nlohmann::ordered_json json = ProblemJson(*service, [](const std::string& text) { return text; });
    EXPECT_EQ(json["risk"], "review");
    EXPECT_EQ(json["riskReason"], "A service: Windows or a program may need it to start");
    EXPECT_EQ(json.back(), json["riskReason"]);
    service->risk = Risk::Safe;
    EXPECT_EQ(ProblemJson(*service, [](const std::string& text) { return text; })["risk"], "safe");
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
