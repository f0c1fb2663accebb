#pragma once
// Writing the values the scanner tests set up below their own keys.
#include <windows.h>

#include <string>

inline void SetStringValue(HKEY root, const std::string& path, const char* name, const std::string& data,
                           DWORD type = REG_SZ) {
    RegSetKeyValueA(root, path.c_str(), name, type, data.c_str(), static_cast<DWORD>(data.size() + 1));
}

inline void SetDwordValue(HKEY root, const std::string& path, const char* name, DWORD data) {
    RegSetKeyValueA(root, path.c_str(), name, REG_DWORD, &data, sizeof(data));
}
