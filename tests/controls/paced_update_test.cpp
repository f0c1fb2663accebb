#include "controls/paced_update.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/path_label.h"
#include "tests/controls/test_window.h"

namespace {
// Pumps the thread's messages for the milliseconds given.
void PumpFor(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        TestWindow::Pump();
        Sleep(5);
    }
}
}  // namespace

TEST(PacedUpdate, TheFirstRunsAtOnceLaterOnesAreKeptAndOnlyTheLatestRuns) {
    TestWindow window;
    PacedUpdate pacer(50);
    pacer.Attach(window.Get());
    std::vector<int> runs;
    pacer.Request([&] { runs.push_back(1); });
    pacer.Request([&] { runs.push_back(2); });
    pacer.Request([&] { runs.push_back(3); });
    EXPECT_EQ(runs, std::vector<int>{1});
    EXPECT_TRUE(pacer.HasPending());
    PumpFor(150);
    EXPECT_EQ(runs, (std::vector<int>{1, 3}));
    EXPECT_FALSE(pacer.HasPending());
    // Once the interval has passed, a request runs at once again.
    pacer.Request([&] { runs.push_back(4); });
    EXPECT_EQ(runs, (std::vector<int>{1, 3, 4}));
}

TEST(PacedUpdate, FlushRunsAndDropForgetsTheKeptUpdate) {
    TestWindow window;
    PacedUpdate pacer(10000);
    pacer.Attach(window.Get());
    std::vector<int> runs;
    pacer.Request([&] { runs.push_back(1); });
    pacer.Request([&] { runs.push_back(2); });
    pacer.Flush();
    EXPECT_EQ(runs, (std::vector<int>{1, 2}));
    pacer.Request([&] { runs.push_back(3); });
    pacer.Drop();
    pacer.Flush();
    EXPECT_EQ(runs, (std::vector<int>{1, 2}));
}

TEST(PacedUpdate, WithoutAWindowEveryUpdateRunsAtOnce) {
    PacedUpdate pacer(10000);
    int runs = 0;
    for (int i = 0; i < 3; ++i) pacer.Request([&] { ++runs; });
    EXPECT_EQ(runs, 3);
}

TEST(PathLabel, AStreamOfPathsEndsWithTheLatestAndAPathShownAtOnceIsNotOvertaken) {
    TestWindow window;
    PathLabel label;
    label.Attach(window.AddStatic("", 10, 10, 400, 20));
    for (int i = 0; i < 100; ++i) label.ShowPathSoon("HKEY_CURRENT_USER\\Item" + std::to_string(i));
    EXPECT_EQ(WindowText(label.Window()), "HKEY_CURRENT_USER\\Item0");
    PumpFor(150);
    EXPECT_EQ(WindowText(label.Window()), "HKEY_CURRENT_USER\\Item99");

    label.ShowPathSoon("HKEY_CURRENT_USER\\Late");  // shown at once: the interval has passed
    label.ShowPathSoon("HKEY_CURRENT_USER\\Later");
    label.ShowPath("Scan Complete");
    PumpFor(150);
    EXPECT_EQ(WindowText(label.Window()), "Scan Complete");
}
