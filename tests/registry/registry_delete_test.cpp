#include "registry/registry_delete.h"

#include <aclapi.h>
#include <gtest/gtest.h>

#include <vector>

#include "registry/key_export.h"
#include "registry/value_bytes.h"
#include "tests/support/registry_sandbox.h"

namespace {
// Replaces the key's DACL with an empty one: nobody may open it for anything then.
void DenyEveryone(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    ACL acl;
    ASSERT_TRUE(InitializeAcl(&acl, sizeof(acl), ACL_REVISION));
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
    RegCloseKey(key);
}

struct DaclSummary {
    DWORD aceCount = 0;
    bool firstAceAllowsUser = false;
};

DaclSummary ReadDacl(HKEY root, const std::string& path, PSID user) {
    DaclSummary summary;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, READ_CONTROL, &key) != ERROR_SUCCESS) return summary;
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    std::vector<BYTE> buffer(size);
    if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, buffer.data(), &size) == ERROR_SUCCESS) {
        BOOL present = FALSE, defaulted = FALSE;
        PACL dacl = nullptr;
        GetSecurityDescriptorDacl(buffer.data(), &present, &dacl, &defaulted);
        if (present && dacl) {
            summary.aceCount = dacl->AceCount;
            void* ace = nullptr;
            if (GetAce(dacl, 0, &ace)) {
                auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
                summary.firstAceAllowsUser = allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
                                             (allowed->Mask & KEY_ALL_ACCESS) == KEY_ALL_ACCESS &&
                                             EqualSid(&allowed->SidStart, user);
            }
        }
    }
    RegCloseKey(key);
    return summary;
}
}  // namespace

TEST(RemoveRegKey, DeletesAThreeLevelTree) {
    RegistrySandbox sandbox("DeleteTree");
    sandbox.CreateKey("Top\\Middle\\Bottom");
    sandbox.CreateKey("Top\\Middle\\Other");
    sandbox.CreateKey("Top\\Side");
    sandbox.SetString("Top\\Middle\\Bottom", "v", "data");
    EXPECT_EQ(RemoveRegKey(HKEY_CURRENT_USER, sandbox.Sub("Top")), ERROR_SUCCESS);
    EXPECT_FALSE(sandbox.KeyExists("Top"));
    EXPECT_TRUE(sandbox.KeyExists(""));
}

TEST(RemoveRegKey, MissingKeyIsNotFound) {
    RegistrySandbox sandbox("DeleteMissing");
    EXPECT_EQ(RemoveRegKey(HKEY_CURRENT_USER, sandbox.Sub("Nothing")), ERROR_FILE_NOT_FOUND);
}

TEST(RemoveRegKey, EmptyPathNeverEmptiesAHive) {
    RegistrySandbox sandbox("EmptyPath");
    EXPECT_EQ(RemoveRegKey(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(sandbox.KeyExists(""));
}

TEST(RemoveRegKey, RetriesAfterGrantingAccess) {
    RegistrySandbox sandbox("DeleteDenied");
    sandbox.CreateKey("Locked\\Inner");
    DenyEveryone(HKEY_CURRENT_USER, sandbox.Sub("Locked\\Inner"));
    DenyEveryone(HKEY_CURRENT_USER, sandbox.Sub("Locked"));
    HKEY probe = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, sandbox.Sub("Locked").c_str(), 0, KEY_ALL_ACCESS, &probe),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RemoveRegKey(HKEY_CURRENT_USER, sandbox.Sub("Locked")), ERROR_SUCCESS);
    EXPECT_FALSE(sandbox.KeyExists("Locked"));
}

TEST(RemoveRegValue, DeletesNamedAndDefaultValues) {
    RegistrySandbox sandbox("DeleteValues");
    sandbox.SetString("", "", "default data");
    sandbox.SetString("", "Named", "x");
    sandbox.SetString("", "Kept", "y");
    EXPECT_EQ(RemoveRegValue(HKEY_CURRENT_USER, sandbox.Path(), ""), ERROR_SUCCESS);
    EXPECT_FALSE(sandbox.ValueExists("", ""));
    EXPECT_EQ(RemoveRegValue(HKEY_CURRENT_USER, sandbox.Path(), "Named"), ERROR_SUCCESS);
    EXPECT_FALSE(sandbox.ValueExists("", "Named"));
    EXPECT_TRUE(sandbox.ValueExists("", "Kept"));
    EXPECT_EQ(RemoveRegValue(HKEY_CURRENT_USER, sandbox.Path(), "Named"), ERROR_FILE_NOT_FOUND);
}

TEST(RemoveRegValue, RetriesAfterGrantingAccess) {
    RegistrySandbox sandbox("DeleteValueDenied");
    sandbox.SetString("Locked", "Stale", "c:\\gone.dll");
    DenyEveryone(HKEY_CURRENT_USER, sandbox.Sub("Locked"));
    EXPECT_EQ(RemoveRegValue(HKEY_CURRENT_USER, sandbox.Sub("Locked"), "Stale"), ERROR_SUCCESS);
    EXPECT_FALSE(sandbox.ValueExists("Locked", "Stale"));
}

