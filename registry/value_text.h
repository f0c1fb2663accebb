#pragma once
// A text value read with query access only, for what is shown rather than changed: keys that
// refuse write access (protected class registrations) still show their values.
#include <windows.h>

#include <string>

// REG_SZ as stored, REG_EXPAND_SZ expanded, of any length; false (text unchanged) for a missing
// key or value, another type, or a failed read.
bool ReadValueText(HKEY root, const std::string& keyPath, const char* valueName, std::string& text);
