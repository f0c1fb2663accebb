#include "backup/shortcut_destination.h"

#include <windows.h>

#include "backup/restore_scope.h"
#include "base/system_error_text.h"
#include "base/unique_handles.h"

namespace {
struct ResolvedPath {
    std::string path;
    std::string error;  // when there is no path
};

// The folder's path as the system resolves it, without the "\\?\" of a drive path.
ResolvedPath FinalFolderPath(const std::string& folder) {
    UniqueHandle handle(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return {{}, SystemErrorText(GetLastError())};
    char buffer[MAX_PATH * 4];
    const DWORD length =
        GetFinalPathNameByHandleA(handle.get(), buffer, sizeof(buffer), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= sizeof(buffer))
        return {{}, SystemErrorText(length == 0 ? GetLastError() : ERROR_BUFFER_OVERFLOW)};
    std::string path(buffer, length);
    if (path.rfind("\\\\?\\", 0) == 0 && path.size() > 6 && path[5] == ':') path.erase(0, 4);
    return {path, {}};
}

// The nearest folder of the path's that exists, and the part of the path after it.
std::string ExistingFolderOf(const std::string& path, std::string& rest) {
    std::string folder = path;
    for (;;) {
        const size_t slash = folder.find_last_of('\\');
        if (slash == std::string::npos) return {};
        rest = path.substr(slash);
        folder.erase(slash);
        const std::string probe = folder.size() == 2 ? folder + "\\" : folder;
        const DWORD attributes = GetFileAttributesA(probe.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return probe;
        if (folder.size() <= 2) return {};
    }
}

bool OnFixedDisk(const std::string& path) { return GetDriveTypeA(path.substr(0, 3).c_str()) == DRIVE_FIXED; }
}  // namespace

std::string ShortcutDestinationRefusal(const std::string& path) {
    char windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string windowsFolder = length > 0 && length < MAX_PATH ? windows : "";
    if (std::string refusal = ShortcutPathRefusal(path, windowsFolder); !refusal.empty()) return refusal;
    if (!OnFixedDisk(path)) return "not on a fixed disk";
    std::string rest;
    const std::string folder = ExistingFolderOf(path, rest);
    if (folder.empty()) return "its drive cannot be read";
    const ResolvedPath resolved = FinalFolderPath(folder), resolvedWindows = FinalFolderPath(windowsFolder);
    if (!resolved.error.empty() || !resolvedWindows.error.empty()) {
        return "where it leads cannot be told (" + resolved.error + resolvedWindows.error + ")";
    }
    const std::string real =
        (resolved.path.back() == '\\' ? resolved.path.substr(0, resolved.path.size() - 1) : resolved.path) + rest;
    if (std::string refusal = ShortcutPathRefusal(real, resolvedWindows.path); !refusal.empty()) {
        return "it leads to " + real + ": " + refusal;
    }
    if (!OnFixedDisk(real)) return "it leads to " + real + ", not on a fixed disk";
    return {};
}
