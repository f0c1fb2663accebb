#pragma once
// Writes zip archives over minizip: entries deflated at the default level, with a zero DOS
// date, no extra fields and no comments. Every operation reports success as its result.
#include <cstdint>
#include <string>
#include <string_view>

#include "backup/zip_memory_file.h"
#include "base/unique_handles.h"

// The archive is built in memory and written to its file in one piece when it is closed; the
// file is created (or, to append, opened) by Open already.
class ZipWriter {
public:
    ZipWriter() = default;
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;
    ~ZipWriter() { Close(); }

    // Without a root folder the archive's own folder is the root. append adds to an existing archive.
    bool Open(const std::string& archivePath, const std::string& rootFolder = {}, bool append = false);
    // The archive name is the bare file name when paths are ignored, else the path below the root.
    bool AddFile(const std::string& path, bool ignorePath);
    // Every file below the folder, recursively; names beginning with "." are left out. True also
    // when the folder cannot be listed: the single additions are not collected.
    bool AddFolder(const std::string& path, bool ignorePath);
    // One entry from memory.
    bool AddData(const std::string& entryName, std::string_view bytes);
    // True when the library finished the archive and the file holds all of it, flushed, or when
    // nothing was open.
    bool Close();

    bool IsOpen() const { return zip_ != nullptr; }
    // The system's error code of the last file operation that failed; 0 when none did.
    unsigned long LastError() const { return lastError_; }
    int FilesAdded() const { return filesAdded_; }
    int FoldersAdded() const { return foldersAdded_; }
    uint64_t BytesRead() const { return bytesRead_; }

private:
    std::string AbsolutePath(const std::string& path) const;
    bool StartEntry(const std::string& entryName, uint64_t size);

    void* zip_ = nullptr;
    ZipMemoryFile memory_;
    UniqueHandle file_;
    std::string root_;  // with a trailing backslash
    int filesAdded_ = 0;
    int foldersAdded_ = 0;
    uint64_t bytesRead_ = 0;
    unsigned long lastError_ = 0;
};
