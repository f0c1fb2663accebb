#include "ui/main/removal_command.h"

#include <vector>

#include "backup/problem_removal.h"
#include "engine/wow64.h"
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

bool RunRemoveProblems(const RemovalCommandContext& context) {
    if (context.results.RowCount() == 0) {
        ShowMessageBox(context.window, kNoProblemsText, context.applicationName);
        return true;
    }
    const std::vector<const ProblemRecord*> ticked = TickedProblems(context);
    if (ticked.empty()) {
        ShowMessageBox(context.window, kNoSectionsCheckedText, context.applicationName);
        return false;
    }
    bool backup = context.preferences.ReadAutoBackup() != 0;
    if (!backup) {
        backup = ShowMessageBox(context.window, kBackupQuestionText, kBackupQuestionCaption, MB_YESNO) == IDYES;
    }
    RemovalReport report;
    {
        const WaitCursor wait;
        report = RemoveProblems(ticked, {backup ? &context.backup : nullptr, &SectionListKeys(), IsWow64()});
    }
    ShowMessageBox(context.window, RemovalSummaryText(report), context.applicationName);
    return true;
}
