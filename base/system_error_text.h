#pragma once
// The system's own text for a Windows error code, for messages that say why something failed.
#include <windows.h>

#include <string>

#include "base/text_format.h"

inline std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message(text ? text : "", length);
    if (text) LocalFree(text);
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return message.empty() ? Format("error %lu", static_cast<unsigned long>(error))
                           : Format("error %lu: %s", static_cast<unsigned long>(error), message.c_str());
}
