#pragma once
// The starting keys a console scan could not open for lack of rights, per section. Each is
// told on standard error as it is met, and listed in the section's JSON, so that a scan
// without rights never reads as a clean result.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/section_table.h"

class UnreadableKeys {
public:
    // err receives one line per key (null: none); the table names the sections in those lines.
    UnreadableKeys(std::FILE* err, const SectionTable& sections) : err_(err), sections_(sections) {}

    void Add(SectionId section, const std::string& keyName);
    // The keys of the section in the order they were met; empty when there were none.
    const std::vector<std::string>& Of(SectionId section) const;

private:
    std::FILE* err_;
    const SectionTable& sections_;
    std::map<SectionId, std::vector<std::string>> keys_;
};

// The line on standard error for a key that could not be opened.
std::string UnreadableKeyLine(const std::string& sectionName, const std::string& keyName);
