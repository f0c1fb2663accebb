#include "cli/buffered_scan_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct RecordingLog : ScanLogWriter {
    bool StartLog() override {
        calls.push_back("start");
        return true;
    }
    void AppendLine(const std::string& text) override { calls.push_back(text); }
    void EndLog() override { calls.push_back("end"); }
    std::vector<std::string> calls;
};

struct BufferedScanLogFixture : testing::Test {
    BufferedScanLogFixture() {
        log.now = [this] { return clock; };
    }
    void Wait(std::chrono::milliseconds time) { clock += time; }

    RecordingLog file;
    BufferedScanLog log{file};
    std::chrono::milliseconds clock{};
};
}  // namespace

TEST_F(BufferedScanLogFixture, BurstIsWrittenTogetherAndInOrderWhenTheLogEnds) {
    log.StartLog();
    log.AppendLine("one\r\n");
    log.AppendLine("two\r\n");
    log.FlushIfDue();
    EXPECT_EQ(file.calls, (std::vector<std::string>{"start"}));
    log.EndLog();
    EXPECT_EQ(file.calls, (std::vector<std::string>{"start", "one\r\ntwo\r\n", "end"}));
}

TEST_F(BufferedScanLogFixture, NoLineWaitsLongerThanTheLimitBetweenItems) {
    log.StartLog();
    log.AppendLine("one\r\n");
    Wait(kLogLineMaxWait - std::chrono::milliseconds(1));
    log.AppendLine("two\r\n");
    log.FlushIfDue();
    EXPECT_EQ(file.calls.size(), 1u);
    Wait(std::chrono::milliseconds(1));
    log.FlushIfDue();
    EXPECT_EQ(file.calls, (std::vector<std::string>{"start", "one\r\ntwo\r\n"}));
    // The wait starts again with the next line.
    log.AppendLine("three\r\n");
    Wait(kLogLineMaxWait - std::chrono::milliseconds(1));
    log.FlushIfDue();
    EXPECT_EQ(file.calls.size(), 2u);
    Wait(std::chrono::milliseconds(1));
    log.AppendLine("four\r\n");
    EXPECT_EQ(file.calls.back(), "three\r\nfour\r\n");
}

TEST_F(BufferedScanLogFixture, FullChunkIsWrittenAtOnce) {
    const std::string line(1000, 'x');
    size_t appended = 0;
    while (file.calls.empty()) {
        log.AppendLine(line);
        appended += line.size();
    }
    EXPECT_GE(appended, kLogChunkBytes);
    EXPECT_LT(appended, kLogChunkBytes + line.size());
    EXPECT_EQ(file.calls[0].size(), appended);
}

TEST(BufferedScanLog, WritesWhatWaitsWhenDestroyedWithoutEnd) {
    RecordingLog file;
    {
        BufferedScanLog log(file);
        log.AppendLine("left\r\n");
    }
    EXPECT_EQ(file.calls, (std::vector<std::string>{"left\r\n"}));
}
