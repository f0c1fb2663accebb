#pragma once
// The log of a scan: one file per scan in the log folder of the preferences, opened and
// closed for every write so that it is complete up to the last filed problem.
#include <functional>
#include <string>

#include "app/preferences.h"
#include "app/scan_log_format.h"
#include "engine/scan_log_writer.h"

class ScanLog : public ScanLogWriter {
public:
    ScanLog(const Preferences& preferences, std::string osName);

    bool StartLog() override;
    void AppendLine(const std::string& text) override;
    void EndLog() override;

    const std::string& CurrentPath() const { return currentPath_; }

    // The clock, replaceable so that tests can start two scans in the same second.
    std::function<LocalTime()> now;

private:
    const Preferences& preferences_;
    std::string osName_;
    std::string currentPath_;
};

LocalTime CurrentLocalTime();
