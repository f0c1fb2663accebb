// Remove with backup, then restore: each case starts from a dump of every touched key and file
// (names, types and bytes) and must end with the very same dump.
#include <gtest/gtest.h>

#include <functional>

#include "tests/backup/removal_fixture.h"

namespace {
struct RoundTripCase {
    const char* name;
    std::function<void(RemovalFixture&)> arrange;  // makes the data and its problems
};

void KeyOfEveryType(RemovalFixture& f, RootKeyValue root) {
    const std::string key = f.Below(root, "Tool \xE2\x98\x83");
    FillEveryValueType(RootHandle(root), Widen(key));
    f.KeyProblem(root, key);
}

// One value problem of a type, with the text its scanner records for it.
std::function<void(RemovalFixture&)> ValueOf(DWORD type, std::vector<BYTE> data, std::string recordText) {
    return [=](RemovalFixture& f) {
        const std::string key = f.Below(kCurrentUser, "Values");
        f.SetValue(kCurrentUser, key, L"Neighbour", REG_SZ, WideBytes(L"stays"));
        f.SetValue(kCurrentUser, key, L"Stale", type, data);
        f.ValueProblem(kCurrentUser, key, "Stale", recordText);
    };
}

std::vector<BYTE> UsageHistoryEntry() {
    std::vector<BYTE> data(72, 0);
    data[4] = 3;  // run count
    for (size_t i = 60; i < 68; ++i) data[i] = static_cast<BYTE>(i);
    return data;
}

class RemovalRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};
}  // namespace

