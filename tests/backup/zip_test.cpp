#include "backup/zip_reader.h"
#include "backup/zip_writer.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <zip.h>

#include "tests/support/temp_folder.h"

namespace {
// A source tree: two files, a sub-folder with one, and a dot file and a dot folder that are left out.
void MakeSourceTree(const TempFolder& folder) {
    WriteTestFile(folder.Sub("src\\a.txt"), "alpha");
    WriteTestFile(folder.Sub("src\\b.bin"), std::string(5000, '\x7f') + std::string("\0end", 4));
    CreateDirectoryA(folder.Sub("src\\sub").c_str(), nullptr);
    WriteTestFile(folder.Sub("src\\sub\\c.txt"), "gamma");
    WriteTestFile(folder.Sub("src\\.hidden"), "no");
    CreateDirectoryA(folder.Sub("src\\.git").c_str(), nullptr);
    WriteTestFile(folder.Sub("src\\.git\\d.txt"), "no");
}

std::vector<ZipEntryInfo> Entries(const std::string& archive) {
    std::vector<ZipEntryInfo> entries;
    ZipReader reader;
    if (!reader.Open(archive) || !reader.GoToFirst()) return entries;
    do {
        ZipEntryInfo info;
        if (reader.GetEntryInfo(info)) entries.push_back(info);
    } while (reader.GoToNext());
    return entries;
}

FILETIME LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}
}  // namespace

