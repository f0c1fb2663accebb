#pragma once
// What a tool dialog tells the user after removing the checked entries.
#include <string>

#include "backup/removal_report.h"

enum class RemovalOutcome {
    Removed,             // deleted, or already gone
    KeptUnsaved,         // its export was not written completely, so it was not deleted
    KeptUndeleted,       // the registry refused the deletion
    KeptChanged,         // it changed after the list was filled, so it was not deleted
    KeptUnreadableName,  // its name cannot be read exactly, so it was not deleted
};

// How the tool dialogs count a removal's reason for keeping an entry.
RemovalOutcome OutcomeOf(KeptReason reason);

struct RemovalTally {
    int removed = 0;
    int keptUnsaved = 0;
    int keptUndeleted = 0;
    int keptChanged = 0;
    int keptUnreadableName = 0;

    void Add(RemovalOutcome outcome);
    int Kept() const { return keptUnsaved + keptUndeleted + keptChanged + keptUnreadableName; }
};

// The dialog's own text when every checked entry is gone; otherwise how many were removed,
// and how many were kept and why.
std::string RemovalMessage(const std::string& allRemovedText, const RemovalTally& tally);

inline constexpr const char* kNothingCheckedText = "Please Select an Item from the list, and then Press Remove";
