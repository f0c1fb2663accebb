#pragma once
// A stale font entry of a console test in the machine's font list, removed again afterwards; the
// fonts section finds it.
#include <windows.h>

#include <string>

#include "tests/support/list_keys_lock.h"
#include "tests/support/registry_dump.h"

inline constexpr const char* kFontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

class StaleFont {
public:
    explicit StaleFont(std::string name) : name_(std::move(name)) {
        Write("C:\\TidrexCliNoSuchFolder\\" + std::to_string(GetCurrentProcessId()) + ".ttf");
    }
    void Write(const std::string& data) const {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, kFontsKey, name_.c_str(), REG_SZ, data.c_str(),
                        static_cast<DWORD>(data.size() + 1));
    }
    ~StaleFont() { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kFontsKey, name_.c_str()); }
    bool Present() const {
        return RegGetValueA(HKEY_LOCAL_MACHINE, kFontsKey, name_.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }
    std::string Dump() const {
        BYTE data[1024];
        DWORD size = sizeof(data), type = 0;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, kFontsKey, name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
            ERROR_SUCCESS) {
            return {};
        }
        return std::to_string(type) + " " + registry_dump_detail::Hex(data, size);
    }

private:
    ListKeysLock lock_;
    std::string name_;
};
