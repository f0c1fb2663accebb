#pragma once
// Where one key of the registry lies in each view. Windows keeps its own copy of some keys for
// 32-bit programs (the installed programs, shared files, help files, the machine's log-on list,
// COM classes) and shares the others between both views.
#include <windows.h>

#include <string>
#include <vector>

#include "registry/registry_view.h"

struct ViewKey {
    RegistryView view;
    std::string path;     // below the same root: where the key really is
    bool shared = false;  // the one key of both views
};

// The 64-bit key first, then the 32-bit programs' key where Windows keeps one of its own; a key
// shared by both views appears once, and a view where the key does not exist not at all.
std::vector<ViewKey> KeyInBothViews(HKEY root, const std::string& path);

// "64-bit", "32-bit", or "Both" for a shared key: how the tool dialogs say where a row comes from.
const char* ViewCaption(const ViewKey& key);

// Whether the sub-key is a registry link (as the 32-bit view's copies of shared keys are): a walk
// that entered it would see the linked key's entries a second time, under another name.
bool IsRegistryLink(HKEY parent, const std::string& name);
