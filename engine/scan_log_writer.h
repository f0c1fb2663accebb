#pragma once
// Where the scan writes its log: started before the first section, one text per filed
// problem, ended after the last section.
#include <string>

class ScanLogWriter {
public:
    virtual ~ScanLogWriter() = default;
    virtual bool StartLog() = 0;
    virtual void AppendLine(const std::string& text) = 0;
    virtual void EndLog() = 0;
};

// For hosts that keep no log.
class NoScanLog : public ScanLogWriter {
public:
    bool StartLog() override { return true; }
    void AppendLine(const std::string&) override {}
    void EndLog() override {}
};
