#include "registry/inexact_names.h"

#include <windows.h>

#include <vector>

#include "base/ascii_case.h"
#include "base/unique_handles.h"
#include "registry/code_page_text.h"
#include "registry/registry_key.h"

namespace {
constexpr DWORD kMaxKeyName = 256;      // 255 units and the terminator
constexpr DWORD kMaxValueName = 16384;  // 16,383 units and the terminator

std::vector<std::string> KeyNames(const std::string& path) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start < path.size()) {
        const size_t slash = path.find('\\', start);
        const size_t end = slash == std::string::npos ? path.size() : slash;
        names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

bool SpelledAs(const std::u16string& name, std::string_view text) {
    return EqualsIgnoringAsciiCase(AnsiFromWide(name), text);
}

// The sub-keys' or values' names of the key that the code page spells as text.
std::vector<std::u16string> NamesSpelledAs(HKEY key, std::string_view text, bool values) {
    std::vector<std::u16string> found;
    std::u16string name(values ? kMaxValueName : kMaxKeyName, u'\0');
    auto* buffer = reinterpret_cast<wchar_t*>(name.data());
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG error = values ? RegEnumValueW(key, index, buffer, &length, nullptr, nullptr, nullptr, nullptr)
                                  : RegEnumKeyExW(key, index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
        if (error != ERROR_SUCCESS) return found;
        const std::u16string candidate = name.substr(0, length);
        if (SpelledAs(candidate, text)) found.push_back(candidate);
    }
}

bool ValueExists(HKEY key, const std::string& valueName) {
    const LONG error = RegQueryValueExW(key, WideChars(WideFromAnsi(valueName)), nullptr, nullptr, nullptr, nullptr);
    if (error != ERROR_FILE_NOT_FOUND) return true;
    return HasSubstitutedCharacters(valueName) && !NamesSpelledAs(key, valueName, true).empty();
}

bool ExistsBelow(HKEY parent, const std::vector<std::string>& names, size_t index, const std::string* valueName) {
    if (index == names.size()) return !valueName || ValueExists(parent, *valueName);
    const std::string& text = names[index];
    std::vector<std::u16string> candidates{WideFromAnsi(text)};
    if (HasSubstitutedCharacters(text)) {
        for (std::u16string& name : NamesSpelledAs(parent, text, false)) candidates.push_back(std::move(name));
    }
    for (const std::u16string& name : candidates) {
        UniqueHkey key;
        const LONG error = RegOpenKeyExW(parent, WideChars(name), 0, KEY_READ, key.put());
        if (error != ERROR_SUCCESS) key.release();
        if (error == ERROR_FILE_NOT_FOUND) continue;
        // A key that refuses to be read may hold the entry: it is not known to be gone.
        if (error != ERROR_SUCCESS || ExistsBelow(key.get(), names, index + 1, valueName)) return true;
    }
    return false;
}
}  // namespace

bool HasSubstitutedCharacters(std::string_view name) {
    return name.find('?') != std::string_view::npos || name.find("\xEF\xBF\xBD") != std::string_view::npos;
}

bool ExistsAsSpelled(RootKeyValue root, const std::string& keyPath, const std::string* valueName) {
    const std::vector<std::string> names = KeyNames(keyPath);
    bool substituted = valueName && HasSubstitutedCharacters(*valueName);
    for (const std::string& name : names) substituted = substituted || HasSubstitutedCharacters(name);
    // Every name spelled exactly: the text's own entry is the only one it can stand for.
    if (!substituted) return false;
    return ExistsBelow(RootKeyHandle(root), names, 0, valueName);
}