TEST_P(RemovalRoundTrip, RestoreGivesBackTheSameDump) {
    RemovalFixture f;
    GetParam().arrange(f);
    const std::vector<std::string> before = f.Dump();
    ASSERT_FALSE(before.empty());

    const RemovalReport removed = f.Remove();
    EXPECT_TRUE(removed.AllRemoved()) << RemovalSummaryText(removed);
    EXPECT_EQ(RemovalSummaryText(removed), kItemsRemovedText);
    EXPECT_NE(f.Dump(), before);

    const RestoreReport restored = f.Restore(removed.archivePath);
    EXPECT_EQ(restored.status, RestoreReport::Status::Restored) << restored.Message();
    EXPECT_EQ(restored.Message(), kItemsRestoredText);
    EXPECT_TRUE(restored.replacedArchive.empty());
    EXPECT_EQ(f.Dump(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Items, RemovalRoundTrip,
    ::testing::Values(
        RoundTripCase{"KeyOfEveryTypeUnderCurrentUser", [](RemovalFixture& f) { KeyOfEveryType(f, kCurrentUser); }},
        RoundTripCase{"KeyOfEveryTypeUnderLocalMachine", [](RemovalFixture& f) { KeyOfEveryType(f, kLocalMachine); }},
        RoundTripCase{"KeyOfEveryTypeUnderClassesRoot", [](RemovalFixture& f) { KeyOfEveryType(f, kClassesRoot); }},
        // Its export is a key file far larger than its deflated entry, as regular data makes them.
        RoundTripCase{"KeyWithALargeRegularValue",
                      [](RemovalFixture& f) {
                          const std::string key = f.Below(kCurrentUser, "Large");
                          f.SetValue(kCurrentUser, key, L"Zeros", REG_BINARY, std::vector<BYTE>(3u << 20, 0));
                          f.KeyProblem(kCurrentUser, key);
                      }},
        RoundTripCase{"StringValue", ValueOf(REG_SZ, WideBytes(L"C:\\Gone\\a.dll"), "C:\\Gone\\a.dll")},
        RoundTripCase{"ExpandableValue", ValueOf(REG_EXPAND_SZ, WideBytes(L"%WINDIR%\\gone.dll"), "C:\\windows\\gone.dll")},
        RoundTripCase{"MultiStringValue",
                      ValueOf(REG_MULTI_SZ, WideBytes(std::wstring(L"C:\\a.dll\0C:\\b.dll\0", 18)), "C:\\a.dll")},
        RoundTripCase{"SharedFileCounterDword", ValueOf(REG_DWORD, {3, 0, 0, 0}, "")},
        RoundTripCase{"UsageHistoryBinary", ValueOf(REG_BINARY, UsageHistoryEntry(), "UEME_RUNPATH:C:\\Gone\\x.exe")},
        RoundTripCase{"QwordValue", ValueOf(REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}, "")},
        RoundTripCase{"NoneValue", ValueOf(REG_NONE, {0xde, 0xad}, "")},
        RoundTripCase{"StringWithEmbeddedZero", ValueOf(REG_SZ, WideBytes(std::wstring(L"C:\\a\0tail", 9)), "C:\\a")},
        RoundTripCase{"StringWithoutTerminator", ValueOf(REG_SZ, {'C', 0, ':', 0, '\\'}, "C:")},
        RoundTripCase{"UnknownTypeNumber", ValueOf(0x4242, {9, 8, 7}, "")},
        RoundTripCase{"DefaultValue",
                      [](RemovalFixture& f) {
                          const std::string key = f.Below(kLocalMachine, "WithDefault");
                          f.SetValue(kLocalMachine, key, L"", REG_SZ, WideBytes(L"C:\\Gone\\d.exe"));
                          f.ValueProblem(kLocalMachine, key, "", "C:\\Gone\\d.exe");
                      }},
        RoundTripCase{"UnicodeNameAndData",
                      [](RemovalFixture& f) {
                          const std::string key = f.Below(kCurrentUser, "Caf\xC3\xA9");
                          f.SetValue(kCurrentUser, key, L"Stra\x00df" L"e \x2603", REG_SZ, WideBytes(L"C:\\\x00c9t\x00e9\\a.dll"));
                          f.ValueProblem(kCurrentUser, key, "Stra\xC3\x9F" "e \xE2\x98\x83", "C:\\\xC3\x89t\xC3\xA9\\a.dll");
                      }},
        RoundTripCase{"ValueDirectlyUnderARoot",
                      [](RemovalFixture& f) {
                          const std::string name = f.SetRootValue(REG_DWORD, {5, 0, 0, 0});
                          f.ValueProblem(kCurrentUser, "", name, "");
                      }},
        RoundTripCase{"KeyThenAValueOfThatKey",
                      [](RemovalFixture& f) {
                          const std::string key = f.Below(kLocalMachine, "Both");
                          FillEveryValueType(HKEY_LOCAL_MACHINE, Widen(key));
                          f.KeyProblem(kLocalMachine, key);
                          f.ValueProblem(kLocalMachine, key, "Dword", "");
                      }},
        RoundTripCase{"AValueThenItsKey",
                      [](RemovalFixture& f) {
                          const std::string key = f.Below(kClassesRoot, "Both");
                          FillEveryValueType(HKEY_CLASSES_ROOT, Widen(key));
                          f.ValueProblem(kClassesRoot, key + "\\Child", "Binary", "");
                          f.KeyProblem(kClassesRoot, key);
                      }},
        RoundTripCase{"Shortcut", [](RemovalFixture& f) { f.ShortcutProblem("Desktop\\Tool.lnk", std::string("L\0\0\0link", 8)); }},
        RoundTripCase{"TwoShortcutsOfTheSameName",
                      [](RemovalFixture& f) {
                          f.ShortcutProblem("Desktop\\Tool.lnk", "first link");
                          f.ShortcutProblem("Start Menu\\Programs\\Tool.lnk", "second link");
                          f.ShortcutProblem("Other\\TOOL.LNK", "third link, other case");
                      }},
        RoundTripCase{"ADotNamedShortcutBesideAKey",
                      [](RemovalFixture& f) {
                          const std::string key = f.Below(kCurrentUser, "Exported");
                          f.SetValue(kCurrentUser, key, L"v", REG_DWORD, {1, 0, 0, 0});
                          f.ShortcutProblem("c\\.hidden.lnk", "dot name");
                          f.KeyProblem(kCurrentUser, key);
                      }},
        RoundTripCase{"EverythingInOneRemoval",
                      [](RemovalFixture& f) {
                          KeyOfEveryType(f, kCurrentUser);
                          KeyOfEveryType(f, kLocalMachine);
                          ValueOf(REG_DWORD, {1, 0, 0, 0}, "")(f);
                          f.ShortcutProblem("Desktop\\All.lnk", "link");
                          KeyOfEveryType(f, kClassesRoot);
                      }}),
    [](const ::testing::TestParamInfo<RoundTripCase>& testInfo) { return testInfo.param.name; });
