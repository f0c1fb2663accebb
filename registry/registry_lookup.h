#pragma once
// Small registry tests the scanners share: a string value read and a key-exists test.
#include <windows.h>

#include <string>

// The value's text (type not checked) read with KEY_READ into a 255-byte buffer; empty for a
// missing key, a missing value and a value that does not fit.
std::string ReadRegString(HKEY root, const std::string& keyPath, const std::string& valueName);

// Opens for reading. A key that refuses access exists all the same: on current Windows many
// registrations belong to a service account and refuse even administrators write access.
bool RegKeyExists(HKEY root, const std::string& keyPath);

// Told when a key read by ReadRegString cannot be closed; the layer that owns windows shows
// the user "Error in RegCloseKey.". Null (the default) tells nobody.
using KeyCloseFailureHandler = void (*)();
void SetKeyCloseFailureHandler(KeyCloseFailureHandler handler);
