#pragma once
// The second half of the COM section: the registration sub-keys of every class below
// HKEY_CLASSES_ROOT\CLSID whose server file, program id or type library is gone.
#include "engine/scan_engine.h"

// Returns the engine's running flag (false after an abort; true, at once, when "CLSID" cannot
// be opened). No pause between classes.
bool ScanComClasses(ScanEngine& engine);
