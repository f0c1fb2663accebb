#pragma once
// One scan from the console: the same engine, intake, scanners and log as the main window.
#include <atomic>
#include <cstdio>
#include <string>

#include "cli/command_line.h"

inline constexpr int kExitClean = 0;
inline constexpr int kExitProblemsFound = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitAborted = 3;

struct ConsoleScanSettings {
    ScanCommand command;
    std::string osName;                     // for the scan log's header
    std::atomic<bool>* interrupted;         // set by Ctrl+C
    std::FILE* out;
    std::FILE* err = stderr;                // told of every starting key that could not be opened
};

int RunConsoleScan(const ConsoleScanSettings& settings);
