#include "cli/buffered_scan_log.h"

void BufferedScanLog::AppendLine(const std::string& text) {
    if (waiting_.empty()) firstWaiting_ = now();
    waiting_ += text;
    if (waiting_.size() >= kLogChunkBytes) {
        Flush();
    } else {
        FlushIfDue();
    }
}

void BufferedScanLog::EndLog() {
    Flush();
    log_.EndLog();
}

void BufferedScanLog::FlushIfDue() {
    if (!waiting_.empty() && now() - firstWaiting_ >= kLogLineMaxWait) Flush();
}

void BufferedScanLog::Flush() {
    if (waiting_.empty()) return;
    log_.AppendLine(waiting_);
    waiting_.clear();
}
