#include "registry/registry_delete.h"

#include <shlwapi.h>

#include <functional>
#include <vector>

#include "base/runtime_function.h"
#include "registry/code_page_text.h"

UniqueHeapBlock GetCurrentUserSid() {
    UniqueKernelObject token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) {
        token.release();
        return {};
    }
    DWORD size = 0;
    if (GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size) || GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return {};
    }
    UniqueHeapBlock tokenUser(HeapAlloc(GetProcessHeap(), 0, size));
    if (!tokenUser || !GetTokenInformation(token.get(), TokenUser, tokenUser.get(), size, &size)) return {};
    const PSID userSid = static_cast<TOKEN_USER*>(tokenUser.get())->User.Sid;
    const DWORD sidLength = GetLengthSid(userSid);
    UniqueHeapBlock sid(HeapAlloc(GetProcessHeap(), 0, sidLength));
    if (!sid || !CopySid(sidLength, sid.get(), userSid)) return {};
    return sid;
}

namespace {
// Deletes the key and its whole sub-tree bottom-up, by the names' exact UTF-16 (a name the code
// page cannot spell still deletes). A sub-key that cannot be opened by its name stays, and so
// does the key above it: its deletion then fails.
LONG DeleteKeyTree(HKEY parent, const std::u16string& name) {
    UniqueHkey key;
    const LONG opened = RegOpenKeyExW(parent, WideChars(name), 0, KEY_ALL_ACCESS, key.put());
    if (opened != ERROR_SUCCESS) {
        key.release();
        return opened;
    }
    for (DWORD index = 0;;) {
        wchar_t child[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key.get(), index, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        // Each deletion moves the next sub-key to the same index.
        const LONG error = DeleteKeyTree(key.get(), std::u16string(reinterpret_cast<const char16_t*>(child), length));
        if (error == ERROR_FILE_NOT_FOUND) ++index;
        else if (error != ERROR_SUCCESS) return error;
    }
    key.reset();
    return RegDeleteKeyW(parent, WideChars(name));
}

// The key's present DACL, or none when it cannot be read or is absent.
std::vector<BYTE> ReadDaclDescriptor(HKEY key, PACL& dacl) {
    dacl = nullptr;
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    if (size == 0) return {};
    std::vector<BYTE> descriptor(size);
    if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor.data(), &size) != ERROR_SUCCESS) return {};
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    if (!GetSecurityDescriptorDacl(descriptor.data(), &present, &dacl, &defaulted) || !present) dacl = nullptr;
    return descriptor;
}

// Full control for the SID first, then every ACE the key already had, in its order.
std::vector<BYTE> BuildGrantingDacl(PSID sid, PACL existing) {
    DWORD size = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid) - sizeof(DWORD);
    ACL_SIZE_INFORMATION info{};
    if (existing && GetAclInformation(existing, &info, sizeof(info), AclSizeInformation)) {
        size += info.AclBytesInUse - sizeof(ACL);
    } else {
        existing = nullptr;
    }
    size = (size + sizeof(DWORD) - 1) & ~(sizeof(DWORD) - 1);
    std::vector<BYTE> buffer(size);
    auto* acl = reinterpret_cast<PACL>(buffer.data());
    if (!InitializeAcl(acl, size, ACL_REVISION) ||
        !AddAccessAllowedAceEx(acl, ACL_REVISION, CONTAINER_INHERIT_ACE, KEY_ALL_ACCESS, sid)) {
        return {};
    }
    for (DWORD index = 0; existing && index < info.AceCount; ++index) {
        void* ace = nullptr;
        if (!GetAce(existing, index, &ace)) continue;
        AddAce(acl, ACL_REVISION, MAXDWORD, ace, static_cast<ACE_HEADER*>(ace)->AceSize);
    }
    return buffer;
}

bool GrantFullControl(HKEY key, PSID sid) {
    PACL existing = nullptr;
    const std::vector<BYTE> oldDescriptor = ReadDaclDescriptor(key, existing);
    std::vector<BYTE> dacl = BuildGrantingDacl(sid, existing);
    if (dacl.empty()) return false;
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, reinterpret_cast<PACL>(dacl.data()), FALSE)) {
        return false;
    }
    return RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
}

// Runs a deletion; when Windows refuses it for lack of rights, grants them and tries once more.
// The error code of the last attempt.
LONG DeleteWithAccessRetry(HKEY root, const std::string& keyPath, const std::function<LONG()>& deletion) {
    const LONG error = deletion();
    if (error != ERROR_ACCESS_DENIED) return error;
    UniqueHeapBlock sid = GetCurrentUserSid();
    if (!sid || !ResetKeyTreeAccess(root, keyPath.c_str(), sid.get(), true)) return error;
    return deletion();
}
}  // namespace

bool ResetKeyTreeAccess(HKEY parent, const char* keyPath, PSID sid, bool recursive) {
    if (keyPath == nullptr) return false;
    {
        UniqueHkey key;
        if (RegOpenKeyExA(parent, keyPath, 0, WRITE_DAC | READ_CONTROL, key.put()) != ERROR_SUCCESS &&
            RegOpenKeyExA(parent, keyPath, 0, WRITE_DAC, key.put()) != ERROR_SUCCESS) {
            key.release();
            return false;
        }
        if (!GrantFullControl(key.get(), sid)) return false;
    }
    if (!recursive) return true;

    UniqueHkey key;
    DWORD subKeys = 0;
    if (RegOpenKeyExA(parent, keyPath, 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
        key.release();
        return false;
    }
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    for (DWORD index = 0; index < subKeys; ++index) {
        char name[261];
        const LONG result = RegEnumKeyA(key.get(), index, name, sizeof(name));
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result == ERROR_SUCCESS) ResetKeyTreeAccess(key.get(), name, sid, recursive);
    }
    return true;
}

LONG RemoveRegKey(HKEY root, const std::string& keyPath) {
    // An empty path would name the root itself and empty a whole hive.
    if (keyPath.empty()) return ERROR_INVALID_PARAMETER;
    const std::u16string path = WideFromAnsi(keyPath);
    return DeleteWithAccessRetry(root, keyPath, [&] { return DeleteKeyTree(root, path); });
}

LONG RemoveRegValue(HKEY root, const std::string& keyPath, const std::string& valueName) {
    return DeleteWithAccessRetry(
        root, keyPath, [&] { return static_cast<LONG>(SHDeleteValueA(root, keyPath.c_str(), valueName.c_str())); });
}

LONG RemoveHeldKey(UniqueHkey heldKey, HKEY root, const std::string& keyPath) {
    using NtDeleteKeyFunction = LONG(NTAPI*)(HANDLE);
    constexpr LONG kStatusKeyDeleted = static_cast<LONG>(0xC000017C);
    static const auto ntDeleteKey = FindFunction<NtDeleteKeyFunction>(GetModuleHandleA("ntdll.dll"), "NtDeleteKey");
    if (heldKey && ntDeleteKey) {
        const LONG status = ntDeleteKey(heldKey.get());
        if (status == 0) return ERROR_SUCCESS;
        if (status == kStatusKeyDeleted) return ERROR_FILE_NOT_FOUND;
    }
    heldKey.reset();
    return RemoveRegKey(root, keyPath);
}

LONG RemoveHeldValue(HKEY heldKey, HKEY root, const std::string& keyPath, const std::string& valueName) {
    if (heldKey) {
        const LONG error = RegDeleteValueA(heldKey, valueName.c_str());
        if (error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND) return error;
        if (error == ERROR_KEY_DELETED) return ERROR_FILE_NOT_FOUND;
    }
    return RemoveRegValue(root, keyPath, valueName);
}
