#pragma once
// Whole files in and out of memory, with results that say whether every byte arrived.
#include <cstdint>
#include <string>

struct FileRead {
    enum class Status { Read, Gone, Failed };
    Status status = Status::Failed;
    std::string bytes;
    std::string error;  // when Failed
};

// Gone when the file or its folder does not exist; Failed also when it is larger than the limit.
FileRead ReadFileBytes(const std::string& path, uint64_t limit);

enum class FileWriteMode { CreateNew, Replace };

// Written, flushed and closed; a file that could not be written whole is removed again.
// The system's error text on failure, empty on success.
std::string WriteFileBytes(const std::string& path, const std::string& bytes, FileWriteMode mode);

// Creates the folder and its missing parents; true when it exists afterwards.
bool CreateFolderTree(const std::string& folder);

// The part of a path after its last backslash.
std::string BareFileName(const std::string& path);
