#include "ui/dialogs/details_text.h"

#include <gtest/gtest.h>

TEST(DetailsText, KeyRowsSpaceEveryBackslashAndNameTheDefaultValue) {
    RegistryProblem problem;
    problem.rootKey = kCurrentUser;
    problem.keyPath = "Software\\Vendor\\App";
    problem.valueData = "C:\\gone.exe";
    problem.description = "Invalid file reference";
    EXPECT_EQ(DetailsRow(3, problem),
              "<b>Key</b> : HKEY_CURRENT_USER \\Software \\Vendor \\App<br><b>ValueName</b> : (Default)<br>"
              "<b>Value</b> : C:\\gone.exe<br><font color=\"#FF0000\">Invalid file reference</font>");
    problem.valueName = "Path";
    EXPECT_NE(DetailsRow(3, problem).find("<b>ValueName</b> : Path<br>"), std::string::npos);
}

TEST(DetailsText, ShortcutRowsShowLinkAndTarget) {
    FileProblem problem;
    problem.linkPath = "C:\\Users\\a\\Desktop\\Old.lnk";
    problem.targetPath = "C:\\Old\\old.exe";
    problem.description = "Target missing";
    EXPECT_EQ(DetailsRow(kShortcutsSection, problem),
              "<b>Shortcut Path</b> : C:\\Users\\a\\Desktop\\Old.lnk<br><b>Target Path</b> : C:\\Old\\old.exe<br>"
              "<font color=\"#FF0000\">Target missing</font>");
}

TEST(DetailsText, HeaderNamesTheSection) {
    ScanSection section;
    section.name = "Installed Fonts";
    section.description = "Fonts.";
    EXPECT_EQ(DetailsHeader(section), "<b>Group Name : Installed Fonts</b><br><b>Description</b> : Fonts.");
}
