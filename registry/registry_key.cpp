#include "registry/registry_key.h"

#include <vector>

RootKeyValue RootKeyValueOf(HKEY root) {
    for (RootKeyValue value = kClassesRoot; value <= kDynData; ++value) {
        if (RootKeyHandle(value) == root) return value;
    }
    return 0;
}

std::string RootKeyName(HKEY root) { return RootKeyName(RootKeyValueOf(root)); }

CRegistry::CRegistry(HKEY root) { Open(root); }

CRegistry::CRegistry(HKEY root, const std::string& path) { Open(root, path); }

CRegistry::~CRegistry() { Close(); }

bool CRegistry::Open(HKEY root) {
    Close();
    if (RegOpenKeyExA(root, "", 0, KEY_ALL_ACCESS, key_.put()) != ERROR_SUCCESS) {
        key_.release();
        return false;
    }
    name_ = PrintedRootName(RootKeyValueOf(root));
    return true;
}

bool CRegistry::Open(HKEY root, const std::string& path) {
    Close();
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, key_.put()) != ERROR_SUCCESS) {
        key_.release();
        return false;
    }
    name_ = PrintedRootName(RootKeyValueOf(root)) + "\\" + path;
    return true;
}

bool CRegistry::OpenSubKey(const std::string& path) {
    name_ += "\\" + path;
    HKEY child = nullptr;
    const LONG result = RegOpenKeyExA(key_.get(), path.c_str(), 0, KEY_ALL_ACCESS, &child);
    key_.reset(result == ERROR_SUCCESS ? child : nullptr);
    return result == ERROR_SUCCESS;
}

bool CRegistry::CreateKey(const std::string& path, bool descend) {
    HKEY created = nullptr;
    if (RegCreateKeyExA(key_.get(), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &created, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    if (descend) {
        key_.reset(created);
        name_ += "\\" + path;
    } else {
        RegCloseKey(created);
    }
    return true;
}

bool CRegistry::KeyExists(const std::string& path) const {
    UniqueHkey probe;
    return RegOpenKeyExA(key_.get(), path.c_str(), 0, KEY_ALL_ACCESS, probe.put()) == ERROR_SUCCESS;
}

void CRegistry::Close() {
    if (!key_) return;
    key_.reset();
    valueIndex_ = 0;
    keyIndex_ = 0;
    name_.clear();
}

bool CRegistry::ReadDword(const char* valueName, DWORD& number) const {
    if (!key_) return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (RegQueryValueExA(key_.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(data)) {
        return false;
    }
    number = data;
    return true;
}

namespace {
// Expands %NAME% references; the text is unchanged when expansion fails.
std::string ExpandedText(const std::string& text) {
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return text;
    std::vector<char> buffer(needed + 1, '\0');
    const DWORD written = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), needed + 1);
    if (written == 0 || written > needed + 1) return text;
    return std::string(buffer.data());
}
}  // namespace

bool CRegistry::ReadString(const char* valueName, std::string& text) const {
    if (!key_) return false;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    // One spare NUL: stored strings need not be terminated.
    std::vector<char> buffer(size + 1, '\0');
    DWORD readSize = size;
    if (RegQueryValueExA(key_.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &readSize) !=
        ERROR_SUCCESS) {
        return false;
    }
    std::string value(buffer.data());
    text = (type == REG_EXPAND_SZ) ? ExpandedText(value) : value;
    return true;
}

bool CRegistry::WriteDword(const char* valueName, DWORD number) const {
    return RegSetValueExA(key_.get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                          sizeof(number)) == ERROR_SUCCESS;
}

bool CRegistry::WriteString(const char* valueName, const char* text) const {
    const DWORD size = static_cast<DWORD>(strlen(text) + 1);
    return RegSetValueExA(key_.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
}

bool CRegistry::WriteString(const char* valueName, const std::string& text) const {
    return WriteString(valueName, text.c_str());
}

bool CRegistry::EnumKey(std::string& name) {
    char shortName[500];
    DWORD length = sizeof(shortName);
    LONG result = RegEnumKeyExA(key_.get(), keyIndex_, shortName, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS && length < sizeof(shortName)) {
        name.assign(shortName, length);
    } else if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        char longName[1000];
        length = sizeof(longName);
        result = RegEnumKeyExA(key_.get(), keyIndex_, longName, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_SUCCESS) name.assign(longName, length);
    }
    if (result != ERROR_SUCCESS) {
        keyIndex_ = 0;
        return false;
    }
    ++keyIndex_;
    return true;
}

bool CRegistry::EnumValue(std::string& name, DWORD& type) {
    char buffer[500];
    DWORD length = sizeof(buffer);
    DWORD valueType = 0;
    if (RegEnumValueA(key_.get(), valueIndex_, buffer, &length, nullptr, &valueType, nullptr, nullptr) !=
        ERROR_SUCCESS) {
        valueIndex_ = 0;
        return false;
    }
    ++valueIndex_;
    name.assign(buffer, length);
    type = valueType;
    return true;
}
