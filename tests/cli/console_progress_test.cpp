#include "cli/progress_scan_host.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/fixed_disks.h"
#include "engine/section_descriptors.h"
#include "tests/support/collecting_scan_host.h"
#include "tests/support/stream_text.h"

namespace {
// A progress host before a collecting host, told that the fonts section is being scanned.
struct ProgressHostTest : ::testing::Test {
    ProgressHostTest() : terminal(std::tmpfile()), line(terminal, 80, [this] { return now; }) {}
    ~ProgressHostTest() override { std::fclose(terminal); }

    CollectingScanHost inner;
    std::FILE* terminal;
    uint64_t now = 1000;
    ProgressLine line;
};
}  // namespace

TEST_F(ProgressHostTest, CountsItemsShowsTheScannedSectionAndPassesEverythingOn) {
    ProgressScanHost host(inner, line);
    host.SectionStarted("Startup Programs");
    host.SectionStarted("Installed Fonts");
    host.ProblemsFiled(4);
    host.ShowCurrentItem("first");
    host.ShowCurrentItem("second");  // within the tenth of a second: not written
    now += 100;
    host.ShowCurrentItem("third");
    host.PumpMessages();
    host.ReportProblem(std::make_unique<ProblemRecord>());
    host.StartingKeyUnreadable(2, "HKEY_LOCAL_MACHINE\\SYSTEM");
    host.ShowFault("fault");

    EXPECT_EQ(inner.unreadable,
              (std::vector<std::pair<SectionId, std::string>>{{kStaticDriversSection, "HKEY_LOCAL_MACHINE\\SYSTEM"}}));
    EXPECT_EQ(inner.shown, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(inner.pumps, 1);
    EXPECT_EQ(inner.problems.size(), 1u);
    EXPECT_EQ(inner.faults, std::vector<std::string>{"fault"});
    const std::string first = "Installed Fonts: 1 items examined, 4 problems found";
    const std::string third = "Installed Fonts: 3 items examined, 4 problems found";
    // The unreadable key's line and the fault's text start on a cleared line.
    EXPECT_EQ(StreamText(terminal), "\r" + first + "\r" + third + "\r" + std::string(third.size(), ' ') + "\r");
}

TEST(ConsoleProgress, NothingWhenStandardErrorIsNoTerminalOrQuietIsAsked) {
    // Test programs write to pipes: no console.
    ASSERT_FALSE(StandardErrorConsoleWidth());
    CollectingScanHost inner;
    for (const bool wanted : {true, false}) {
        ConsoleProgress progress(inner, wanted);
        EXPECT_EQ(&progress.Host(), &inner);
    }
}

TEST(FixedDisks, DrivesThatAreNoFixedDisksAreNamed) {
    EXPECT_TRUE(NotFixedDisks("CE").empty());
    EXPECT_EQ(NotFixedDisks("CDNQ"),
              (std::vector<std::string>{"D: is not a fixed disk; its shortcuts are not scanned",
                                        "N: is not a fixed disk; its shortcuts are not scanned",
                                        "Q: is not a fixed disk; its shortcuts are not scanned"}));
}
