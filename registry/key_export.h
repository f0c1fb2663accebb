#pragma once
// Saves a registry key with its whole sub-tree as a registry editor document, in-process:
// every value with its exact type and bytes (read through the UTF-16 functions, which hand
// string data over untouched).
#include <string>

#include "base/unique_handles.h"
#include "registry/reg_file.h"
#include "registry/root_keys.h"

struct KeyExport {
    enum class Status { Saved, Gone, Failed };
    Status status = Status::Failed;
    RegFileDocument document;  // complete when Saved
    std::string error;         // when Failed: which key and why
    long errorCode = 0;        // when Failed: the Windows error code
    // The exported key itself, still open with the right to delete it, when it was asked for and
    // the key has no sub-keys: deleting through it deletes exactly the key that was saved.
    UniqueHkey heldKey;
};

// keyPath is below the root, in the program's code page; Gone when the key does not exist.
KeyExport ExportKey(RootKeyValue root, const std::string& keyPath, bool holdForDeletion = false);
// The same through the key itself, already open for reading (a deleted key fails with
// ERROR_KEY_DELETED); root and keyPath name it in the document.
KeyExport ExportOpenKey(HKEY key, RootKeyValue root, const std::string& keyPath);

// The full name a registry editor file gives a root ("HKEY_LOCAL_MACHINE"); empty when none.
std::u16string RegFileRootName(RootKeyValue root);
