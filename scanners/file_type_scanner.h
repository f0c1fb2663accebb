#pragma once
// Stale file types: program ids and "Applications\<program>" registrations below the current
// user's and the machine's Software\Classes, in both views, whose verbs run programs that are
// gone. The smallest key that undoes a stale registration is reported: a program id or an
// application whose every verb is stale, otherwise each stale verb. Extension keys are never
// reported here, and a command that names no path of its own ("%1", a bare program name) or goes
// through a system helper is never judged.
#include "engine/scan_engine.h"

// Returns the engine's running flag.
bool ScanStaleFileTypes(ScanEngine& engine);
