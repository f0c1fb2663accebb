#pragma once
// Registry entries a test puts into the real keys the tool dialogs list (Run values, browser
// helper objects, installed-programs entries), removed before they are made and again at the end.
#include <windows.h>
#include <sddl.h>

#include <string>
#include <utility>
#include <vector>

class ScratchRegistry {
public:
    ScratchRegistry() = default;
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;
    ~ScratchRegistry() {
        for (auto locked = locked_.rbegin(); locked != locked_.rend(); ++locked) Unlock(*locked);
        for (const auto& [root, path] : keys_) {
            RegDeleteTreeA(root, path.c_str());
            RegDeleteKeyA(root, path.c_str());
        }
        for (const auto& [root, path, name] : values_) RegDeleteKeyValueA(root, path.c_str(), name.c_str());
    }

    // A key of the test's own, with its subtree; gone before and after the test.
    void OwnKey(HKEY root, const std::string& path) {
        RegDeleteTreeA(root, path.c_str());
        RegDeleteKeyA(root, path.c_str());
        keys_.emplace_back(root, path);
        CreateKey(root, path);
    }
    // A value of the test's own in a key it does not own.
    void OwnValue(HKEY root, const std::string& path, const std::string& name) {
        RegDeleteKeyValueA(root, path.c_str(), name.c_str());
        values_.push_back({root, path, name});
    }

    // Gives the key the DACL of the SDDL text until the end of the test, e.g. "D:P(A;;KR;;;WD)"
    // (read only) or "D:P" (no access); its own DACL comes back then.
    bool Lock(HKEY root, const std::string& path, const char* sddl) {
        Locked locked{root, path, {}};
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, READ_CONTROL, &key) == ERROR_SUCCESS) {
            DWORD size = 0;
            RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
            locked.original.resize(size);
            if (size == 0 ||
                RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, locked.original.data(), &size) != ERROR_SUCCESS) {
                locked.original.clear();
            }
            RegCloseKey(key);
        }
        locked_.push_back(std::move(locked));
        return SetSecurity(root, path, sddl);
    }

    static void CreateKey(HKEY root, const std::string& path) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            RegCloseKey(key);
        }
    }
    static void SetString(HKEY root, const std::string& path, const char* name, const std::string& data,
                          DWORD type = REG_SZ) {
        RegSetKeyValueA(root, path.c_str(), name, type, data.c_str(), static_cast<DWORD>(data.size() + 1));
    }
    static void SetDword(HKEY root, const std::string& path, const char* name, DWORD data) {
        RegSetKeyValueA(root, path.c_str(), name, REG_DWORD, &data, sizeof(data));
    }
    // Also true for a key that refuses to be opened.
    static bool KeyExists(HKEY root, const std::string& path) {
        HKEY key = nullptr;
        const LONG result = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
        if (result == ERROR_SUCCESS) RegCloseKey(key);
        return result != ERROR_FILE_NOT_FOUND;
    }
    static bool ValueExists(HKEY root, const std::string& path, const char* name) {
        return RegGetValueA(root, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }
    static std::string String(HKEY root, const std::string& path, const char* name) {
        char text[1024] = {};
        DWORD size = sizeof(text);
        if (RegGetValueA(root, path.c_str(), name, RRF_RT_REG_SZ | RRF_NOEXPAND | RRF_RT_REG_EXPAND_SZ, nullptr, text,
                         &size) != ERROR_SUCCESS) {
            return {};
        }
        return text;
    }
    // The value's type and bytes as text; empty when it is missing.
    static std::string RawValue(HKEY root, const std::string& path, const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
        const std::string narrow(name);
        const std::wstring wide(narrow.begin(), narrow.end());
        BYTE data[4096];
        DWORD size = sizeof(data), type = 0;
        const LONG error = RegQueryValueExW(key, wide.c_str(), nullptr, &type, data, &size);
        RegCloseKey(key);
        if (error != ERROR_SUCCESS) return {};
        std::string text = std::to_string(type) + ":";
        for (DWORD i = 0; i < size; ++i)
            text += "0123456789abcdef"[data[i] >> 4], text += "0123456789abcdef"[data[i] & 15];
        return text;
    }
    static bool SetSecurity(HKEY root, const std::string& path, const char* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr)) {
            return false;
        }
        HKEY key = nullptr;
        bool set = false;
        if (RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
            set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
            RegCloseKey(key);
        }
        LocalFree(descriptor);
        return set;
    }

private:
    struct Locked {
        HKEY root;
        std::string path;
        std::vector<BYTE> original;  // self-relative security descriptor; empty when unread
    };
    static void Unlock(Locked& locked) {
        if (locked.original.empty()) {
            SetSecurity(locked.root, locked.path, "D:(A;;KA;;;WD)");
            return;
        }
        HKEY key = nullptr;
        if (RegOpenKeyExA(locked.root, locked.path.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, locked.original.data());
            RegCloseKey(key);
        }
    }

    struct Value {
        HKEY root;
        std::string path;
        std::string name;
    };
    std::vector<std::pair<HKEY, std::string>> keys_;
    std::vector<Locked> locked_;
    std::vector<Value> values_;
};
