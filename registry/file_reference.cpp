#include "registry/file_reference.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstring>

#include "registry/drive_types.h"
#include "registry/path_knowledge.h"
#include "registry/reference_text.h"

bool FoundOnSearchPath(const std::string& text) {
    if (text.size() > kMaxReferenceLength) return false;
    char buffer[MAX_PATH] = {};
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return PathFindOnPathA(buffer, nullptr) != FALSE;
}

namespace {
bool DriveIsFixed(const std::string& text) { return DriveTypeOfRoot(text.substr(0, 3)) == DRIVE_FIXED; }

// The file-system questions of one judgement, answered from the earlier answers of the same
// judgement where those decide them: every lookup of a missing name costs a server round trip
// under Wine, and a scan of the whole folder when the folder is large.
class Lookups {
public:
    // As PathFileExists does, but for this thread alone and once: no box asks for a missing disk.
    Lookups() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousErrorMode_); }
    Lookups(const Lookups&) = delete;
    Lookups& operator=(const Lookups&) = delete;
    ~Lookups() { SetThreadErrorMode(previousErrorMode_, nullptr); }

    // What PathFileExists sees; INVALID_FILE_ATTRIBUTES for a missing name or one beyond the buffers.
    DWORD Attributes(const std::string& path);
    bool Exists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

private:
    PathKnowledge known_;
    DWORD previousErrorMode_ = 0;
};

DWORD Lookups::Attributes(const std::string& path) {
    if (path.size() > kMaxReferenceLength || known_.IsKnownMissing(path)) return INVALID_FILE_ATTRIBUTES;
    if (known_.IsFolder(path) == true) return FILE_ATTRIBUTE_DIRECTORY;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const DWORD error = GetLastError();
    using Answer = PathKnowledge::Answer;
    known_.Learn(path, attributes != INVALID_FILE_ATTRIBUTES ? Answer::Found
                       : error == ERROR_FILE_NOT_FOUND       ? Answer::FileNotFound
                       : error == ERROR_PATH_NOT_FOUND       ? Answer::PathNotFound
                                                             : Answer::Other);
    return attributes;
}

bool CommandLineExistsWith(const std::string& text, Lookups& lookups) {
    if (text.find(',') != std::string::npos) return true;
    const std::string line = NormalizeCommandLine(text);
    // A line that grew past the buffers cannot be judged whole.
    if (line.size() > kMaxReferenceLength) return true;
    if (line.find(' ') == std::string::npos) return lookups.Exists(line) || FoundOnSearchPath(line);
    for (const std::string& prefix : PrefixesBeforeBlanks(line)) {
        const DWORD attributes = lookups.Attributes(prefix);
        // "C:\Games" says nothing about "C:\Games Old\x.exe".
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            CarriesOnFolderPath(line, prefix.size()))
            continue;
        if (attributes != INVALID_FILE_ATTRIBUTES || FoundOnSearchPath(prefix)) return true;
    }
    return lookups.Exists(line);
}

// A bare file name that a 32-bit program finds in its system folder, SysWOW64.
bool InThirtyTwoBitSystemFolder(const std::string& name, Lookups& lookups) {
    if (name.find_first_of("\\/: ") != std::string::npos) return false;
    char folder[kReferenceBufferSize] = {};
    const UINT length = GetSystemWow64DirectoryA(folder, sizeof(folder));
    return length > 0 && length < sizeof(folder) && lookups.Exists(std::string(folder, length) + "\\" + name);
}

// Expands the text as the program of the view would; false when it does not fit the buffers.
bool ExpandAsWritten(const std::string& text, RegistryView view, std::string& expanded) {
    const std::string meant = view == RegistryView::Bits32 ? WithThirtyTwoBitFolderNames(text) : text;
    char buffer[kReferenceBufferSize] = {};
    const DWORD needed = ExpandEnvironmentStringsA(meant.c_str(), buffer, sizeof(buffer));
    if (needed == 0 || needed > sizeof(buffer)) return false;
    expanded = view == RegistryView::Bits32 ? SysnativeAsSystem32(buffer) : std::string(buffer);
    return expanded.size() <= kMaxReferenceLength;
}

bool FileReferenceExistsWith(const std::string& text, RegistryView view, Lookups& lookups) {
    std::string expanded;
    if (!ExpandAsWritten(text, view, expanded)) return true;
    const bool thirtyTwoBit = view == RegistryView::Bits32;
    std::string working = expanded;

    if (working.size() < 3) return false;
    if (working[1] == ':' && !DriveIsFixed(working)) return true;
    CollapseDotSegments(working);
    if (IsUrlOrNetworkPath(working)) return true;
    if (NamesSystemHelper(working)) return true;
    if (CommandLineExistsWith(working, lookups)) return true;

    const std::string saved = working;
    std::string shortened = saved;
    if (DropTrailingNameOrBackslash(shortened) && CommandLineExistsWith(shortened, lookups)) return true;

    std::string parent;
    if (ParentFolderOf(saved, parent)) {
        // One look answers both questions about the parent: a folder, or a file.
        const DWORD attributes = lookups.Attributes(parent);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            // The folder is there and the file is not.
            if (!thirtyTwoBit) return false;
        } else if (attributes != INVALID_FILE_ATTRIBUTES || FoundOnSearchPath(expanded)) {
            // The part before the last backslash may itself be a file: an executable whose
            // argument contains a backslash.
            return true;
        }
    }
    return thirtyTwoBit &&
           (CommandLineExistsWith(RedirectSystem32(saved), lookups) || InThirtyTwoBitSystemFolder(saved, lookups));
}
}  // namespace

bool PathExists(const std::string& path) {
    return path.size() <= kMaxReferenceLength && PathFileExistsA(path.c_str()) != FALSE;
}

bool PathExistsInView(const std::string& path, RegistryView view) {
    if (view == RegistryView::Bits64) return PathExists(path);
    const std::string meant = SysnativeAsSystem32(path);
    if (PathExists(meant)) return true;
    const std::string redirected = RedirectSystem32(meant);
    return redirected != meant && PathExists(redirected);
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

bool ExpandEnvironmentInPlace(std::string& text, RegistryView view) {
    if (text.size() > kMaxReferenceLength) return false;
    std::string expanded;
    if (!ExpandAsWritten(text, view, expanded)) return false;
    text = std::move(expanded);
    return true;
}

bool CommandLineExists(const std::string& text) {
    Lookups lookups;
    return CommandLineExistsWith(text, lookups);
}

bool FileReferenceExists(const std::string& text, RegistryView view) {
    Lookups lookups;
    return FileReferenceExistsWith(text, view, lookups);
}

bool FileOrFolderExists(const std::string& text, RegistryView view) {
    Lookups lookups;
    return FileReferenceExistsWith(text, view, lookups) || lookups.Exists(text);
}
