#include "app/scan_log_format.h"

#include <algorithm>

#include "base/text_format.h"

std::string ScanLogFileName(const LocalTime& time) {
    return Format("Date(%d-%d-%d) Time(%d-%d-%d).txt", time.day, time.month, time.year, time.hour, time.minute,
                  time.second);
}

std::string ScanLogHeader(const std::string& version, const std::string& osName) {
    return Format("Tidrex Velora %s\r\nOS : %s\r\n---------------------\r\n\r\n", version.c_str(), osName.c_str());
}

std::string TextModeBytes(const std::string& text) {
    std::string bytes(text.size() + static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), '\0');
    char* out = bytes.data();
    for (char c : text) {
        if (c == '\n') *out++ = '\r';
        *out++ = c;
    }
    return bytes;
}

std::string WithoutTrailingBackslashes(std::string folder) {
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}
