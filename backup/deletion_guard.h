#pragma once
// Which keys a removal may delete. Deleting a key takes its whole sub-tree with it, so a key is
// deleted only when it lies strictly below the list key its section scans, and never when it is
// a list key or holds one, whatever a problem record says.
#include <string>
#include <vector>

#include "engine/problem_record.h"
#include "registry/root_keys.h"

struct ListKey {
    SectionId section;
    RootKeyValue root;
    std::string path;            // below the root
    bool extensionKeys = false;  // instead: a key directly below the root whose name begins with "."
};

// The list keys of the sections whose problems are whole keys, as their descriptors give them.
const std::vector<ListKey>& SectionListKeys();

bool KeyDeletionAllowed(const std::vector<ListKey>& listKeys, SectionId section, RootKeyValue root,
                        const std::string& keyPath);
// Whether any of the sections may delete the key: what a restore may bring back as a key.
bool KeyDeletionAllowedForSomeSection(const std::vector<ListKey>& listKeys, RootKeyValue root,
                                      const std::string& keyPath);

// The path's key names; empty when any of them is empty (a doubled, leading or trailing "\").
std::vector<std::string> KeyNames(const std::string& path);
// Whether the first names of path are exactly prefix, letters compared as the registry compares ASCII.
bool StartsWithNames(const std::vector<std::string>& path, const std::vector<std::string>& prefix);
