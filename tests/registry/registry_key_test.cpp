#include "registry/registry_key.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/registry_sandbox.h"

TEST(CRegistry, OpensAndNamesTheKeyPath) {
    RegistrySandbox sandbox("KeyNames");
    CRegistry key(HKEY_CURRENT_USER, sandbox.Path());
    ASSERT_TRUE(key.IsOpen());
    EXPECT_EQ(key.Name(), "HKEY_CURRENT_USER\\" + sandbox.Path());
    ASSERT_TRUE(key.CreateKey("Child", true));
    EXPECT_EQ(key.Name(), "HKEY_CURRENT_USER\\" + sandbox.Path() + "\\Child");
    EXPECT_TRUE(sandbox.KeyExists("Child"));
}

TEST(CRegistry, CreateWithoutDescendKeepsTheKeyAndName) {
    RegistrySandbox sandbox("CreateNoDescend");
    CRegistry key(HKEY_CURRENT_USER, sandbox.Path());
    ASSERT_TRUE(key.CreateKey("A\\B", false));
    EXPECT_EQ(key.Name(), "HKEY_CURRENT_USER\\" + sandbox.Path());
    EXPECT_TRUE(key.KeyExists("A\\B"));
    EXPECT_FALSE(key.KeyExists("Missing"));
}

TEST(CRegistry, FailedOpenSubKeyKeepsExtendedNameAndHoldsNoKey) {
    RegistrySandbox sandbox("OpenSubKeyFails");
    CRegistry key(HKEY_CURRENT_USER, sandbox.Path());
    EXPECT_FALSE(key.OpenSubKey("NoSuchKey"));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.Name(), "HKEY_CURRENT_USER\\" + sandbox.Path() + "\\NoSuchKey");
    DWORD number = 7;
    EXPECT_FALSE(key.ReadDword("x", number));
    EXPECT_EQ(number, 7u);
}

TEST(CRegistry, NamesItselfAfterTheRootHandle) {
    CRegistry config(HKEY_CURRENT_CONFIG);
    ASSERT_TRUE(config.IsOpen());
    EXPECT_EQ(config.Name(), "HKEY_CURRENT_CONFIG");
    EXPECT_EQ(RootKeyName(HKEY_CURRENT_CONFIG), "");

    RegistrySandbox sandbox("UnknownRoot");
    HKEY plain = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, sandbox.Path().c_str(), 0, KEY_ALL_ACCESS, &plain), ERROR_SUCCESS);
    {
        CRegistry onPlainHandle(plain);
        EXPECT_TRUE(onPlainHandle.IsOpen());
        EXPECT_EQ(onPlainHandle.Name(), "CRegistry needs an update!");
    }
    RegCloseKey(plain);
}

TEST(CRegistry, ReadsOnlyValuesOfTheRightType) {
    RegistrySandbox sandbox("Reads");
    sandbox.SetDword("", "Number", 42);
    sandbox.SetString("", "Text", "hello");
    sandbox.SetString("", "Expand", "%SystemRoot%\\x", REG_EXPAND_SZ);
    CRegistry key(HKEY_CURRENT_USER, sandbox.Path());

    DWORD number = 0;
    EXPECT_TRUE(key.ReadDword("Number", number));
    EXPECT_EQ(number, 42u);
    number = 9;
    EXPECT_FALSE(key.ReadDword("Text", number));
    EXPECT_EQ(number, 9u);

    std::string text = "unchanged";
    EXPECT_TRUE(key.ReadString("Text", text));
    EXPECT_EQ(text, "hello");
    text = "unchanged";
    EXPECT_FALSE(key.ReadString("Number", text));
    EXPECT_FALSE(key.ReadString("Missing", text));
    EXPECT_EQ(text, "unchanged");
    ASSERT_TRUE(key.ReadString("Expand", text));
    EXPECT_EQ(text.find('%'), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\\x");
}

TEST(CRegistry, WritesStringsWithTheirTerminator) {
    RegistrySandbox sandbox("Writes");
    CRegistry key(HKEY_CURRENT_USER, sandbox.Path());
    ASSERT_TRUE(key.WriteString("Name", std::string("abc")));
    ASSERT_TRUE(key.WriteDword("Count", 5));
    DWORD size = 0;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExA(key.Key(), "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 4u);
    DWORD count = 0;
    EXPECT_TRUE(key.ReadDword("Count", count));
    EXPECT_EQ(count, 5u);
}

TEST(CRegistry, EnumerationsWrapToTheFirstItemAfterTheEnd) {
    RegistrySandbox sandbox("Enumerate");
    sandbox.CreateKey("One");
    sandbox.CreateKey("Two");
    sandbox.SetString("", "First", "1");
    sandbox.SetString("", "Second", "2");
    CRegistry key(HKEY_CURRENT_USER, sandbox.Path());

    std::vector<std::string> keys;
    std::string name;
    while (key.EnumKey(name)) keys.push_back(name);
    EXPECT_EQ(keys.size(), 2u);
    ASSERT_TRUE(key.EnumKey(name));
    EXPECT_EQ(name, keys.front());

    std::vector<std::string> values;
    DWORD type = 0;
    while (key.EnumValue(name, type)) values.push_back(name);
    EXPECT_EQ(values.size(), 2u);
    ASSERT_TRUE(key.EnumValue(name, type));
    EXPECT_EQ(name, values.front());
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST(CRegistry, KeepsUtf8NamesWhole) {
    RegistrySandbox sandbox("Utf8");
    const std::string name = "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC";
    sandbox.CreateKey(name);
    CRegistry key(HKEY_CURRENT_USER, sandbox.Path());
    std::string found;
    ASSERT_TRUE(key.EnumKey(found));
    EXPECT_EQ(found, name);
    EXPECT_EQ(GetACP(), 65001u);
}
