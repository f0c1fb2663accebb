#include "scanners/registry_walk_text.h"

namespace {
// ASCII only: the bytes of multi-byte characters stay as they are.
std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

void CutAt(std::string& text, size_t position) {
    if (position != std::string::npos) text.erase(position);
}
}  // namespace

std::optional<std::string> DrivePathCandidate(const std::string& data) {
    const std::string lower = LowerCase(data);
    const size_t colon = lower.find(":\\");
    if (colon == std::string::npos || colon == 0) return std::nullopt;
    const char letter = lower[colon - 1];
    if (letter < 'a' || letter > 'z') return std::nullopt;
    return lower.substr(colon - 1);
}

void CutDerivedPath(std::string& path) {
    CutAt(path, path.find(','));
    CutAt(path, path.rfind('%'));
    CutAt(path, path.rfind('"'));
    CutAt(path, path.rfind('/'));
    CutAt(path, path.rfind(';'));
}

bool IsClassesKeyName(const std::string& subKeyName) {
    return LowerCase(subKeyName).find("classes") != std::string::npos;
}

WalkPathParts SplitWalkPath(const std::string& walkPath) {
    const size_t separator = walkPath.find('\\');
    std::string keyPath;
    if (separator != std::string::npos) {
        const size_t keyStart = walkPath.find_first_not_of('\\', separator);
        if (keyStart != std::string::npos) keyPath = walkPath.substr(keyStart);
    }
    return {RootKeyFromName(walkPath.substr(0, separator)), keyPath};
}
