#pragma once
// Whole files in and out of memory, with results that say whether every byte arrived.
#include <cstdint>
#include <string>

#include "base/unique_handles.h"

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

// Writes the bytes under a new temporary name in the path's folder, then moves that file to the
// path: nothing there is ever cut short, and a write that fails leaves the folder as it was. With
// CreateNew the path must not exist (nothing there is replaced); with Replace a file there is
// replaced whole. The system's error text on failure, empty on success.
std::string PlaceFile(const std::string& path, const std::string& bytes, FileWriteMode mode);

// Writes every byte at the file's position, ends the file there, flushes and closes it: the
// Windows error of the first step that failed, ERROR_SUCCESS when every byte arrived.
DWORD WriteWholeAndClose(UniqueHandle& file, const std::string& bytes);

// Creates the folder and its missing parents; true when it exists afterwards.
bool CreateFolderTree(const std::string& folder);

// The part of a path after its last backslash.
std::string BareFileName(const std::string& path);
