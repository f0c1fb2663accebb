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
    std::FILE* err = stderr;  // told of every starting key that could not be opened
    // The program's settings (section choice, log folder); tests and benchmarks give their own.
    std::string settingsKeyPath = kSettingsKeyPath;
};

int RunConsoleScan(const ConsoleScanSettings& settings);
