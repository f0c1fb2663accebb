#include "ui/tools/removal_summary.h"

#include "base/text_format.h"

namespace {
void AddKept(std::string& text, int count, const char* one, const char* many) {
    if (count == 1) text += std::string("\r\n1 entry kept: ") + one;
    else if (count > 1) text += Format("\r\n%d entries kept: ", count) + many;
}
}  // namespace

RemovalOutcome OutcomeOf(KeptReason reason) {
    switch (reason) {
        case KeptReason::BackupIncomplete:
        case KeptReason::LineBreak:
        case KeptReason::BackupNotWritten:
        case KeptReason::BackupUnreadable: return RemovalOutcome::KeptUnsaved;
        case KeptReason::Changed: return RemovalOutcome::KeptChanged;
        case KeptReason::InexactName: return RemovalOutcome::KeptUnreadableName;
        case KeptReason::OutsideListKey:
        case KeptReason::AccessDenied:
        case KeptReason::DeleteFailed:
        case KeptReason::Aborted: break;  // the tools offer no "Abort"
    }
    return RemovalOutcome::KeptUndeleted;
}

void RemovalTally::Add(RemovalOutcome outcome) {
    switch (outcome) {
        case RemovalOutcome::Removed: ++removed; break;
        case RemovalOutcome::KeptUnsaved: ++keptUnsaved; break;
        case RemovalOutcome::KeptUndeleted: ++keptUndeleted; break;
        case RemovalOutcome::KeptChanged: ++keptChanged; break;
        case RemovalOutcome::KeptUnreadableName: ++keptUnreadableName; break;
    }
}

std::string RemovalMessage(const std::string& allRemovedText, const RemovalTally& tally) {
    if (tally.Kept() == 0) return allRemovedText;
    std::string text = Format("%d of %d checked entries removed.", tally.removed, tally.removed + tally.Kept());
    AddKept(text, tally.keptUnsaved, "its backup could not be written, so it was not deleted.",
            "their backups could not be written, so they were not deleted.");
    AddKept(text, tally.keptUndeleted, "the registry refused to delete it (it may need administrator rights).",
            "the registry refused to delete them (they may need administrator rights).");
    AddKept(text, tally.keptChanged, "it changed after the list was filled, so it was not deleted.",
            "they changed after the list was filled, so they were not deleted.");
    AddKept(text, tally.keptUnreadableName, "its name cannot be read exactly, so it was not deleted.",
            "their names cannot be read exactly, so they were not deleted.");
    return text;
}
