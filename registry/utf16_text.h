#pragma once
// UTF-8 and UTF-16 conversions without the system's help, for text that must survive exactly.
#include <string>
#include <string_view>

// Malformed sequences become U+FFFD each.
std::u16string DecodeUtf8(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string EncodeUtf8(std::u16string_view text);
