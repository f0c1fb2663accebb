#pragma once
#include <string>

// The program's 8-bit text (in the active code page) as UTF-8.
std::string AnsiToUtf8(const std::string& text);
