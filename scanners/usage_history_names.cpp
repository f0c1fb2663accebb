#include "scanners/usage_history_names.h"

std::string Rot13(const std::string& text) {
    std::string decoded = text;
    for (char& c : decoded) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>('a' + (c - 'a' + 13) % 26);
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>('A' + (c - 'A' + 13) % 26);
        }
    }
    return decoded;
}

std::optional<std::string> UsageEntryPath(const std::string& decodedName) {
    if (decodedName.find("csidl23") != std::string::npos) return std::nullopt;
    const size_t colon = decodedName.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const size_t start = decodedName.find_first_not_of(':', colon);
    if (start == std::string::npos) return std::nullopt;
    std::string path = decodedName.substr(start);
    if (path.find(':') == std::string::npos) return std::nullopt;
    return path;
}
