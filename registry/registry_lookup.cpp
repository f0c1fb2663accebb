#include "registry/registry_lookup.h"

#include <algorithm>
#include <cstring>

#include "base/unique_handles.h"

namespace {
constexpr DWORD kStringBufferSize = 255;
KeyCloseFailureHandler g_keyCloseFailureHandler = nullptr;
}  // namespace

void SetKeyCloseFailureHandler(KeyCloseFailureHandler handler) { g_keyCloseFailureHandler = handler; }

std::string ReadRegString(HKEY root, const std::string& keyPath, const std::string& valueName) {
    UniqueHkey key;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return std::string();
    char buffer[kStringBufferSize] = {};
    DWORD length = sizeof(buffer);
    const LONG read =
        RegQueryValueExA(key.get(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &length);
    if (RegCloseKey(key.release()) != ERROR_SUCCESS) {
        if (g_keyCloseFailureHandler) g_keyCloseFailureHandler();
        return std::string();
    }
    if (read != ERROR_SUCCESS) return std::string();
    return std::string(buffer, strnlen(buffer, std::min<size_t>(length, sizeof(buffer))));
}

bool RegKeyExists(HKEY root, const std::string& keyPath) {
    UniqueHkey key;
    const LONG opened = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, key.put());
    return opened == ERROR_SUCCESS || opened == ERROR_ACCESS_DENIED;
}
