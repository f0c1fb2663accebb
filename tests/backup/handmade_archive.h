#pragma once
// Archives written entry by entry, as a damaged or foreign backup might hold them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "backup/zip_writer.h"
#include "registry/reg_file_writer.h"

inline std::string WriteArchive(const std::string& path,
                                const std::vector<std::pair<std::string, std::string>>& entries) {
    ZipWriter writer;
    EXPECT_TRUE(writer.Open(path));
    for (const auto& [name, bytes] : entries) EXPECT_TRUE(writer.AddData(name, bytes));
    EXPECT_TRUE(writer.Close());
    return path;
}

// A registry editor file of one key with one DWORD value.
inline std::string RegFileOf(const std::string& fullPath, const std::u16string& valueName, uint8_t number = 7) {
    RegFileDocument document;
    std::u16string path(fullPath.begin(), fullPath.end());
    document.keys.push_back({path, false, {{valueName, REG_DWORD, {number, 0, 0, 0}, false}}});
    return WriteRegFile(document).bytes;
}
