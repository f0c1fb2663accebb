#pragma once
// The full registry scan: walks whole key trees depth-first (sub-keys before the key's own
// values, indices ascending) and reports every REG_SZ value whose path on a fixed drive names
// nothing that exists. Each walk returns the engine's running flag (false after an abort).
#include <windows.h>

#include <string>

#include "engine/scan_engine.h"

// Shown once for every level of a walk that a fault ended; the walk goes on with the parent.
inline constexpr const char* kWalkFaultText = "Internal Windows Error, Please restart";

// Walks the open key, whose walk path is its root's full name and the sub-key path below it
// ("HKEY_CURRENT_USER\Software\X"); the key is not closed.
bool WalkRegistryKey(ScanEngine& engine, HKEY key, const std::string& walkPath);

bool WalkLocalMachine(ScanEngine& engine);
bool WalkCurrentUser(ScanEngine& engine);
bool WalkUsers(ScanEngine& engine);
