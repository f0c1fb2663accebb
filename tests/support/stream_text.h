#pragma once
// Everything written so far into a stream (usually a std::tmpfile), read from its start.
#include <cstdio>
#include <string>

inline std::string StreamText(std::FILE* stream) {
    std::fflush(stream);
    std::rewind(stream);
    std::string text;
    char buffer[4096];
    for (size_t read; (read = std::fread(buffer, 1, sizeof(buffer), stream)) > 0;) text.append(buffer, read);
    // Further writes go after what was read, as before.
    std::fseek(stream, 0, SEEK_END);
    return text;
}
