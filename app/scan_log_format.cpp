#include "app/scan_log_format.h"

#include "base/text_format.h"

std::string ScanLogFileName(const LocalTime& time) {
    return Format("Date(%d-%d-%d) Time(%d-%d-%d).txt", time.day, time.month, time.year, time.hour, time.minute,
                  time.second);
}

std::string ScanLogHeader(const std::string& version, const std::string& osName) {
    return Format("Tidrex Velora %s\r\nOS : %s\r\n---------------------\r\n\r\n", version.c_str(), osName.c_str());
}

std::string TextModeBytes(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}

std::string WithoutTrailingBackslashes(std::string folder) {
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}
