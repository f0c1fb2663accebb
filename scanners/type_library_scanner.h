#pragma once
// The first half of the COM section: every "win32", "win16" and "HELPDIR" key below
// HKEY_CLASSES_ROOT\TypeLib, at any depth, whose library file or help folder is gone.
#include "engine/scan_engine.h"

// Returns the engine's running flag (false after an abort; true, at once, when "TypeLib"
// cannot be opened).
bool ScanTypeLibraries(ScanEngine& engine);
