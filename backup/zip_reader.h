#pragma once
// Reads zip archives over minizip: entry information, extraction into a folder, or an entry's
// bytes in memory. Every entry read to its end has its CRC checked. The archive is read into
// memory whole when it is opened. The parsing (zip_reader.cpp) touches no file and builds
// natively; opening a file and extracting into folders (zip_reader_files.cpp) are Windows only.
#include <cstdint>
#include <functional>
#include <string>

#include "backup/zip_memory_file.h"

struct ZipEntryInfo {
    std::string name;  // "/" turned into "\"
    std::string comment;
    uint16_t versionMadeBy = 0;
    uint16_t versionNeeded = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t dosDateTime = 0;  // date in the high 16 bits
    uint32_t crc = 0;
    uint64_t compressedSize = 0;
    uint64_t uncompressedSize = 0;
    uint16_t internalAttributes = 0;
    uint32_t externalAttributes = 0;
    bool folder = false;  // the name ends with "\"
};

class ZipReader {
public:
    ZipReader() = default;
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;
    ~ZipReader() { Close(); }

    bool Open(const std::string& archivePath);
    // The archive's bytes themselves; there is no default folder to extract into.
    bool OpenBytes(std::string bytes);
    // 0 on error or when closed.
    int FileCount() const;
    // With an extension, moves on to the first entry whose name ends in "." and that extension.
    bool GoToFirst(const char* extension = nullptr);
    bool GoToNext(const char* extension = nullptr);
    // False also when the name or comment does not fit its buffer (260 and 255 characters).
    bool GetEntryInfo(ZipEntryInfo& info) const;
    // Into the folder (default: the archive path without its extension); the entry's name, or
    // only its last part when paths are ignored, below it. Names that would leave the folder
    // are refused.
    bool ExtractCurrent(const std::string& folder = {}, bool ignorePath = false);
    // False when nothing is open, the folder cannot be made, there is no entry, or any entry fails.
    bool ExtractAll(const std::string& folder, bool ignorePath);
    // The whole current entry; false when it is larger than the limit, cannot be read, or its
    // CRC does not match.
    bool ReadCurrent(std::string& bytes, uint64_t limit);
    void Close();

    bool IsOpen() const { return zip_ != nullptr || emptyArchive_; }
    // The size of the archive as it was opened.
    uint64_t ArchiveSize() const { return memory_.bytes.size(); }

private:
    bool Matches(const char* extension) const;
    // Hands the current entry's bytes to the sink block by block, then checks the CRC when the
    // entry was read to its end. False when it cannot be read, the sink refuses a block, or the
    // CRC does not match.
    bool ReadCurrentInBlocks(const std::function<bool(const char* block, size_t size)>& sink);

    void* zip_ = nullptr;
    ZipMemoryFile memory_;
    bool emptyArchive_ = false;  // a valid archive without entries, which the library does not open
    std::string defaultFolder_;
};
