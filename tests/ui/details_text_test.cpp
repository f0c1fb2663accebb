#include "ui/dialogs/details_text.h"

#include <gtest/gtest.h>

TEST(DetailsText, KeyRowsSpaceEveryBackslashAndNameTheDefaultValue) {
    const ProblemPtr problem =
        MakeProblem(kFullRegistrySection, "Invalid file reference",
                    RegistryProblem{kCurrentUser, "Software\\Vendor\\App", {}, "C:\\gone.exe", RemovalScope::Value});
    problem->risk = Risk::Safe;
    EXPECT_EQ(DetailsRow(*problem),
              "<b>Key</b> : HKEY_CURRENT_USER \\Software \\Vendor \\App<br><b>ValueName</b> : (Default)<br>"
              "<b>Value</b> : C:\\gone.exe<br><font color=\"#FF0000\">Invalid file reference</font>");
    std::get<RegistryProblem>(problem->item).valueName = "Path";
    EXPECT_NE(DetailsRow(*problem).find("<b>ValueName</b> : Path<br>"), std::string::npos);
}

TEST(DetailsText, ShortcutRowsShowLinkAndTarget) {
    const ProblemPtr problem = MakeProblem(kShortcutsSection, "Target missing",
                                           FileProblem{"C:\\Users\\a\\Desktop\\Old.lnk", "C:\\Old\\old.exe"});
    problem->risk = Risk::Safe;
    EXPECT_EQ(DetailsRow(*problem),
              "<b>Shortcut Path</b> : C:\\Users\\a\\Desktop\\Old.lnk<br><b>Target Path</b> : C:\\Old\\old.exe<br>"
              "<font color=\"#FF0000\">Target missing</font>");
}

TEST(DetailsText, RowsToReviewEndWithTheMarkAndTheReason) {
    const ProblemPtr problem =
        MakeProblem(kServicesSection, "Invalid file reference",
                    RegistryProblem{kLocalMachine, "SYSTEM\\Old", "ImagePath", "C:\\gone.exe", RemovalScope::Key});
    problem->riskReason = "A service: Windows or a program may need it to start";
    EXPECT_EQ(DetailsRow(*problem),
              "<b>Key</b> : HKEY_LOCAL_MACHINE \\SYSTEM \\Old<br><b>ValueName</b> : ImagePath<br>"
              "<b>Value</b> : C:\\gone.exe<br><font color=\"#FF0000\">Invalid file reference</font><br>"
              "<font color=\"#B04A00\"><b>Review</b> : A service: Windows or a program may need it to start</font>");
}

TEST(DetailsText, HeaderNamesTheSection) {
    ScanSection section;
    section.name = "Installed Fonts";
    section.description = "Fonts.";
    EXPECT_EQ(DetailsHeader(section), "<b>Group Name : Installed Fonts</b><br><b>Description</b> : Fonts.");
}
