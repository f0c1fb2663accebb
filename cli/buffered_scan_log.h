#pragma once
// The console's scan log: the scan log opens and closes its file for every write, which costs
// more than judging an entry, so the lines of a burst of problems are written together. No line
// waits longer than kLogLineMaxWait while items are examined, and ending the log writes the rest
// first.
#include <chrono>
#include <functional>
#include <string>

#include "engine/scan_log_writer.h"

inline constexpr std::chrono::milliseconds kLogLineMaxWait{100};
inline constexpr size_t kLogChunkBytes = 256 * 1024;

class BufferedScanLog : public ScanLogWriter {
public:
    explicit BufferedScanLog(ScanLogWriter& log) : log_(log) {}
    BufferedScanLog(const BufferedScanLog&) = delete;
    BufferedScanLog& operator=(const BufferedScanLog&) = delete;
    ~BufferedScanLog() override { Flush(); }

    bool StartLog() override { return log_.StartLog(); }
    void AppendLine(const std::string& text) override;
    void EndLog() override;

    // Called between examined items: writes the waiting lines once the first has waited long enough.
    void FlushIfDue();

    // Time since any fixed moment, read after every item while lines wait: the console gives a
    // cheaper clock than the default, and tests give their own.
    std::function<std::chrono::milliseconds()> now = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    };

private:
    void Flush();

    ScanLogWriter& log_;
    std::string waiting_;
    std::chrono::milliseconds firstWaiting_{};
};
