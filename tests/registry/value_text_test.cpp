#include "registry/value_text.h"

#include <gtest/gtest.h>

#include "tests/support/registry_sandbox.h"

// The tool dialogs show what it reads as names and file names: numbers, bytes and lists are
// refused and leave the text as it was.
TEST(ReadValueText, ReadsStringsAndRefusesEveryOtherType) {
    RegistrySandbox sandbox("ValueText");
    sandbox.SetString("", "plain", "C:\\tool.dll");
    sandbox.SetString("", "expand", "%SystemRoot%\\tool.dll", REG_EXPAND_SZ);
    sandbox.SetString("", "list", std::string("a\0b\0", 4), REG_MULTI_SZ);
    sandbox.SetString("", "bytes", "xy", REG_BINARY);
    sandbox.SetDword("", "number", 0x00414243);
    std::string text;
    ASSERT_TRUE(ReadValueText(HKEY_CURRENT_USER, sandbox.Path(), "plain", text));
    EXPECT_EQ(text, "C:\\tool.dll");
    ASSERT_TRUE(ReadValueText(HKEY_CURRENT_USER, sandbox.Path(), "expand", text));
    EXPECT_EQ(text.find('%'), std::string::npos) << text;
    for (const char* name : {"list", "bytes", "number", "missing"}) {
        text = "kept";
        EXPECT_FALSE(ReadValueText(HKEY_CURRENT_USER, sandbox.Path(), name, text)) << name;
        EXPECT_EQ(text, "kept") << name;
    }
}
