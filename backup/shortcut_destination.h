#pragma once
// Where a restore may put a file back: only a shortcut file on a fixed disk, outside the Windows
// folder, as the system resolves the path (links, junctions and short names followed).
#include <string>

// Why the file may not be written to path; empty when it may.
std::string ShortcutDestinationRefusal(const std::string& path);
