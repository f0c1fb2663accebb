#pragma once
// Between the program's 8-bit text (the "A" functions' code page, UTF-8 under the manifest)
// and the UTF-16 the registry holds.
#include <string>
#include <string_view>

std::u16string WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::u16string_view text);

// The Windows view of UTF-16 text.
inline const wchar_t* WideChars(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
