#include "cli/progress_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/stream_text.h"

namespace {
// A progress line writing into a temporary file, on a clock the test moves.
class ProgressLineTest : public ::testing::Test {
protected:
    ProgressLineTest() : file_(std::tmpfile()) {}
    ~ProgressLineTest() override { std::fclose(file_); }

    std::string Written() const { return StreamText(file_); }
    ProgressLine::Clock Clock() {
        return [this] { return now; };
    }

    std::FILE* file_;
    uint64_t now = 5000;
};
}  // namespace

TEST(ProgressText, NamesSectionItemsAndProblemsAndKeepsOffTheLastColumn) {
    EXPECT_EQ(ProgressText("Full Registry Scan", 12345, 67, 80),
              "Full Registry Scan: 12345 items examined, 67 problems found");
    EXPECT_EQ(ProgressText("Full Registry Scan", 12345, 67, 20), "Full Registry Scan:");
    EXPECT_EQ(ProgressText("Fonts", 1, 0, 0), "");
}

TEST_F(ProgressLineTest, RewrittenAtMostTenTimesASecond) {
    ProgressLine line(file_, 80, Clock());
    EXPECT_TRUE(line.Due());
    line.Show("Installed Fonts", 1, 0);
    now += 99;
    EXPECT_FALSE(line.Due());
    now += 1;
    EXPECT_TRUE(line.Due());
    EXPECT_EQ(Written(), "\rInstalled Fonts: 1 items examined, 0 problems found");
}

TEST_F(ProgressLineTest, AShorterTextBlanksWhatTheLongerLeftAndClearingLeavesTheCursorAtTheStart) {
    {
        ProgressLine line(file_, 80, Clock());
        line.Show("Invalid Program Shortcuts", 10, 2);
        line.Show("Fonts", 11, 2);
        line.Clear();
        line.Clear();  // nothing shown: nothing to blank
        line.Show("Fonts", 12, 3);
    }  // the end clears what is shown
    const std::string first = "Invalid Program Shortcuts: 10 items examined, 2 problems found";
    const std::string second = "Fonts: 11 items examined, 2 problems found";
    const std::string third = "Fonts: 12 items examined, 3 problems found";
    EXPECT_EQ(Written(), "\r" + first + "\r" + second + std::string(first.size() - second.size(), ' ') + "\r" +
                             std::string(second.size(), ' ') + "\r" + "\r" + third + "\r" +
                             std::string(third.size(), ' ') + "\r");
}
