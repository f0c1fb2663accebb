// The removal's progress window: it appears over its owner, which it disables meanwhile, says how
// far the removal is, and stops it on "Abort" from the keyboard; its owner works again after.
#include "ui/main/removal_progress.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/ui/dialog_driver.h"

TEST(RemovalProgress, EscapeAbortsAndTheOwnerIsEnabledAgain) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    {
        RemovalProgressWindow progress(owner, 0);
        EXPECT_TRUE(progress.Advance(RemovalStage::Saving, 3, 10));
        HWND window = ThreadWindowTitled(kRemovalProgressCaption);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(IsWindowEnabled(owner));
        EXPECT_EQ(ItemText(window, IDC_REMOVAL_PROGRESS_TEXT), "Saving the backup: 3 of 10 items");
        EXPECT_EQ(SendMessageA(GetDlgItem(window, IDC_REMOVAL_PROGRESS_BAR), PBM_GETPOS, 0, 0), 3);
        EXPECT_EQ(GetFocus(), GetDlgItem(window, IDCANCEL));
        Sleep(60);
        EXPECT_TRUE(progress.Advance(RemovalStage::Deleting, 4, 8));
        EXPECT_EQ(ItemText(window, IDC_REMOVAL_PROGRESS_TEXT), "Removing 4 of 8 items");
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        Sleep(60);
        EXPECT_FALSE(progress.Advance(RemovalStage::Deleting, 5, 8));
        EXPECT_FALSE(progress.Advance(RemovalStage::Deleting, 6, 8));
    }
    EXPECT_EQ(ThreadWindowTitled(kRemovalProgressCaption), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST(RemovalProgress, AQuickRemovalShowsNothing) {
    RemovalProgressWindow progress(nullptr);
    EXPECT_TRUE(progress.Advance(RemovalStage::Saving, 1, 2));
    EXPECT_EQ(ThreadWindowTitled(kRemovalProgressCaption), nullptr);
}
