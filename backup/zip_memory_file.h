#pragma once
// An archive held in memory while minizip writes or reads it, so the file itself is written and
// read in one piece: minizip otherwise goes to the file for every header field.
#include <cstdint>
#include <string>

struct ZipMemoryFile {
    std::string bytes;
    uint64_t position = 0;
};

// The functions minizip calls for its file access, all working on the one memory file.
// The pointer is a zlib_filefunc64_def; this header keeps the library's headers to itself.
void FillMemoryFileFunctions(void* functions, ZipMemoryFile& file);
