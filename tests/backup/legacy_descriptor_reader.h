#pragma once
// The descriptor reader as restores have always read "Config.ini", line by line with nothing
// added: the type word decides how many lines a record takes, and lines of any other type are
// skipped. It stands for every older copy of the program that may meet a newer archive.
#include <cctype>
#include <string>
#include <vector>

struct LegacyRecord {
    std::string type;                 // "REG_KEY", "REG_VALUE" or "FILE" as written
    std::vector<std::string> values;  // the values of its further lines
};

struct LegacyReading {
    std::vector<LegacyRecord> records;
    bool cut = false;  // a record ran past the end of the file
};

inline std::string LegacyRecordValue(const std::string& line, const std::string& key) {
    const size_t found = line.find(key);
    if (found == std::string::npos) return line;
    const size_t start = found + key.size() + 1;
    const size_t close = line.rfind(']');
    if (start > line.size() || close == std::string::npos || close < start) return {};
    return line.substr(start, close - start);
}

inline bool LegacyTypeIs(const std::string& type, const char* word) {
    const std::string expected = word;
    if (type.size() != expected.size()) return false;
    for (size_t i = 0; i < type.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(type[i])) != expected[i]) return false;
    }
    return true;
}

inline LegacyReading ReadLegacy(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        else if (end > start && text[end - 1] == '\r') --end;
        lines.push_back(text.substr(start, end - start));
        start = next;
    }
    LegacyReading reading;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string type = LegacyRecordValue(lines[i], "TYPE");
        std::vector<std::string> keys;
        if (LegacyTypeIs(type, "REG_KEY")) keys = {"NAME", "PATH"};
        else if (LegacyTypeIs(type, "REG_VALUE")) keys = {"MAIN_KEY", "VALUE_NAME", "VALUE"};
        else if (LegacyTypeIs(type, "FILE")) keys = {"DEST_PATH"};
        else continue;
        LegacyRecord record{type, {}};
        for (const std::string& key : keys) {
            if (++i >= lines.size()) {
                reading.cut = true;
                return reading;
            }
            record.values.push_back(LegacyRecordValue(lines[i], key));
        }
        reading.records.push_back(record);
    }
    return reading;
}
