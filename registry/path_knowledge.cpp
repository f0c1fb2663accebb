#include "registry/path_knowledge.h"

#include <algorithm>

namespace {
bool IsBelow(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path[folder.size()] == '\\' && path.compare(0, folder.size(), folder) == 0;
}

// The folder that holds the path's last name: "C:\a\b" for "C:\a\b\c", "C:" for "C:\a".
std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }
}  // namespace

bool IsPlainPath(const std::string& path) {
    const char drive = static_cast<char>(path.empty() ? 0 : path[0] | 0x20);
    if (path.size() < 4 || drive < 'a' || drive > 'z' || path[1] != ':' || path[2] != '\\') return false;
    size_t start = 3;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end == start || path[end - 1] == '.' || path[end - 1] == ' ') return false;
        start = end + 1;
    }
    return path.find_first_of("/:*?\"<>|", 2) == std::string::npos;
}

void PathKnowledge::Learn(const std::string& path, Answer answer) {
    if (!IsPlainPath(path)) return;
    switch (answer) {
        case Answer::Found: folders_.push_back(FolderOf(path)); break;
        case Answer::FileNotFound:
            folders_.push_back(FolderOf(path));
            missing_.push_back(path);
            break;
        case Answer::PathNotFound:
            notFolders_.push_back(FolderOf(path));
            missing_.push_back(path);
            break;
        case Answer::Other: break;
    }
}

std::optional<bool> PathKnowledge::IsFolder(const std::string& path) const {
    if (!IsPlainPath(path)) return std::nullopt;
    const auto holds = [&](const std::string& folder) { return folder == path || IsBelow(folder, path); };
    if (std::any_of(folders_.begin(), folders_.end(), holds)) return true;
    const auto refuses = [&](const std::string& folder) { return folder == path || IsBelow(path, folder); };
    if (std::any_of(notFolders_.begin(), notFolders_.end(), refuses)) return false;
    return std::nullopt;
}

bool PathKnowledge::IsKnownMissing(const std::string& path) const {
    if (!IsPlainPath(path)) return false;
    return std::find(missing_.begin(), missing_.end(), path) != missing_.end() ||
           std::any_of(notFolders_.begin(), notFolders_.end(),
                       [&](const std::string& folder) { return IsBelow(path, folder); });
}
