#include "cli/drive_list.h"

namespace {
// "C", "C:" or "C:\" in any letter case; 0 for anything else.
char DriveLetterOf(const std::string& item) {
    if (item.empty() || item.size() > 3) return 0;
    const char letter = static_cast<char>(item[0] & ~0x20);
    if (letter < 'A' || letter > 'Z') return 0;
    if (item.size() >= 2 && item[1] != ':') return 0;
    if (item.size() == 3 && item[2] != '\\') return 0;
    return letter;
}
}  // namespace

std::optional<std::string> ParseDriveList(const std::string& list, std::string& error) {
    std::string letters;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const char letter = DriveLetterOf(item);
        if (letter == 0) {
            error = "'" + item + "' names no drive";
            return std::nullopt;
        }
        if (letters.find(letter) == std::string::npos) letters += letter;
        if (comma == std::string::npos) return letters;
        start = comma + 1;
    }
}
