#pragma once
// The scans of the five sections that are plain registry lists of file references: installed
// fonts, sounds, help files, shared program files and application paths. Each walks its list
// key, reports every entry whose file is gone, and returns the engine's running flag (false
// after an abort; true, at once, when its key cannot be opened).
#include "engine/scan_engine.h"

inline constexpr const char* kFontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr const char* kSoundsKey = "Control Panel\\Sounds";
inline constexpr const char* kHelpFilesKey = "SOFTWARE\\Microsoft\\Windows\\Help";
inline constexpr const char* kSharedFilesKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
inline constexpr const char* kApplicationPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

bool ScanFonts(ScanEngine& engine);
bool ScanSounds(ScanEngine& engine);
bool ScanHelpFiles(ScanEngine& engine);
bool ScanSharedFiles(ScanEngine& engine);
bool ScanApplicationPaths(ScanEngine& engine);
