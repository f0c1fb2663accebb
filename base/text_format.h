#pragma once
// printf-style formatting into a std::string, for the system's fixed message formats.
#include <cstdarg>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

[[gnu::format(printf, 1, 2)]] inline std::string Format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    // Most texts fit the stack buffer and are formatted once; a scan formats several per problem.
    char buffer[512];
    const int length = std::vsnprintf(buffer, sizeof(buffer), format, arguments);
    va_end(arguments);
    std::string text;
    if (length > 0 && static_cast<size_t>(length) < sizeof(buffer)) {
        text.assign(buffer, static_cast<size_t>(length));
    } else if (length > 0) {
        text.resize(static_cast<size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, format, copy);
    }
    va_end(copy);
    return text;
}

// The parts one after the other, in one allocation: for texts made for every problem a scan
// finds, where formatting costs more than the scan's own work.
inline std::string Joined(std::initializer_list<std::string_view> parts) {
    size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    std::string text;
    text.reserve(size);
    for (std::string_view part : parts) text.append(part);
    return text;
}
