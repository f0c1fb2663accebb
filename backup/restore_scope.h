#pragma once
// Where a restore may write: only where this program's removals take things from, whatever an
// archive says. A key comes back only as a key one of the sections could have deleted (the
// deletion guard's rule run backwards) or as an entry of a tool's list; a value only into a key
// that a section or a tool takes values from; a file only as a shortcut on a fixed disk, outside
// the Windows folder.
#include <string>
#include <vector>

#include "backup/deletion_guard.h"
#include "registry/root_keys.h"

// A key whose direct sub-keys a tool deletes, one entry each.
struct ToolListKey {
    RootKeyValue root;
    std::string path;
};

// Keys whose values a section or tool removes: the key itself, where "*" stands for any one key
// name; with walked, also every key below it whose name holds no "classes", as the full
// registry scan walks them.
struct ValueArea {
    RootKeyValue root;
    std::string path;  // empty: the root itself
    bool walked = false;
};

struct RestoreScope {
    const std::vector<ListKey>* sectionListKeys = &SectionListKeys();
    std::vector<ToolListKey> toolListKeys;
    std::vector<ValueArea> valueAreas;
};

// The program's own sections and tools, in both registry views.
const RestoreScope& ProgramRestoreScope();

bool KeyRestoreAllowed(const RestoreScope& scope, RootKeyValue root, const std::string& keyPath);
// keyPath is the value's key below the root, empty for a value of the root itself.
bool ValueRestoreAllowed(const RestoreScope& scope, RootKeyValue root, const std::string& keyPath);

// Why a file record may not be written to path, by its text alone; empty when it may: a full
// path on a drive ("X:\..."), every name a plain file name (no ".", "..", stream, device name
// or wildcard), ending in ".lnk" in any letter case, not in windowsFolder or below it. Where the
// path really leads (the drive's type, links, short names) is the caller's to check.
std::string ShortcutPathRefusal(const std::string& path, const std::string& windowsFolder);
