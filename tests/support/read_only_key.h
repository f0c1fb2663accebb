#pragma once
// A key whose security grants everyone read access only, the way current Windows protects many
// class registrations: opening it with full access fails with ERROR_ACCESS_DENIED, reading
// works. The key's own access list is put back when the object goes.
#include <windows.h>
#include <sddl.h>

#include <string>
#include <vector>

class ReadOnlyKey {
public:
    ReadOnlyKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, path_.c_str(), 0, READ_CONTROL, &key) == ERROR_SUCCESS) {
            DWORD size = 0;
            RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
            original_.resize(size);
            if (size == 0 ||
                RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, original_.data(), &size) != ERROR_SUCCESS)
                original_.clear();
            RegCloseKey(key);
        }
        PSECURITY_DESCRIPTOR readOnly = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly,
                                                                 nullptr)) {
            SetDacl(readOnly);
            LocalFree(readOnly);
        }
    }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;
    ~ReadOnlyKey() {
        if (!original_.empty()) SetDacl(original_.data());
    }

    // Whether the key now refuses full access and still opens for reading.
    bool RefusesWriteAccess() const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_ACCESS_DENIED) {
            if (key) RegCloseKey(key);
            return false;
        }
        if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

private:
    void SetDacl(PSECURITY_DESCRIPTOR descriptor) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, path_.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return;
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        RegCloseKey(key);
    }

    HKEY root_;
    std::string path_;
    std::vector<BYTE> original_;
};
