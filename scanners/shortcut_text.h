#pragma once
// The text rules of the shortcut scan: which drives and files it looks at, where it stops, and
// how it describes a shortcut whose target is gone.
#include <cstdint>
#include <string>
#include <vector>

// The roots that GetLogicalDriveStrings wrote: every four bytes one "X:\" and its zero.
std::vector<std::string> DriveRoots(const char* buffer, size_t length);

// Whether the root's drive letter is among the chosen letters (any letter case); no letters
// choose every drive.
bool DriveChosen(const std::string& root, const std::string& letters);

// Only small files whose name ends in ".lnk" (exact case) are opened as shortcuts.
bool IsShortcutToOpen(const std::string& path, uint64_t size);

// A file whose path holds "NetHood" or "VeloraTemp" (exact case) ends the walk of its folder:
// the network places and the backup's staging folder are not scanned.
bool EndsFolderWalk(const std::string& filePath);

// "The Target File (%s) cannot be found at the specified location" for a target with ":",
// "The CLSID (%s) is Invalid." for any other.
std::string ShortcutProblemDescription(const std::string& target);

// What the user is told about the disks that are the whole Unix file system under Wine, which
// the shortcut scan leaves out unless they are asked for by name: one line per letter, with how
// to name one (the console's --drives) when there is a way.
std::string UnixRootDrivesNote(const std::string& letters, const char* howToName);
