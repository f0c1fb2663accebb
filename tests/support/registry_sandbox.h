#pragma once
// A key of its own under HKEY_CURRENT_USER\Software\TidrexTests for one test, removed
// before and after it, so tests never depend on each other or on their order. Every test runs
// in a process of its own, and tests run side by side: the key carries the process id.
#include <windows.h>

#include <string>

class RegistrySandbox {
public:
    explicit RegistrySandbox(const std::string& name, HKEY root = HKEY_CURRENT_USER)
        : root_(root), path_("Software\\TidrexTests\\" + name + "." + std::to_string(GetCurrentProcessId())) {
        RegDeleteTreeA(root_, path_.c_str());
        HKEY key = nullptr;
        RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (key) RegCloseKey(key);
    }
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;
    ~RegistrySandbox() { RegDeleteTreeA(root_, path_.c_str()); }

    HKEY Root() const { return root_; }
    const std::string& Path() const { return path_; }
    std::string Sub(const std::string& relative) const { return path_ + "\\" + relative; }

    void CreateKey(const std::string& relative) const {
        HKEY key = nullptr;
        RegCreateKeyExA(root_, Sub(relative).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (key) RegCloseKey(key);
    }
    void SetString(const std::string& relative, const char* name, const std::string& data, DWORD type = REG_SZ) const {
        RegSetKeyValueA(root_, relative.empty() ? path_.c_str() : Sub(relative).c_str(), name, type, data.c_str(),
                        static_cast<DWORD>(data.size() + 1));
    }
    void SetDword(const std::string& relative, const char* name, DWORD data) const {
        RegSetKeyValueA(root_, relative.empty() ? path_.c_str() : Sub(relative).c_str(), name, REG_DWORD, &data,
                        sizeof(data));
    }
    bool KeyExists(const std::string& relative) const {
        HKEY key = nullptr;
        const std::string path = relative.empty() ? path_ : Sub(relative);
        if (RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    bool ValueExists(const std::string& relative, const char* name) const {
        const std::string path = relative.empty() ? path_ : Sub(relative);
        return RegGetValueA(root_, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

private:
    HKEY root_;
    std::string path_;
};