TEST(ZipWriter, AddsAFolderTreeDeflatedWithZeroDatesAndNoDotNames) {
    const TempFolder folder("zip-tree");
    MakeSourceTree(folder);
    ZipWriter writer;
    ASSERT_TRUE(writer.Open(folder.Sub("tree.zip"), folder.Sub("src")));
    EXPECT_TRUE(writer.AddFolder(folder.Sub("src"), false));
    EXPECT_EQ(writer.FilesAdded(), 3);
    EXPECT_EQ(writer.FoldersAdded(), 2);
    EXPECT_EQ(writer.BytesRead(), 5u + 5004u + 5u);
    ASSERT_TRUE(writer.Close());
    std::vector<std::string> names;
    for (const ZipEntryInfo& entry : Entries(folder.Sub("tree.zip"))) {
        names.push_back(entry.name);
        EXPECT_EQ(entry.method, Z_DEFLATED);
        EXPECT_EQ(entry.dosDateTime, 0u);
        EXPECT_TRUE(entry.comment.empty());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b.bin", "sub\\c.txt"}));
}

TEST(ZipWriter, IgnoredPathsGiveBareNames) {
    const TempFolder folder("zip-bare");
    MakeSourceTree(folder);
    ZipWriter writer;
    ASSERT_TRUE(writer.Open(folder.Sub("bare.zip")));
    writer.AddFolder(folder.Sub("src"), true);
    ASSERT_TRUE(writer.Close());
    std::vector<std::string> names;
    for (const ZipEntryInfo& entry : Entries(folder.Sub("bare.zip"))) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b.bin", "c.txt"}));
}

TEST(ZipWriter, RefusesWhatItCannotAdd) {
    const TempFolder folder("zip-refuse");
    WriteTestFile(folder.Sub("a.txt"), "a");
    ZipWriter writer;
    EXPECT_FALSE(writer.AddFile(folder.Sub("a.txt"), true));  // nothing open
    ASSERT_TRUE(writer.Open(folder.Sub("r.zip"), folder.Sub("root")));
    EXPECT_FALSE(writer.AddFile("..\\a.txt", false));
    EXPECT_FALSE(writer.AddFile(folder.Sub("a.txt"), false));  // not below the root
    EXPECT_FALSE(writer.AddFile(folder.Sub("missing.txt"), true));
    EXPECT_TRUE(writer.AddFile(folder.Sub("a.txt"), true));
    EXPECT_TRUE(writer.Close());
    EXPECT_TRUE(writer.Close());
}

TEST(ZipReader, ExtractsWithPathsKeptOrIgnored) {
    const TempFolder folder("zip-extract");
    MakeSourceTree(folder);
    ZipWriter writer;
    ASSERT_TRUE(writer.Open(folder.Sub("tree.zip"), folder.Sub("src")));
    writer.AddFolder(folder.Sub("src"), false);
    ASSERT_TRUE(writer.Close());

    ZipReader reader;
    ASSERT_TRUE(reader.Open(folder.Sub("tree.zip")));
    EXPECT_EQ(reader.FileCount(), 3);
    ASSERT_TRUE(reader.ExtractAll(folder.Sub("kept\\deeper"), false));
    EXPECT_EQ(ReadTestFile(folder.Sub("kept\\deeper\\sub\\c.txt")), "gamma");
    ASSERT_TRUE(reader.ExtractAll(folder.Sub("flat"), true));
    EXPECT_EQ(ReadTestFile(folder.Sub("flat\\c.txt")), "gamma");
    EXPECT_EQ(ReadTestFile(folder.Sub("flat\\b.bin")), ReadTestFile(folder.Sub("src\\b.bin")));
    EXPECT_FALSE(FileExists(folder.Sub("flat\\sub")));
    ASSERT_TRUE(reader.GoToFirst("TXT"));
    ZipEntryInfo info;
    ASSERT_TRUE(reader.GetEntryInfo(info));
    EXPECT_EQ(info.name.substr(info.name.size() - 4), ".txt");
    ASSERT_TRUE(reader.ExtractCurrent());
    EXPECT_TRUE(FileExists(folder.Sub("tree\\" + info.name)));
}

TEST(ZipReader, AnEmptyArchiveOpensButHasNothingToExtract) {
    const TempFolder folder("zip-empty");
    ZipWriter writer;
    ASSERT_TRUE(writer.Open(folder.Sub("empty.zip")));
    ASSERT_TRUE(writer.Close());
    ZipReader reader;
    ASSERT_TRUE(reader.Open(folder.Sub("empty.zip")));
    EXPECT_EQ(reader.FileCount(), 0);
    EXPECT_FALSE(reader.ExtractAll(folder.Sub("out"), true));
}

TEST(ZipReader, EntryTimesComeFromTheDosDateWhenItConverts) {
    const TempFolder folder("zip-dates");
    zip_fileinfo dated{};
    dated.dosDate = (static_cast<uLong>((2001 - 1980) << 9 | 2 << 5 | 3) << 16) | (4 << 11 | 5 << 5 | 6 / 2);
    zipFile zip = zipOpen(folder.Sub("dated.zip").c_str(), APPEND_STATUS_CREATE);
    ASSERT_NE(zip, nullptr);
    for (const auto& [name, info] :
         {std::pair<const char*, zip_fileinfo*>{"dated.txt", &dated}, {"undated.txt", nullptr}}) {
        zipOpenNewFileInZip(zip, name, info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION);
        zipWriteInFileInZip(zip, "x", 1);
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);

    FILETIME before;
    GetSystemTimeAsFileTime(&before);
    ZipReader reader;
    ASSERT_TRUE(reader.Open(folder.Sub("dated.zip")));
    ASSERT_TRUE(reader.ExtractAll(folder.Sub("out"), true));
    SYSTEMTIME local{};
    FILETIME localTime;
    const FILETIME dateWritten = LastWrite(folder.Sub("out\\dated.txt"));
    FileTimeToLocalFileTime(&dateWritten, &localTime);
    FileTimeToSystemTime(&localTime, &local);
    EXPECT_EQ(local.wYear, 2001);
    EXPECT_EQ(local.wMonth, 2);
    EXPECT_EQ(local.wDay, 3);
    EXPECT_EQ(local.wHour, 4);
    const FILETIME undated = LastWrite(folder.Sub("out\\undated.txt"));
    EXPECT_GE(CompareFileTime(&undated, &before), 0);
}

TEST(ZipReader, DamagedDataFailsItsCrcCheck) {
    const TempFolder folder("zip-crc");
    ZipWriter writer;
    ASSERT_TRUE(writer.Open(folder.Sub("c.zip")));
    ASSERT_TRUE(writer.AddData("data.bin", std::string(4000, 'a') + "tail"));
    ASSERT_TRUE(writer.Close());
    std::string bytes = ReadTestFile(folder.Sub("c.zip"));
    // Stored deflated data lies after the 30-byte local header and the 8-byte name.
    bytes[30 + 8 + 4] ^= 0x55;
    WriteTestFile(folder.Sub("c.zip"), bytes);

    ZipReader reader;
    ASSERT_TRUE(reader.Open(folder.Sub("c.zip")));
    ASSERT_TRUE(reader.GoToFirst());
    std::string read;
    EXPECT_FALSE(reader.ReadCurrent(read, 1 << 20));
    EXPECT_FALSE(reader.ExtractCurrent(folder.Sub("out"), true));
}

TEST(ZipReader, NamesThatWouldLeaveTheFolderAreRefused) {
    const TempFolder folder("zip-escape");
    ZipWriter writer;
    ASSERT_TRUE(writer.Open(folder.Sub("e.zip")));
    ASSERT_TRUE(writer.AddData("..\\escaped.txt", "x"));
    ASSERT_TRUE(writer.AddData("a:stream", "x"));
    ASSERT_TRUE(writer.Close());
    ZipReader reader;
    ASSERT_TRUE(reader.Open(folder.Sub("e.zip")));
    ASSERT_TRUE(reader.GoToFirst());
    EXPECT_FALSE(reader.ExtractCurrent(folder.Sub("out"), false));
    EXPECT_FALSE(FileExists(folder.Sub("escaped.txt")));
    ASSERT_TRUE(reader.GoToNext());
    EXPECT_FALSE(reader.ExtractCurrent(folder.Sub("out"), true));
}
