#include "registry/file_reference.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstring>

#include "registry/drive_type_cache.h"
#include "registry/reference_text.h"

namespace {
// The search path: the system folder, the Windows folder and the folders of PATH.
bool FoundOnSearchPath(const std::string& text) {
    if (text.size() > kMaxReferenceLength) return false;
    char buffer[MAX_PATH] = {};
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return PathFindOnPathA(buffer, nullptr) != FALSE;
}

bool DriveIsFixed(const std::string& text) {
    const std::string root = text.substr(0, 3);
    return DriveTypeOf(root.c_str()) == DRIVE_FIXED;
}
}  // namespace

bool PathExists(const std::string& path) {
    return path.size() <= kMaxReferenceLength && PathFileExistsA(path.c_str()) != FALSE;
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string WindowsFolder() {
    char buffer[kReferenceBufferSize] = {};
    const UINT length = GetWindowsDirectoryA(buffer, sizeof(buffer));
    if (length == 0 || length >= sizeof(buffer)) return std::string();
    return std::string(buffer, length);
}

bool ExpandEnvironmentInPlace(std::string& text) {
    if (text.size() > kMaxReferenceLength) return false;
    char expanded[kReferenceBufferSize] = {};
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), expanded, sizeof(expanded));
    if (needed == 0 || needed > sizeof(expanded)) return false;
    text = expanded;
    return true;
}

bool CommandLineExists(const std::string& text) {
    if (text.find(',') != std::string::npos) return true;
    const std::string line = NormalizeCommandLine(text);
    // A line that grew past the buffers cannot be judged whole.
    if (line.size() > kMaxReferenceLength) return true;
    if (line.find(' ') == std::string::npos) return PathExists(line) || FoundOnSearchPath(line);
    for (const std::string& prefix : PrefixesBeforeBlanks(line)) {
        if (FoundOnSearchPath(prefix) || PathExists(prefix)) return true;
    }
    return PathExists(line);
}

bool FileReferenceExists(const std::string& text, bool wow64) {
    char expanded[kReferenceBufferSize] = {};
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), expanded, sizeof(expanded));
    if (needed == 0 || needed > sizeof(expanded)) return true;
    std::string working = expanded;

    if (working.size() < 3) return false;
    if (working[1] == ':' && !DriveIsFixed(working)) return true;
    CollapseDotSegments(working);
    if (IsUrlOrNetworkPath(working)) return true;
    if (NamesSystemHelper(working)) return true;
    if (CommandLineExists(working)) return true;

    const std::string saved = working;
    std::string shortened = saved;
    if (DropTrailingNameOrBackslash(shortened) && CommandLineExists(shortened)) return true;

    std::string parent;
    if (ParentFolderOf(saved, parent)) {
        // One look answers both questions about the parent: a folder, or a file.
        const DWORD attributes =
            parent.size() <= kMaxReferenceLength ? GetFileAttributesA(parent.c_str()) : INVALID_FILE_ATTRIBUTES;
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            // The folder is there and the file is not.
            if (!wow64) return false;
        } else if (attributes != INVALID_FILE_ATTRIBUTES || FoundOnSearchPath(expanded)) {
            // The part before the last backslash may itself be a file: an executable whose
            // argument contains a backslash.
            return true;
        }
    }
    return wow64 && CommandLineExists(RedirectSystem32(saved));
}

bool FileOrFolderExists(const std::string& text, bool wow64) {
    if (FileReferenceExists(text, wow64)) return true;
    return !JudgedAsItself(text) && PathExists(text);
}
