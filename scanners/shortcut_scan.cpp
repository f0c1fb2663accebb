#include "scanners/shortcut_scan.h"

#include <windows.h>

#include <memory>

#include "base/unique_handles.h"
#include "engine/section_table.h"
#include "registry/com_registration.h"
#include "registry/drive_types.h"
#include "registry/file_reference.h"
#include "scanners/shell_link_reader.h"
#include "scanners/shortcut_text.h"

namespace {
constexpr DWORD kDriveStringsCapacity = 500;

bool IsDotEntry(const char* name) { return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')); }

class ShortcutWalk {
public:
    explicit ShortcutWalk(ScanEngine& engine) : engine_(engine) {}

    // False when the walk of this folder stopped early: an abort, or a file that ends it.
    bool WalkFolder(std::string folder);

private:
    void ExamineShortcut(const std::string& linkPath);

    ScanEngine& engine_;
};

bool ShortcutWalk::WalkFolder(std::string folder) {
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    WIN32_FIND_DATAA entry;
    const UniqueFindHandle search(FindFirstFileA((folder + "\\*.*").c_str(), &entry));
    if (!search) return true;
    do {
        if (IsDotEntry(entry.cFileName)) continue;
        if (!engine_.Running()) return false;
        const std::string path = folder + "\\" + entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            // Junctions and symbolic links lead back into the tree or out of the disk.
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) WalkFolder(path);
            engine_.Pump();
            continue;
        }
        if (EndsFolderWalk(path)) return false;
        const uint64_t size = (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        if (IsShortcutToOpen(path, size)) ExamineShortcut(path);
        engine_.ShowItem(path);
        engine_.Pump();
    } while (FindNextFileA(search.get(), &entry));
    return true;
}

void ShortcutWalk::ExamineShortcut(const std::string& linkPath) {
    ShortcutContents contents;
    ReadShortcut(linkPath, nullptr, contents);
    const std::string& target = contents.target;
    if (target.empty() || FileOrFolderExists(target, RegistryView::Bits64) || ClassIdExists(target)) return;
    engine_.Report(MakeProblem(kShortcutsSection, ShortcutProblemDescription(target), FileProblem{linkPath, target}));
}
}  // namespace

bool ScanShortcuts(ScanEngine& engine, const std::string& driveLetters) {
    char buffer[kDriveStringsCapacity] = {};
    const DWORD length = GetLogicalDriveStringsA(kDriveStringsCapacity, buffer);
    const std::vector<std::string> roots =
        length <= kDriveStringsCapacity ? DriveRoots(buffer, length) : std::vector<std::string>();
    // A disk that is the whole Unix file system is walked only when it is asked for by name.
    const std::string unixRoots = driveLetters.empty() ? UnixRootDriveLetters() : std::string();
    ShortcutWalk walk(engine);
    for (const std::string& root : roots) {
        if (!engine.Running()) return false;
        const bool unixRoot = !unixRoots.empty() && DriveChosen(root, unixRoots);
        if (!DriveChosen(root, driveLetters) || unixRoot) continue;
        if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED) walk.WalkFolder(root);
    }
    return engine.Running();
}

bool WalkShortcutFolder(ScanEngine& engine, const std::string& folder) {
    return ShortcutWalk(engine).WalkFolder(folder);
}
