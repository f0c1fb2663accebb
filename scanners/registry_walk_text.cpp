#include "scanners/registry_walk_text.h"

#include "base/ascii_case.h"

namespace {
void CutAt(std::string& text, size_t position) {
    if (position != std::string::npos) text.erase(position);
}
}  // namespace

std::optional<std::string> DrivePathCandidate(const std::string& data) {
    // Lowering leaves ":" and "\\" as they are: the search runs on the data, and only the path
    // found is copied and lowered (most string values hold none).
    const size_t colon = data.find(":\\");
    if (colon == std::string::npos || colon == 0) return std::nullopt;
    const char letter = AsciiLower(data[colon - 1]);
    if (letter < 'a' || letter > 'z') return std::nullopt;
    return LowerAscii(data.substr(colon - 1));
}

void CutDerivedPath(std::string& path) {
    CutAt(path, path.find(','));
    CutAt(path, path.rfind('%'));
    CutAt(path, path.rfind('"'));
    CutAt(path, path.rfind('/'));
    CutAt(path, path.rfind(';'));
}

bool IsClassesKeyName(const std::string& subKeyName) { return ContainsIgnoringAsciiCase(subKeyName, "classes"); }

WalkPathParts SplitWalkPath(const std::string& walkPath) {
    const size_t separator = walkPath.find('\\');
    std::string keyPath;
    if (separator != std::string::npos) {
        const size_t keyStart = walkPath.find_first_not_of('\\', separator);
        if (keyStart != std::string::npos) keyPath = walkPath.substr(keyStart);
    }
    return {RootKeyFromName(walkPath.substr(0, separator)), keyPath};
}
