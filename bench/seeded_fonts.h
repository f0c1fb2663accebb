#pragma once
// Font values of the benchmarks' own in the fonts list the fonts scan reads, added and removed
// again: every staleEvery-th names a file that is not there, the others one present file.
#include <windows.h>

#include <string>

#include "base/unique_handles.h"

inline constexpr const char* kFontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr const char* kBenchFontPrefix = "TidrexBench Font ";

inline std::string PresentFontFile() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\Fonts\\tidrexbench.ttf";
}

inline std::string BenchFontName(int index) { return kBenchFontPrefix + std::to_string(index) + " (TrueType)"; }

inline void SeedFonts(int values, int staleEvery, bool remove) {
    if (remove) {
        DeleteFileA(PresentFontFile().c_str());
    } else {
        const UniqueHandle file(CreateFileA(PresentFontFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS) return;
    for (int i = 0; i < values; ++i) {
        const std::string name = BenchFontName(i);
        if (remove) {
            RegDeleteValueA(key.get(), name.c_str());
            continue;
        }
        const std::string data =
            i % staleEvery == 0 ? "tidrexbench-gone" + std::to_string(i) + ".ttf" : "tidrexbench.ttf";
        RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    }
}

inline int FontValueCount() {
    UniqueHkey key;
    DWORD count = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return 0;
    RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    return static_cast<int>(count);
}
