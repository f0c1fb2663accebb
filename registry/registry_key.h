#pragma once
// CRegistry: the key wrapper that the preferences, the scanners, the restore and the
// tool dialogs open, read, write and enumerate keys with.
#include <windows.h>

#include <cstdint>
#include <string>

#include "registry/root_keys.h"
#include "base/unique_handles.h"

// The Windows handle of a predefined root (sign-extended on 64-bit Windows).
inline HKEY RootKeyHandle(RootKeyValue root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}
// The 32-bit value of a predefined root handle; 0 for an ordinary key handle.
RootKeyValue RootKeyValueOf(HKEY root);
std::string RootKeyName(HKEY root);

class CRegistry {
public:
    CRegistry() = default;
    explicit CRegistry(HKEY root);
    CRegistry(HKEY root, const std::string& path);
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;
    virtual ~CRegistry();

    bool Open(HKEY root);
    bool Open(HKEY root, const std::string& path);
    // The name grows by the path before the attempt, so a failed open still tells where it failed.
    bool OpenSubKey(const std::string& path);
    bool CreateKey(const std::string& path, bool descend);
    bool KeyExists(const std::string& path) const;
    void Close();

    // Outputs are written only on success.
    bool ReadDword(const char* valueName, DWORD& number) const;
    bool ReadString(const char* valueName, std::string& text) const;
    bool WriteDword(const char* valueName, DWORD number) const;
    bool WriteString(const char* valueName, const std::string& text) const;
    bool WriteString(const char* valueName, const char* text) const;

    // Both enumerations wrap: after the last item (or any failure) the next call starts over.
    bool EnumKey(std::string& name);
    bool EnumValue(std::string& name, DWORD& type);

    HKEY Key() const { return key_.get(); }
    const std::string& Name() const { return name_; }
    bool IsOpen() const { return static_cast<bool>(key_); }

private:
    UniqueHkey key_;
    std::string name_;
    uint32_t valueIndex_ = 0;
    uint32_t keyIndex_ = 0;
};
