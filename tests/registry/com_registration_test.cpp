#include "registry/com_registration.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "registry/registry_lookup.h"
#include "tests/support/list_keys_lock.h"
#include "tests/support/read_only_key.h"
#include "tests/support/registry_sandbox.h"

namespace {
constexpr const char* kClassId = "{7D1A0E52-3B4C-4F0A-9E21-5A1C0D7E9B31}";

// Program ids and a class of this test, removed before and after. They are written to
// HKEY_CLASSES_ROOT itself: Wine's HKEY_CLASSES_ROOT does not show the current user's classes.
// The scanner tests walk HKEY_CLASSES_ROOT meanwhile, so these keys change only under their lock.
class ComRegistrationTest : public ::testing::Test {
protected:
    ListKeysLock lock_;

    void SetUp() override { RemoveAll(); }
    void TearDown() override { RemoveAll(); }

    static void RemoveAll() {
        for (const char* key : {"TidrexTest.Widget", "TidrexTest.Widget.3", "TidrexTest.Bare", "TidrexTest.Doc"}) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
        }
        RegDeleteTreeA(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + kClassId).c_str());
    }
    static void SetDefault(const std::string& path, const std::string& text) {
        RegSetKeyValueA(HKEY_CLASSES_ROOT, path.c_str(), nullptr, REG_SZ, text.c_str(),
                        static_cast<DWORD>(text.size() + 1));
    }
};
}  // namespace

TEST_F(ComRegistrationTest, ProgIdRegisteredWithItsClass) {
    SetDefault(std::string("CLSID\\") + kClassId, "Tidrex test widget");
    SetDefault("TidrexTest.Widget.3\\CLSID", kClassId);
    EXPECT_TRUE(ProgIdIsValid("TidrexTest.Widget.3", RegistryView::Bits64));
}

TEST_F(ComRegistrationTest, ProgIdKeyWithoutClassIsValid) {
    SetDefault("TidrexTest.Bare", "no class");
    EXPECT_TRUE(ProgIdIsValid("TidrexTest.Bare", RegistryView::Bits64));
}

TEST_F(ComRegistrationTest, VersionIndependentKeyKeepsAVersionedIdValid) {
    SetDefault("TidrexTest.Doc", "version independent");
    EXPECT_TRUE(ProgIdIsValid("TidrexTest.Doc.8", RegistryView::Bits64));
    EXPECT_TRUE(ProgIdIsValid("TidrexTest.Doc.1.0", RegistryView::Bits64));
    EXPECT_FALSE(ProgIdIsValid("TidrexTest.Docs.8", RegistryView::Bits64));
}

TEST_F(ComRegistrationTest, UnregisteredIdsAreInvalidUnlessTheyNameAFile) {
    EXPECT_FALSE(ProgIdIsValid("", RegistryView::Bits64));
    EXPECT_FALSE(ProgIdIsValid("TidrexTest.Gone.2", RegistryView::Bits64));
    EXPECT_FALSE(ProgIdIsValid("TidrexTest.Gone", RegistryView::Bits64));
    EXPECT_TRUE(ProgIdIsValid("notepad.exe", RegistryView::Bits64));
    EXPECT_TRUE(ProgIdIsValid("rundll32 gone.dll,Entry", RegistryView::Bits64));
    EXPECT_TRUE(ProgIdIsValid("D:\\gone\\TidrexTest.Gone.2", RegistryView::Bits64));
}

TEST_F(ComRegistrationTest, ClassIdWithOrWithoutBraces) {
    SetDefault(std::string("CLSID\\") + kClassId, "Tidrex test widget");
    const std::string bare = std::string(kClassId).substr(1, 36);
    EXPECT_TRUE(ClassIdExists(kClassId));
    EXPECT_TRUE(ClassIdExists(bare));
    EXPECT_FALSE(ClassIdExists(""));
    EXPECT_FALSE(ClassIdExists("{00000000-1111-2222-3333-444444444444}"));
}

TEST_F(ComRegistrationTest, TypeLibraryLookup) {
    const std::string id = "{5B0E7C11-0D2A-4E7B-8F3C-2A9D1E6B4C70}";
    EXPECT_FALSE(TypeLibExists(id));
    SetDefault("TypeLib\\" + id + "\\1.0", "Tidrex test library");
    EXPECT_TRUE(TypeLibExists(id));
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ("TypeLib\\" + id).c_str());
    EXPECT_FALSE(TypeLibExists(id));
}

// Current Windows lets many class registrations be read but not written, even by administrators.
TEST_F(ComRegistrationTest, RegistrationsThatRefuseWriteAccessExist) {
    const std::string typeLibId = "{5B0E7C11-0D2A-4E7B-8F3C-2A9D1E6B4C71}";
    SetDefault(std::string("CLSID\\") + kClassId, "Tidrex test widget");
    SetDefault("TypeLib\\" + typeLibId + "\\1.0", "Tidrex test library");
    {
        const ReadOnlyKey protectedClass(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kClassId);
        const ReadOnlyKey protectedLibrary(HKEY_CLASSES_ROOT, "TypeLib\\" + typeLibId);
        ASSERT_TRUE(protectedClass.RefusesWriteAccess());
        ASSERT_TRUE(protectedLibrary.RefusesWriteAccess());
        EXPECT_TRUE(ClassIdExists(kClassId));
        EXPECT_TRUE(TypeLibExists(typeLibId));
        EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kClassId));
    }
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ("TypeLib\\" + typeLibId).c_str());
}

TEST(RegistryLookup, ReadRegStringAndKeyTest) {
    RegistrySandbox sandbox("RegistryLookup");
    sandbox.SetString("", "Text", "hello");
    sandbox.SetString("", "Longest", std::string(254, 'x'));
    sandbox.SetString("", "TooLong", std::string(255, 'x'));
    sandbox.SetDword("", "Number", 7);
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, sandbox.Path(), "Text"), "hello");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, sandbox.Path(), "Longest"), std::string(254, 'x'));
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, sandbox.Path(), "TooLong"), "");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, sandbox.Path(), "Missing"), "");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, sandbox.Sub("Gone"), "Text"), "");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, sandbox.Path(), "Number"), std::string("\x07"));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, sandbox.Path()));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, sandbox.Sub("Gone")));
}
