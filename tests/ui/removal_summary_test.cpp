#include "ui/tools/removal_summary.h"

#include <gtest/gtest.h>

TEST(RemovalMessage, TheDialogsTextWhenAllWentElseCountsAndReasons) {
    RemovalTally all;
    for (int i = 0; i < 3; ++i) all.Add(RemovalOutcome::Removed);
    EXPECT_EQ(RemovalMessage("Select BHOs Removed", all), "Select BHOs Removed");
    EXPECT_EQ(RemovalMessage("Select BHOs Removed", RemovalTally{}), "Select BHOs Removed");

    RemovalTally mixed;
    mixed.Add(RemovalOutcome::Removed);
    mixed.Add(RemovalOutcome::KeptUnsaved);
    mixed.Add(RemovalOutcome::KeptUndeleted);
    mixed.Add(RemovalOutcome::KeptUndeleted);
    EXPECT_EQ(RemovalMessage("Select BHOs Removed", mixed),
              "1 of 4 checked entries removed.\r\n"
              "1 entry kept: its backup could not be written, so it was not deleted.\r\n"
              "2 entries kept: the registry refused to delete them (they may need administrator rights).");

    RemovalTally unsaved;
    unsaved.Add(RemovalOutcome::KeptUnsaved);
    unsaved.Add(RemovalOutcome::KeptUnsaved);
    EXPECT_EQ(RemovalMessage("x", unsaved),
              "0 of 2 checked entries removed.\r\n"
              "2 entries kept: their backups could not be written, so they were not deleted.");
}

TEST(RemovalMessage, EntriesTheRemovalKeptAreCountedByTheirReason) {
    RemovalTally tally;
    for (KeptReason reason : {KeptReason::BackupUnreadable, KeptReason::Changed, KeptReason::Changed,
                              KeptReason::InexactName, KeptReason::AccessDenied, KeptReason::BackupNotWritten}) {
        tally.Add(OutcomeOf(reason));
    }
    EXPECT_EQ(RemovalMessage("x", tally),
              "0 of 6 checked entries removed.\r\n"
              "2 entries kept: their backups could not be written, so they were not deleted.\r\n"
              "1 entry kept: the registry refused to delete it (it may need administrator rights).\r\n"
              "2 entries kept: they changed after the list was filled, so they were not deleted.\r\n"
              "1 entry kept: its name cannot be read exactly, so it was not deleted.");
}
