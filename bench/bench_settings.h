#pragma once
// A benchmark's own program settings below its key, with the scan logs in the temp folder.
#include <windows.h>

#include <string>

#include "app/preferences.h"

inline std::string BenchSettings(const char* benchKey) {
    const std::string settings = std::string(benchKey) + "\\Settings";
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string logs = std::string(temp) + "tidrex-bench-logs";
    RegSetKeyValueA(HKEY_CURRENT_USER, settings.c_str(), "LogFilePath", REG_SZ, logs.c_str(),
                    static_cast<DWORD>(logs.size() + 1));
    return settings;
}
