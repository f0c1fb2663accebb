#pragma once
// Runs one of the ignore list's commands on the program's settings.
#include <cstdio>
#include <string>

#include "app/preferences.h"
#include "cli/ignore_command_line.h"

struct IgnoreCommandSettings {
    IgnoreCommandLine line;
    std::FILE* out = stdout;
    std::FILE* err = stderr;                         // one line for a number not in the list, or a write that failed
    std::string settingsKeyPath = kSettingsKeyPath;  // tests give their own
};

// 0 done; 1 the settings could not be written; 2 the number names no rule of the list.
int RunIgnoreCommand(const IgnoreCommandSettings& settings);

// One rule as the list shows it: "<number>\t<kind>\t<key or path>", then "\t<value name>" for a value.
std::string IgnoreListLine(size_t number, const IgnoreRule& rule);
