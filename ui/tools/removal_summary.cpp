#include "ui/tools/removal_summary.h"

#include "base/text_format.h"

void RemovalTally::Add(RemovalOutcome outcome) {
    switch (outcome) {
        case RemovalOutcome::Removed: ++removed; break;
        case RemovalOutcome::KeptUnsaved: ++keptUnsaved; break;
        case RemovalOutcome::KeptUndeleted: ++keptUndeleted; break;
    }
}

std::string RemovalMessage(const std::string& allRemovedText, const RemovalTally& tally) {
    if (tally.Kept() == 0) return allRemovedText;
    std::string text = Format("%d of %d checked entries removed.", tally.removed, tally.removed + tally.Kept());
    if (tally.keptUnsaved == 1) {
        text += "\r\n1 entry kept: its backup could not be written, so it was not deleted.";
    } else if (tally.keptUnsaved > 1) {
        text += Format("\r\n%d entries kept: their backups could not be written, so they were not deleted.",
                       tally.keptUnsaved);
    }
    if (tally.keptUndeleted == 1) {
        text += "\r\n1 entry kept: the registry refused to delete it (it may need administrator rights).";
    } else if (tally.keptUndeleted > 1) {
        text += Format("\r\n%d entries kept: the registry refused to delete them (they may need administrator rights).",
                       tally.keptUndeleted);
    }
    return text;
}
