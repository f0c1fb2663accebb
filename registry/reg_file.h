#pragma once
// A registry editor file as data: keys in file order, each with its values' names, types and
// bytes exactly as the registry holds them. Names are UTF-16 code units, so any name the
// registry can hold round-trips, paired surrogates or not.
#include <cstdint>
#include <string>
#include <vector>

struct RegFileValue {
    std::u16string name;  // empty: the key's default value ("@")
    uint32_t type = 0;
    std::vector<uint8_t> data;
    bool remove = false;  // "name"=- asks to delete the value

    bool operator==(const RegFileValue&) const = default;
};

struct RegFileKey {
    std::u16string path;  // the root's full name, then "\" and the sub-key path
    bool remove = false;  // [-path] asks to delete the key with its sub-tree
    std::vector<RegFileValue> values;

    bool operator==(const RegFileKey&) const = default;
};

struct RegFileDocument {
    std::vector<RegFileKey> keys;

    bool operator==(const RegFileDocument&) const = default;
    bool AsksToDelete() const;
};

inline constexpr const char16_t* kRegFileHeader = u"Windows Registry Editor Version 5.00";
inline constexpr const char16_t* kRegFileHeader4 = u"REGEDIT4";
