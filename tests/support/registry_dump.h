#pragma once
// A dump of a registry key's whole sub-tree: every key path and every value's name, type and
// bytes, read through the UTF-16 functions so nothing is converted on the way. Two dumps are
// equal exactly when the trees hold the same data.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace registry_dump_detail {
inline std::string Hex(const BYTE* data, DWORD size) {
    std::string text;
    char byte[4];
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(byte, sizeof(byte), "%02x", data[i]);
        text += byte;
    }
    return text;
}

inline std::string Units(const std::wstring& name) {
    std::string text;
    char unit[8];
    for (wchar_t c : name) {
        if (c >= 0x20 && c < 0x7F) {
            text += static_cast<char>(c);
        } else {
            std::snprintf(unit, sizeof(unit), "<%04x>", static_cast<unsigned>(c));
            text += unit;
        }
    }
    return text;
}

inline void DumpTree(HKEY parent, const std::wstring& subKey, const std::string& shown,
                     std::vector<std::string>& lines) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    lines.push_back("[" + shown + "]");
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        DWORD type = 0, size = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        std::vector<BYTE> data(size + 1);
        nameLength = 16384;
        RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size);
        lines.push_back("  \"" + Units(std::wstring(name, nameLength)) + "\" type " + std::to_string(type) + " " +
                        Hex(data.data(), size));
    }
    std::vector<std::wstring> children;
    for (DWORD index = 0;; ++index) {
        wchar_t name[512];
        DWORD length = 512;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.emplace_back(name, length);
    }
    for (const std::wstring& child : children) DumpTree(key, child, shown + "\\" + Units(child), lines);
    RegCloseKey(key);
}
}  // namespace registry_dump_detail

// Empty when the key does not exist.
inline std::vector<std::string> DumpRegistryTree(HKEY root, const std::wstring& path) {
    std::vector<std::string> lines;
    registry_dump_detail::DumpTree(root, path, registry_dump_detail::Units(path), lines);
    return lines;
}

inline std::wstring Widen(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

inline std::vector<std::string> DumpRegistryTree(HKEY root, const std::string& path) {
    return DumpRegistryTree(root, Widen(path));
}

// Sets a value from raw bytes, through the UTF-16 function so string data is stored untouched.
inline void SetRawValue(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type,
                        const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (!key) return;
    RegSetValueExW(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

inline std::vector<BYTE> WideBytes(const std::wstring& text, bool terminated = true) {
    std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(text.data()),
                            reinterpret_cast<const BYTE*>(text.data() + text.size()));
    if (terminated) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}
