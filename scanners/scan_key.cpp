#include "scanners/scan_key.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "registry/registry_key.h"

ScanKey::ScanKey(HKEY root, const std::string& path)
    : openResult_(RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, key_.put())) {
    if (openResult_ != ERROR_SUCCESS) key_.release();
}

DWORD ScanKey::ValueCount() const {
    DWORD values = 0;
    if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return values;
}

DWORD ScanKey::SubKeyCount() const {
    DWORD subKeys = 0;
    if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return subKeys;
}

bool ValueNameReader::Read(HKEY key, DWORD index, std::string& name) {
    DWORD length = kValueNameCapacity;
    if (RegEnumValueA(key, index, buffer_.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    name.assign(buffer_.data(), length);
    return true;
}

bool ScanKey::SubKeyName(DWORD index, std::string& name) const {
    char buffer[kSubKeyNameCapacity];
    DWORD length = kSubKeyNameCapacity;
    if (RegEnumKeyExA(key_.get(), index, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    name.assign(buffer, std::min<DWORD>(length, kSubKeyNameCapacity));
    return true;
}

ScanKey OpenStartingKey(ScanEngine& engine, SectionId section, HKEY root, const std::string& path) {
    ScanKey key(root, path);
    if (key.OpenResult() == ERROR_ACCESS_DENIED) {
        const std::string rootName = RootKeyName(root);
        engine.ReportUnreadable(section, path.empty() ? rootName : rootName + "\\" + path);
    }
    return key;
}

void ReportRegistryProblem(ScanEngine& engine, RegistryFinding finding) {
    engine.Report(MakeProblem(finding.section, std::move(finding.description),
                              RegistryProblem{finding.root, std::move(finding.keyPath), std::move(finding.valueName),
                                              std::move(finding.valueData), finding.scope}));
}

bool ReadValueText(HKEY key, const char* valueName, DWORD capacity, std::string& text) {
    text.clear();
    std::vector<char> buffer(capacity, '\0');
    DWORD length = capacity;
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &length) !=
        ERROR_SUCCESS)
        return false;
    const size_t end = strnlen(buffer.data(), std::min<size_t>(length, capacity));
    if (end >= capacity) return false;
    text.assign(buffer.data(), end);
    return true;
}

std::string ReadCommandText(HKEY key) {
    constexpr DWORD kFlags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    DWORD size = 0;
    if (RegGetValueA(key, nullptr, nullptr, kFlags, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0) {
        return std::string();
    }
    std::vector<char> buffer(size + 1, '\0');
    if (RegGetValueA(key, nullptr, nullptr, kFlags, nullptr, buffer.data(), &size) != ERROR_SUCCESS) {
        return std::string();
    }
    return std::string(buffer.data());
}
