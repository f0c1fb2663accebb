#pragma once
// The texts of a scan log: its file name from the scan's local start time, its header, and
// the bytes a text-mode stream stores for a text.
#include <string>

struct LocalTime {
    int year, month, day, hour, minute, second;
};

// "Date(%d-%d-%d) Time(%d-%d-%d).txt": day, month, year, hour, minute, second.
std::string ScanLogFileName(const LocalTime& time);

std::string ScanLogHeader(const std::string& version, const std::string& osName);

// Every line feed stored as carriage return plus line feed, as a text-mode stream does, so
// a line ending in "\r\n" is stored as CR CR LF.
std::string TextModeBytes(const std::string& text);

// The folder with its trailing backslashes removed.
std::string WithoutTrailingBackslashes(std::string folder);
