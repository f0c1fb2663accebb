#pragma once
// The text rules of the full registry scan: where a string value names a path on a drive, how
// that path is cut out of it, which keys are never entered, and how a walk path becomes the
// root key and key path of a problem.
#include <optional>
#include <string>

#include "registry/root_keys.h"

// The lower-case text from the drive letter of the first ":\" to the end; none when there is no
// ":\" or the character before the first one is not a letter a to z.
std::optional<std::string> DrivePathCandidate(const std::string& data);

// Cuts the (expanded) candidate at its first ",", then at its last "%", double quote, "/" and ";":
// resource numbers, arguments and lists that follow the path go.
void CutDerivedPath(std::string& path);

// Keys named "...classes..." in any letter case hold the class registrations, which other
// sections judge: the walk never enters them.
bool IsClassesKeyName(const std::string& subKeyName);

struct WalkPathParts {
    RootKeyValue root;
    std::string keyPath;
};

// "HKEY_LOCAL_MACHINE\Software\X" gives the root HKEY_LOCAL_MACHINE and "Software\X"; a path
// without "\" is a root alone, with an empty key path.
WalkPathParts SplitWalkPath(const std::string& walkPath);
