#pragma once
// Deletion of registry keys and values for the problem removal, with one retry after
// granting the current user full control of the key's sub-tree.
#include <windows.h>

#include <string>

#include "base/unique_handles.h"

// Deletes the key and its whole sub-tree bottom-up; the Windows error code of the last attempt
// (0 = success), so a caller can tell a key that is already gone from one it may not delete.
// An empty path is refused: it would name the root and empty a whole hive.
LONG RemoveRegKey(HKEY root, const std::string& keyPath);

// Deletes a key without sub-keys through a handle held since it was saved (opened with DELETE),
// so a key created anew under the same name meanwhile is left alone (ERROR_FILE_NOT_FOUND).
// Without a handle, or when that deletion is refused, the key is removed as RemoveRegKey does.
LONG RemoveHeldKey(UniqueHkey heldKey, HKEY root, const std::string& keyPath);

// Deletes a value through its key's handle held since the value was saved (opened to set values);
// a value whose key was deleted meanwhile is gone (ERROR_FILE_NOT_FOUND). Without a handle, or
// when that deletion is refused, the value is removed as RemoveRegValue does.
LONG RemoveHeldValue(HKEY heldKey, HKEY root, const std::string& keyPath, const std::string& valueName);
// Deletes one value (the default value for an empty name); the Windows error code as above.
LONG RemoveRegValue(HKEY root, const std::string& keyPath, const std::string& valueName);

// The user SID of the current process in a heap block of its own; empty on failure.
UniqueHeapBlock GetCurrentUserSid();

// Puts an ACE granting the SID full control in front of the DACL of the key and, when
// recursive, of every key below it, top-down. Owner, group and SACL stay as they are.
bool ResetKeyTreeAccess(HKEY parent, const char* keyPath, PSID sid, bool recursive);
