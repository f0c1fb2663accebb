#include "app/instance_checker.h"

#include <gtest/gtest.h>

namespace {
// A plain top-level window to stand for a main window.
class TestWindow {
public:
    TestWindow()
        : window_(CreateWindowA("STATIC", "instance", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)) {}
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_;
};
}  // namespace

TEST(CInstanceChecker, TheFirstCopyStoresItsWindowAndALaterCopyFindsIt) {
    const TestWindow first, second;
    CInstanceChecker running("TidrexTestsInstance");
    EXPECT_EQ(running.MappingName(), "CInstanceChecker_MMF_TidrexTestsInstance");
    EXPECT_FALSE(running.PreviousInstanceRunning());
    EXPECT_TRUE(running.Track(first.get()));

    CInstanceChecker late("TidrexTestsInstance");
    EXPECT_TRUE(late.PreviousInstanceRunning());
    // Two copies started together: the later one does not overwrite the block.
    EXPECT_FALSE(late.Track(second.get()));
    EXPECT_EQ(late.ActivatePreviousInstance(), first.get());
    // The opened block is forgotten after activation.
    EXPECT_EQ(late.ActivatePreviousInstance(), nullptr);
}

TEST(CInstanceChecker, AnotherApplicationNameDoesNotSeeTheRunningCopy) {
    const TestWindow window;
    CInstanceChecker running("TidrexTestsNameA");
    ASSERT_TRUE(running.Track(window.get()));
    CInstanceChecker other("TidrexTestsNameB");
    EXPECT_FALSE(other.PreviousInstanceRunning());
    EXPECT_EQ(other.ActivatePreviousInstance(), nullptr);
}

TEST(CInstanceChecker, TheBlockEndsWithItsCreator) {
    const TestWindow window;
    {
        CInstanceChecker running("TidrexTestsEnded");
        ASSERT_TRUE(running.Track(window.get()));
    }
    CInstanceChecker later("TidrexTestsEnded");
    EXPECT_FALSE(later.PreviousInstanceRunning());
}

TEST(CInstanceChecker, StoredHandlesRoundTrip) {
    const TestWindow window;
    EXPECT_EQ(WindowFromStored(StoredWindowHandle(window.get())), window.get());
    EXPECT_EQ(WindowFromStored(0), nullptr);
}
