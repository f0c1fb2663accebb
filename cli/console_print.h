#pragma once
// Text to one of the console's streams, whole and at once: a report's lines reach a pipe or a file
// before the next step of the run, even if the run is stopped there.
#include <cstdio>
#include <string>

inline void Print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}
