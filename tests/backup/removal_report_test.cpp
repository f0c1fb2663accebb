#include "backup/removal_report.h"

#include <gtest/gtest.h>

#include "engine/section_descriptors.h"

namespace {
ProblemPtr Value(const char* name) {
    return MakeProblem(kFullRegistrySection, {},
                       RegistryProblem{kCurrentUser, "Software\\Vendor", name, {}, RemovalScope::Value});
}
}  // namespace

TEST(RemovalSummaryText, KeepsTheOldTextWhenEverythingWent) {
    RemovalReport report;
    report.removed = 4;
    report.alreadyGone = 1;
    EXPECT_EQ(RemovalSummaryText(report), "Selected Items Removed");
}

TEST(RemovalSummaryText, CountsRemovedAndKeptAndSaysWhy) {
    const ProblemPtr locked = Value("Locked");
    const ProblemPtr link = MakeProblem(kShortcutsSection, {}, FileProblem{"C:\\Links\\x.lnk", {}});
    const ProblemPtr key =
        MakeProblem(kUninstallSection, {}, RegistryProblem{kLocalMachine, "SOFTWARE\\A", {}, {}, RemovalScope::Key});
    RemovalReport report;
    report.removed = 3;
    report.alreadyGone = 1;
    report.kept = {{locked.get(), KeptReason::AccessDenied, {}},
                   {link.get(), KeptReason::BackupIncomplete, "error 32"},
                   {key.get(), KeptReason::AccessDenied, {}}};
    EXPECT_EQ(RemovalSummaryText(report),
              "Not all selected items were removed.\r\n\r\n"
              "Removed: 3 (1 of them already gone)\r\n"
              "Kept: 3\r\n"
              "    backup incomplete: 1\r\n"
              "    access denied: 2\r\n"
              "\r\nKept items:\r\n"
              "HKEY_CURRENT_USER\\Software\\Vendor (value \"Locked\") - access denied\r\n"
              "C:\\Links\\x.lnk - backup incomplete (error 32)\r\n"
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\A - access denied\r\n");
}

TEST(RemovalSummaryText, ListsTenKeptItemsAndCountsTheRest) {
    const ProblemPtr problem = Value("v");
    RemovalReport report;
    report.kept.assign(13, {problem.get(), KeptReason::LineBreak, {}});
    const std::string text = RemovalSummaryText(report);
    EXPECT_NE(text.find("and 3 more\r\n"), std::string::npos);
    size_t listed = 0;
    for (size_t at = text.find("(value"); at != std::string::npos; at = text.find("(value", at + 1)) ++listed;
    EXPECT_EQ(listed, 10u);
}

TEST(RemovalSummaryText, BackupFailureSaysNothingWasRemovedAndWhy) {
    RemovalReport report;
    report.backupFailed = true;
    report.backupError = "The backup folder C:\\x cannot be written (error 5).";
    EXPECT_EQ(RemovalSummaryText(report),
              "The backup could not be written, so nothing was removed.\r\n\r\n"
              "The backup folder C:\\x cannot be written (error 5).");
}
