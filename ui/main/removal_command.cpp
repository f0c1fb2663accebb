#include "ui/main/removal_command.h"

#include <vector>

#include "backup/problem_removal.h"
#include "engine/wow64.h"
#include "ui/main/removal_progress.h"
#include "ui/message_box.h"
#include "ui/wait_cursor.h"

namespace {
// The ticked problems of the results' sections, in list order; the row count is read for every row.
std::vector<const ProblemRecord*> TickedProblems(const RemovalCommandContext& context) {
    std::vector<const ProblemRecord*> problems;
    for (int row = 0; row < context.results.RowCount(); ++row) {
        const auto* section = static_cast<const ScanSection*>(context.results.RowData(row));
        if (!context.sections.Owns(section)) continue;
        for (const ProblemPtr& problem : section->problems) {
            if (problem->checked) problems.push_back(problem.get());
        }
    }
    return problems;
}
}  // namespace

AfterRemoval RunRemoveProblems(const RemovalCommandContext& context) {
    if (context.results.RowCount() == 0) {
        ShowMessageBox(context.window, kNoProblemsText, context.applicationName);
        return AfterRemoval::HomePage;
    }
    const std::vector<const ProblemRecord*> ticked = TickedProblems(context);
    if (ticked.empty()) {
        ShowMessageBox(context.window, kNoSectionsCheckedText, context.applicationName);
        return AfterRemoval::StayOnResults;
    }
    bool backup = context.preferences.ReadAutoBackup() != 0;
    if (!backup) {
        backup = ShowMessageBox(context.window, kBackupQuestionText, kBackupQuestionCaption, MB_YESNO) == IDYES;
    }
    RemovalReport report;
    {
        const WaitCursor wait;
        RemovalProgressWindow progress(context.window);
        report = RemoveProblems(
            ticked, {backup ? &context.backup : nullptr, &SectionListKeys(), IsWow64()}, {},
            [&](RemovalStage stage, size_t done, size_t total) { return progress.Advance(stage, done, total); });
    }
    const std::string summary = RemovalSummaryText(report);
    if (report.removed == 0) {
        ShowMessageBox(context.window, summary, context.applicationName);
        // Stopped before anything went: the results are still what the scan found.
        return report.aborted ? AfterRemoval::StayOnResults : AfterRemoval::HomePage;
    }
    const int answer = ShowMessageBox(context.window, summary + kScanAgainQuestion, context.applicationName, MB_YESNO);
    return answer == IDYES ? AfterRemoval::ScanAgain : AfterRemoval::HomePage;
}
