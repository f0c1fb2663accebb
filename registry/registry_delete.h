#pragma once
// Deletion of registry keys and values for the problem removal, with one retry after
// granting the current user full control of the key's sub-tree.
#include <windows.h>

#include <string>

#include "base/unique_handles.h"

// Deletes the key and its whole sub-tree bottom-up; a Windows error code (0 = success).
LONG DeleteKeyTree(HKEY parent, const char* name);

// Both return 1 on success and 0 on failure.
int DeleteRegKey(HKEY root, const std::string& keyPath);
int DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName);

// The same deletions, with the Windows error code of the last attempt (0 = success), so a
// caller can tell a key that is already gone from one it may not delete.
LONG RemoveRegKey(HKEY root, const std::string& keyPath);
LONG RemoveRegValue(HKEY root, const std::string& keyPath, const std::string& valueName);

// The user SID of the current process in a heap block of its own; empty on failure.
UniqueHeapBlock GetCurrentUserSid();

// Puts an ACE granting the SID full control in front of the DACL of the key and, when
// recursive, of every key below it, top-down. Owner, group and SACL stay as they are.
bool ResetKeyTreeAccess(HKEY parent, const char* keyPath, PSID sid, bool recursive);
