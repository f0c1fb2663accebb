#pragma once
// The shortcut scan: walks every folder of the fixed disks, opens each small ".lnk" file through
// the shell and reports the shortcut when its target is gone. Returns the engine's running flag
// (false after an abort). COM must be initialised on the calling thread.
#include <string>

#include "engine/scan_engine.h"

// driveLetters chooses the fixed disks to walk ("CE"); empty walks every fixed disk. Other drive
// types are never walked, chosen or not.
bool ScanShortcuts(ScanEngine& engine, const std::string& driveLetters);

// The walk of one folder and everything below it; false when it stopped early (an abort, or a file
// whose path ends the walk of its folder).
bool WalkShortcutFolder(ScanEngine& engine, const std::string& folder);
