#pragma once
// Registry names the Win32 functions cannot make or open: counted names that hold a zero
// character, set and removed through ntdll.
#include <windows.h>
#include <winternl.h>

#include <string>
#include <vector>

namespace counted_names_detail {
using NtSetValueKeyFunction = LONG(NTAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, const void*, ULONG);
using NtCreateKeyFunction = LONG(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*, ULONG, UNICODE_STRING*, ULONG,
                                         ULONG*);
using NtDeleteKeyFunction = LONG(NTAPI*)(HANDLE);

template <typename Function>
Function Ntdll(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

inline UNICODE_STRING Counted(std::wstring& name) {
    const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    return {bytes, bytes, name.data()};
}
}  // namespace counted_names_detail

// Sets a value of root\keyPath (created when missing) under a name that may hold zeros.
inline bool SetCountedValue(HKEY root, const std::wstring& keyPath, std::wstring name, DWORD type,
                            const std::vector<BYTE>& data) {
    using namespace counted_names_detail;
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
        return false;
    UNICODE_STRING counted = Counted(name);
    const LONG status = Ntdll<NtSetValueKeyFunction>("NtSetValueKey")(key, &counted, 0, type, data.data(),
                                                                      static_cast<ULONG>(data.size()));
    RegCloseKey(key);
    return status == 0;
}

// A sub-key of root\keyPath whose name may hold zeros, made at once and deleted with the object.
class CountedSubKey {
public:
    CountedSubKey(HKEY root, const std::wstring& keyPath, std::wstring name) {
        using namespace counted_names_detail;
        HKEY parent = nullptr;
        if (RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &parent, nullptr) != 0) {
            return;
        }
        UNICODE_STRING counted = Counted(name);
        OBJECT_ATTRIBUTES attributes{};
        attributes.Length = sizeof(attributes);
        attributes.RootDirectory = parent;
        attributes.ObjectName = &counted;
        attributes.Attributes = OBJ_CASE_INSENSITIVE;
        ULONG disposition = 0;
        if (Ntdll<NtCreateKeyFunction>("NtCreateKey")(&key_, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0,
                                                      &disposition) != 0) {
            key_ = nullptr;
        }
        RegCloseKey(parent);
    }
    CountedSubKey(const CountedSubKey&) = delete;
    CountedSubKey& operator=(const CountedSubKey&) = delete;
    ~CountedSubKey() {
        if (!key_) return;
        counted_names_detail::Ntdll<counted_names_detail::NtDeleteKeyFunction>("NtDeleteKey")(key_);
        CloseHandle(key_);
    }

    bool Made() const { return key_ != nullptr; }
    // Whether the key is still there: a deleted key's handle refuses a new value.
    bool StillThere() const {
        const DWORD data = 1;
        return key_ && RegSetValueExW(static_cast<HKEY>(key_), L"probe", 0, REG_DWORD,
                                      reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS;
    }

private:
    HANDLE key_ = nullptr;
};
