#pragma once
// Whether COM classes, type libraries and program ids are still registered.
#include <string>

#include "registry/registry_view.h"

// The id with or without braces, looked up below HKEY_CLASSES_ROOT\CLSID in either view (a
// class of 32-bit programs is registered below "Wow6432Node\CLSID"). Both tests count a key that
// refuses access as registered (see RegKeyExists).
bool ClassIdExists(const std::string& classId);

bool TypeLibExists(const std::string& typeLibId);

// Registered as given, or without its version digits, or naming an existing file; view as for
// FileReferenceExists.
bool ProgIdIsValid(const std::string& progId, RegistryView view);
