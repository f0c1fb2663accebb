#pragma once
// The scans of the installed services, the static drivers and the installed-programs list.
// Each walks the sub-keys of its key under HKEY_LOCAL_MACHINE, reports every entry whose
// program or driver file is gone, and returns the engine's running flag (false after an abort;
// true, at once, when its key cannot be opened).
#include "engine/scan_engine.h"
#include "engine/tool_list_keys.h"

inline constexpr const char* kServicesKey = "SYSTEM\\CurrentControlSet\\Services";
inline constexpr const char* kStaticDriversKey = "SYSTEM\\CurrentControlSet\\Services\\VXD";

bool ScanServices(ScanEngine& engine);
bool ScanStaticDrivers(ScanEngine& engine);
bool ScanUninstallEntries(ScanEngine& engine);
