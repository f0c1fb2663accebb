#pragma once
// Reads "Config.ini" the way the restore always has: lines up to each line feed (a CR before it
// dropped), records recognised by their TYPE line in any letter case, lines of other types
// skipped, a record cut by the end of the file reported. The extra RAW and STAGED lines are
// taken by the record they follow.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The value of a record line: what follows the key and one more character, up to the line's
// last "]"; the whole line when the key does not occur; up to the line's end (trailing carriage
// returns dropped) when no "]" follows.
std::string RecordValue(std::string_view line, std::string_view key);

struct DescriptorRecord {
    enum class Kind { Key, Value, File };
    Kind kind = Kind::Key;
    std::string name;       // Key: NAME
    std::string path;       // Key: PATH; File: DEST_PATH
    std::string mainKey;    // Value: MAIN_KEY
    std::string valueName;  // Value: VALUE_NAME
    std::string value;      // Value: VALUE
    bool hasRaw = false;    // Value: a RAW line follows
    bool rawValid = false;  // the RAW line's type and hex read cleanly
    uint32_t rawType = 0;
    std::vector<uint8_t> rawData;
    std::string stagedName;  // File: the STAGED entry name, empty for the bare name
};

struct Descriptor {
    std::vector<DescriptorRecord> records;
    bool truncated = false;  // the file ended inside a record
};

Descriptor ReadDescriptor(std::string_view text);
