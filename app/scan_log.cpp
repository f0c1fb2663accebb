#include "app/scan_log.h"

#include <windows.h>

#include "base/unique_handles.h"

LocalTime CurrentLocalTime() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

namespace {
// Appends to the file, creating it when it does not exist.
bool AppendToFile(const std::string& path, const std::string& text) {
    if (path.empty()) return false;
    UniqueHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::string bytes = TextModeBytes(text);
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
}  // namespace

ScanLog::ScanLog(const Preferences& preferences, std::string osName)
    : now(CurrentLocalTime), preferences_(preferences), osName_(std::move(osName)) {}

bool ScanLog::StartLog() {
    const std::string folder = WithoutTrailingBackslashes(preferences_.ReadLogFilePath());
    CreateDirectoryA(folder.c_str(), nullptr);
    currentPath_ = folder + "\\" + ScanLogFileName(now());
    return AppendToFile(currentPath_, ScanLogHeader(kVersionText, osName_));
}

void ScanLog::AppendLine(const std::string& text) { AppendToFile(currentPath_, text); }

void ScanLog::EndLog() { currentPath_.clear(); }
