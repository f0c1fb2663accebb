#pragma once
// One scan from the console: the same engine, intake, scanners and log as the main window.
#include <atomic>
#include <cstdio>
#include <string>

#include "app/preferences.h"
#include "cli/exit_status.h"
#include "cli/scan_command.h"

struct ConsoleScanSettings {
    ScanCommand command;
    std::string osName;              // for the scan log's header
    std::atomic<bool>* interrupted;  // set by Ctrl+C
    std::FILE* out;
    std::FILE* err = stderr;  // told when --report's file cannot be written
    // The program's settings (section choice, log folder); tests and benchmarks give their own.
    std::string settingsKeyPath = kSettingsKeyPath;
};

// 0 no problems, 1 problems found, 3 aborted, 6 --report's file could not be written (before the
// scan, nothing is scanned).
int RunConsoleScan(const ConsoleScanSettings& settings);
