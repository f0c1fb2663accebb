#pragma once
// The usage-history part of the full registry scan: entries of the current user's Explorer
// usage-history lists (the launch counters under "UserAssist") whose program file is gone.
#include "engine/scan_engine.h"

inline constexpr const char* kUserAssistKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist";

// Shows no status line and pumps no messages: it sees only an abort that came before it.
void ScanUsageHistory(ScanEngine& engine);
