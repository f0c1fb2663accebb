#include "scanners/type_library_scanner.h"

#include <algorithm>
#include <vector>

#include "base/ascii_case.h"
#include "base/text_format.h"
#include "engine/section_table.h"
#include "registry/file_reference.h"
#include "registry/registry_lookup.h"
#include "scanners/list_paths.h"
#include "scanners/scan_key.h"

namespace {
constexpr const char* kTypeLibKey = "TypeLib";
// The registry's own nesting limit. A link that leads back up the tree would otherwise make
// the walk endless; keys deeper than this are passed over.
constexpr size_t kMaxDepth = 512;

enum class TypeLibKey { LibraryFile, HelpFolder, Other };

// Judged by the key's own name, wherever it stands. A "win32" (or 16-bit "win16") file is found
// where 32-bit programs find theirs: their "system32" is SysWOW64.
TypeLibKey KindOf(const std::string& name) {
    if (EqualsIgnoringAsciiCase(name, "win32") || EqualsIgnoringAsciiCase(name, "win16"))
        return TypeLibKey::LibraryFile;
    if (EqualsIgnoringAsciiCase(name, "helpdir")) return TypeLibKey::HelpFolder;
    return TypeLibKey::Other;
}

void ReportKey(ScanEngine& engine, const std::string& keyPath, const std::string& data,
               const std::string& description) {
    ReportRegistryProblem(engine,
                          {kComSection, kClassesRoot, keyPath, std::string(), data, RemovalScope::Key, description});
}

void ShowKey(ScanEngine& engine, const std::string& keyPath) {
    engine.ShowItem("HKEY_CLASSES_ROOT\\" + keyPath);
    engine.Pump();
}

// Keys are opened and read below their parent's handle: at depths the walk still reaches, a
// path from the root may be too long for the registry's text functions.
struct WalkedKey {
    HKEY parent;
    const std::string& name;
    const std::string& path;  // below HKEY_CLASSES_ROOT, for records and the status line
};

// A default value that cannot be read (refused, or longer than the buffer) is not judged.
void JudgeLibraryFile(ScanEngine& engine, const WalkedKey& key) {
    constexpr RegistryView view = RegistryView::Bits32;
    const ScanKey library(key.parent, key.name);
    std::string file;
    if (!library.IsOpen() || !ReadValueText(library.Get(), "", kValueDataCapacity, file)) return;
    ExpandEnvironmentInPlace(file, view);
    if (!FileReferenceExists(file, view)) ReportKey(engine, key.path, file, MissingFileDescription(file));
    ShowKey(engine, key.path);
}

void JudgeHelpFolder(ScanEngine& engine, const WalkedKey& key) {
    constexpr RegistryView view = RegistryView::Bits64;
    std::string folder = ReadRegString(key.parent, key.name, "");
    ExpandEnvironmentInPlace(folder);
    if (folder.empty()) return;
    if (folder.back() == '\\') {
        folder.pop_back();
        if (FileReferenceExists(folder, view)) return;
        if (!FolderExists(folder)) ReportKey(engine, key.path, folder, MissingFileDescription(folder));
    } else if (!FileReferenceExists(folder, view)) {
        folder.erase(std::remove(folder.begin(), folder.end(), '"'), folder.end());
        if (!FolderExists(folder)) {
            ReportKey(engine, key.path, folder, Format("The Directory Path (%s) is Invalid.", folder.c_str()));
        }
    }
    ShowKey(engine, key.path);
}

// One open key of the walk and where its enumeration stands.
struct Level {
    ScanKey key;
    std::string path;
    DWORD count;
    DWORD next = 0;
};

// Judges the key when its name says so; otherwise opens it for the walk to descend.
// False when the key is not descended (judged, or not opened with full access).
bool VisitKey(ScanEngine& engine, const WalkedKey& key, std::vector<Level>& levels) {
    switch (KindOf(key.name)) {
        case TypeLibKey::LibraryFile: JudgeLibraryFile(engine, key); return false;
        case TypeLibKey::HelpFolder: JudgeHelpFolder(engine, key); return false;
        case TypeLibKey::Other: break;
    }
    if (levels.size() >= kMaxDepth) return false;
    ScanKey child(key.parent, key.name);
    if (!child.IsOpen()) return false;
    const DWORD count = child.SubKeyCount();
    levels.push_back({std::move(child), key.path, count});
    return true;
}

// Walks every key from the library's key down, depth first in index order, with a stack of its
// own so that no nesting can exhaust the thread's stack. Each sub-key count is read once, when
// its key is opened. Returns false when the scan was aborted.
bool WalkLibrary(ScanEngine& engine, const WalkedKey& library) {
    std::vector<Level> levels;
    if (!VisitKey(engine, library, levels)) return engine.Running();
    std::string name;
    while (!levels.empty()) {
        if (!engine.Running()) return false;
        Level& level = levels.back();
        if (level.next >= level.count) {
            levels.pop_back();
            continue;
        }
        if (!level.key.SubKeyName(level.next++, name)) continue;
        const std::string path = level.path + "\\" + name;
        VisitKey(engine, {level.key.Get(), name, path}, levels);
    }
    return engine.Running();
}
}  // namespace

bool ScanTypeLibraries(ScanEngine& engine) {
    const ScanKey typeLibs = OpenStartingKey(engine, kComSection, HKEY_CLASSES_ROOT, kTypeLibKey);
    if (!typeLibs.IsOpen()) return engine.Running();
    const DWORD count = typeLibs.SubKeyCount();
    std::string id;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (!typeLibs.SubKeyName(index, id)) continue;
        const std::string libraryPath = std::string(kTypeLibKey) + "\\" + id;
        if (!WalkLibrary(engine, {typeLibs.Get(), id, libraryPath})) return engine.Running();
    }
    return engine.Running();
}
