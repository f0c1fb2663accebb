#pragma once
// The file associations section: the current user's open-with lists, whose entries name
// programs that must still be registered and present, and the file-extension keys under
// HKEY_CLASSES_ROOT, which must lead to a program id, a persistent handler or a shell
// registration.
#include <windows.h>

#include <string>

#include "engine/scan_engine.h"

inline constexpr const char* kFileExtsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

// Both return the engine's running flag (false after an abort; true, at once, when their
// starting key cannot be opened).
bool ScanOpenWithLists(ScanEngine& engine);
// The pause length is not used: extension keys follow each other without a pause.
bool ScanExtensions(ScanEngine& engine);

// Whether a program named in an open-with list is usable: registered under
// HKEY_CLASSES_ROOT\Applications with an open command whose file exists, or, registered
// without one, found on the search path.
bool ApplicationIsUsable(const std::string& program);

// Whether any sub-key of the key has a "ShellNew" sub-key (a new-file template). The walk stops
// when the scan is aborted.
bool HasShellNewRegistration(const ScanEngine& engine, HKEY root, const std::string& keyName);