TEST(ResetKeyTreeAccess, GrantsTheUserOnEveryKeyAndKeepsOtherEntries) {
    RegistrySandbox sandbox("ResetAccess");
    sandbox.CreateKey("Tree\\A\\B");
    UniqueHeapBlock sid = GetCurrentUserSid();
    ASSERT_TRUE(sid);
    const DWORD before = ReadDacl(HKEY_CURRENT_USER, sandbox.Sub("Tree\\A"), sid.get()).aceCount;

    ASSERT_TRUE(ResetKeyTreeAccess(HKEY_CURRENT_USER, sandbox.Sub("Tree").c_str(), sid.get(), true));
    for (const char* path : {"Tree", "Tree\\A", "Tree\\A\\B"}) {
        const DaclSummary after = ReadDacl(HKEY_CURRENT_USER, sandbox.Sub(path), sid.get());
        EXPECT_TRUE(after.firstAceAllowsUser) << path;
    }
    EXPECT_EQ(ReadDacl(HKEY_CURRENT_USER, sandbox.Sub("Tree\\A"), sid.get()).aceCount, before + 1);
    EXPECT_FALSE(ResetKeyTreeAccess(HKEY_CURRENT_USER, nullptr, sid.get(), true));
    EXPECT_FALSE(ResetKeyTreeAccess(HKEY_CURRENT_USER, sandbox.Sub("Missing").c_str(), sid.get(), true));
}

TEST(RemoveHeldKey, DeletesTheHeldKeyAndLeavesAKeyMadeAnewAlone) {
    RegistrySandbox sandbox("HeldKey");
    sandbox.SetString("Saved", "v", "old");
    KeyExport saved = ExportKey(kCurrentUser, sandbox.Sub("Saved"), true);
    ASSERT_TRUE(saved.heldKey);
    EXPECT_EQ(RemoveHeldKey(std::move(saved.heldKey), HKEY_CURRENT_USER, sandbox.Sub("Saved")), ERROR_SUCCESS);
    EXPECT_FALSE(sandbox.KeyExists("Saved"));

    sandbox.SetString("Replaced", "v", "old");
    KeyExport replaced = ExportKey(kCurrentUser, sandbox.Sub("Replaced"), true);
    ASSERT_TRUE(replaced.heldKey);
    RegDeleteTreeA(HKEY_CURRENT_USER, sandbox.Sub("Replaced").c_str());
    sandbox.SetString("Replaced", "v", "new, never saved");
    // The saved key is gone either way (Wine reports the deletion of a deleted key as done).
    const LONG result = RemoveHeldKey(std::move(replaced.heldKey), HKEY_CURRENT_USER, sandbox.Sub("Replaced"));
    EXPECT_TRUE(result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) << result;
    EXPECT_TRUE(sandbox.ValueExists("Replaced", "v"));
}

TEST(RemoveHeldKey, KeysWithSubKeysAreNotHeldAndGoTheOrdinaryWay) {
    RegistrySandbox sandbox("HeldTree");
    sandbox.CreateKey("Tree\\Child");
    KeyExport saved = ExportKey(kCurrentUser, sandbox.Sub("Tree"), true);
    EXPECT_FALSE(saved.heldKey);
    EXPECT_EQ(RemoveHeldKey(std::move(saved.heldKey), HKEY_CURRENT_USER, sandbox.Sub("Tree")), ERROR_SUCCESS);
    EXPECT_FALSE(sandbox.KeyExists("Tree"));
}

TEST(RemoveHeldValue, DeletesThroughTheHeldKeyAndTakesADeletedKeyForGone) {
    RegistrySandbox sandbox("HeldValue");
    sandbox.SetString("Key", "a", "1");
    sandbox.SetString("Key", "b", "2");
    ValueBytesReader reader(true);
    const ValueBytes a = reader.Read(kCurrentUser, sandbox.Sub("Key"), "a");
    const ValueBytes b = reader.Read(kCurrentUser, sandbox.Sub("Key"), "b");
    ASSERT_TRUE(a.heldKey && b.heldKey);
    EXPECT_EQ(a.heldKey, b.heldKey);
    // Kept until the deletion, 100,000 of them at once: no spare room beside the bytes.
    EXPECT_EQ(a.data.capacity(), a.data.size());
    EXPECT_EQ(RemoveHeldValue(a.heldKey->get(), HKEY_CURRENT_USER, sandbox.Sub("Key"), "a"), ERROR_SUCCESS);
    EXPECT_FALSE(sandbox.ValueExists("Key", "a"));
    RegDeleteTreeA(HKEY_CURRENT_USER, sandbox.Sub("Key").c_str());
    EXPECT_EQ(RemoveHeldValue(b.heldKey->get(), HKEY_CURRENT_USER, sandbox.Sub("Key"), "b"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RemoveHeldValue(nullptr, HKEY_CURRENT_USER, sandbox.Sub("Key"), "b"), ERROR_FILE_NOT_FOUND);
}
