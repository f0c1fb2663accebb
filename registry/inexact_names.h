#pragma once
// Names read through the program's code page: a key or value name that has no exact spelling
// there reads with substitutes ("?", or U+FFFD under UTF-8), and that text opens nothing. Such
// an entry is still there although every attempt to open it by its text says "not found".
#include <string>
#include <string_view>

#include "registry/root_keys.h"

// Whether the text holds a character the code page puts for one it cannot spell.
bool HasSubstitutedCharacters(std::string_view name);

// Whether a key (with valueName: a value of it) exists whose names the code page spells as the
// key path's names and the value name, asked of an entry its text did not find. Only names
// holding a substitute are looked for among their siblings, every other name must open as it
// is; a text without substitutes is its entry's own name, so the answer is then false.
bool ExistsAsSpelled(RootKeyValue root, const std::string& keyPath, const std::string* valueName);
