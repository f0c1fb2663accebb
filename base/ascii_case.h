#pragma once
// Letter case of ASCII text: the bytes of multi-byte (UTF-8) characters stay as they are, so
// names and paths compare as the registry and the file system show them to this program.
#include <algorithm>
#include <string>
#include <string_view>

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline void LowerAsciiInPlace(std::string& text) {
    for (char& c : text) c = AsciiLower(c);
}

inline std::string LowerAscii(std::string text) {
    LowerAsciiInPlace(text);
    return text;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// lowerWord is written in lower case.
inline bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view lowerWord) {
    return lowerWord.empty() || std::search(text.begin(), text.end(), lowerWord.begin(), lowerWord.end(),
                                            [](char x, char word) { return AsciiLower(x) == word; }) != text.end();
}
