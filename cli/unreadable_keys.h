#pragma once
// The starting keys a console scan could not open for lack of rights, per section. Each is
// told in the text report as it is met, and listed in the section's JSON, so that a scan
// without rights never reads as a clean result; it is no failure of the run.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/section_table.h"

class UnreadableKeys {
public:
    // out receives one line per key (null: none); the table names the sections in those lines.
    UnreadableKeys(std::FILE* out, const SectionTable& sections) : out_(out), sections_(sections) {}

    void Add(SectionId section, const std::string& keyName);
    // The keys of the section in the order they were met; empty when there were none.
    const std::vector<std::string>& Of(SectionId section) const;

private:
    std::FILE* out_;
    const SectionTable& sections_;
    std::map<SectionId, std::vector<std::string>> keys_;
};

// The text report's line for a key that could not be opened.
std::string UnreadableKeyLine(const std::string& sectionName, const std::string& keyName);
