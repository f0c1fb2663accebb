#pragma once
// Whether COM classes, type libraries and program ids are still registered.
#include <string>

// The id with or without braces, looked up below HKEY_CLASSES_ROOT\CLSID. Both tests count a
// key that refuses access as registered (see RegKeyExists).
bool ClassIdExists(const std::string& classId);

bool TypeLibExists(const std::string& typeLibId);

// Registered as given, or without its version digits, or naming an existing file; wow64 as for
// FileReferenceExists.
bool ProgIdIsValid(const std::string& progId, bool wow64);
