// What a removal keeps although its backup seemed to succeed: exports that would not restore,
// names read with substitutes, and items that changed between the backup and their deletion.
#include <gtest/gtest.h>

#include <functional>

#include "registry/inexact_names.h"
#include "tests/backup/removal_fixture.h"
#include "tests/support/counted_names.h"

namespace {
DWORD ValueCount(HKEY root, const std::string& keyPath) {
    HKEY key = nullptr;
    DWORD values = 0;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return values;
}

// The first value's or sub-key's name as the scan's "A" functions read it.
std::string SpelledName(HKEY root, const std::string& keyPath, bool value) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    char name[512];
    DWORD length = sizeof(name);
    const LONG error = value ? RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr)
                             : RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return error == ERROR_SUCCESS ? std::string(name, length) : std::string();
}
}  // namespace

TEST(RemovalSafety, KeysWhoseExportCannotRestoreThemAreKept) {
    RemovalFixture f;
    const std::string zeroValue = f.Below(kCurrentUser, "ZeroInValueName");
    f.SetValue(kCurrentUser, zeroValue, L"plain", REG_SZ, WideBytes(L"x"));
    ASSERT_TRUE(
        SetCountedValue(HKEY_CURRENT_USER, Widen(zeroValue), std::wstring(L"a\0b", 3), REG_DWORD, {1, 0, 0, 0}));
    const std::string zeroChild = f.Below(kCurrentUser, "ZeroInSubKeyName");
    f.SetValue(kCurrentUser, zeroChild, L"v", REG_SZ, WideBytes(L"y"));
    const CountedSubKey child(HKEY_CURRENT_USER, Widen(zeroChild), std::wstring(L"c\0d", 3));
    ASSERT_TRUE(child.Made());
    const std::string fine = f.Below(kCurrentUser, "Fine");
    FillEveryValueType(HKEY_CURRENT_USER, Widen(fine));
    f.KeyProblem(kCurrentUser, zeroValue);
    f.KeyProblem(kCurrentUser, zeroChild);
    f.KeyProblem(kCurrentUser, fine);
    const std::vector<std::string> before = f.Dump();

    const RemovalReport report = f.Remove();
    EXPECT_EQ(report.removed, 1);
    ASSERT_EQ(report.kept.size(), 2u) << RemovalSummaryText(report);
    EXPECT_EQ(report.kept[0].reason, KeptReason::BackupUnreadable);
    EXPECT_NE(report.kept[0].detail.find("a value name holds a zero character"), std::string::npos)
        << report.kept[0].detail;
    EXPECT_EQ(report.kept[1].reason, KeptReason::BackupIncomplete);
    EXPECT_NE(report.kept[1].detail.find("a sub-key name holds a zero character"), std::string::npos)
        << report.kept[1].detail;
    EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, zeroValue), 2u);
    EXPECT_TRUE(child.StillThere());
    EXPECT_NE(RemovalSummaryText(report).find("its backup does not read back: 1"), std::string::npos);
    EXPECT_EQ(f.Restore(report.archivePath).status, RestoreReport::Status::Restored);
    EXPECT_EQ(f.Dump(), before);
}

class InexactNames : public ::testing::TestWithParam<bool> {};

// A name with a lone surrogate has no spelling in the code page: the scan reads it with a
// substitute, and that text opens nothing although the entry is there.
TEST_P(InexactNames, AreKeptNotTakenForGone) {
    RemovalFixture f;
    const std::string values = f.Below(kCurrentUser, "Values");
    f.SetValue(kCurrentUser, values, L"Lone \xD800 surrogate", REG_SZ, WideBytes(L"C:\\gone.exe"));
    const std::string keys = f.Below(kCurrentUser, "Keys");
    SetRawValue(HKEY_CURRENT_USER, Widen(keys) + L"\\Key \xDC00", L"v", REG_DWORD, {2, 0, 0, 0});
    const std::string valueName = SpelledName(HKEY_CURRENT_USER, values, true);
    const std::string keyName = SpelledName(HKEY_CURRENT_USER, keys, false);
    ASSERT_TRUE(HasSubstitutedCharacters(valueName)) << valueName;
    ASSERT_TRUE(HasSubstitutedCharacters(keyName)) << keyName;
    f.ValueProblem(kCurrentUser, values, valueName, "C:\\gone.exe");
    f.KeyProblem(kCurrentUser, keys + "\\" + keyName);
    const std::vector<std::string> before = f.Dump();

    const RemovalReport report = f.Remove(GetParam());
    EXPECT_EQ(report.removed, 0);
    ASSERT_EQ(report.kept.size(), 2u) << RemovalSummaryText(report);
    for (const KeptItem& kept : report.kept) EXPECT_EQ(kept.reason, KeptReason::InexactName);
    EXPECT_NE(RemovalSummaryText(report).find("its name cannot be read exactly: 2"), std::string::npos);
    EXPECT_EQ(f.Dump(), before);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutBackup, InexactNames, ::testing::Bool());

TEST(RemovalSafety, AKeyWhoseSubKeyNameHasNoSpellingIsDeletedWhole) {
    RemovalFixture f;
    const std::string key = f.Below(kCurrentUser, "Parent");
    SetRawValue(HKEY_CURRENT_USER, Widen(key) + L"\\Child \xD800", L"v", REG_DWORD, {1, 0, 0, 0});
    SetRawValue(HKEY_CURRENT_USER, Widen(key) + L"\\Child \xD800\\Grand \xDBFF", L"w", REG_DWORD, {2, 0, 0, 0});
    f.KeyProblem(kCurrentUser, key);
    const std::vector<std::string> before = f.Dump();
    const RemovalReport report = f.Remove();
    EXPECT_TRUE(report.AllRemoved()) << RemovalSummaryText(report);
    EXPECT_EQ(report.alreadyGone, 0);
    EXPECT_TRUE(DumpRegistryTree(HKEY_CURRENT_USER, key).empty());
    EXPECT_EQ(f.Restore(report.archivePath).status, RestoreReport::Status::Restored);
    EXPECT_EQ(f.Dump(), before);
}

namespace {
struct ChangeCase {
    const char* name;
    std::function<void(RemovalFixture&)> arrange;  // the item and its problem
    std::function<void(RemovalFixture&)> change;   // another program, between the backup and the deletion
};

class ChangedSinceTheScan : public ::testing::TestWithParam<ChangeCase> {};
}  // namespace

TEST_P(ChangedSinceTheScan, IsKeptAsItIsNow) {
    RemovalFixture f;
    GetParam().arrange(f);
    std::vector<std::string> changed;
    const RemovalReport report = f.Remove(true, [&] {
        EXPECT_TRUE(FileExists(f.backup.ArchivePath()));
        GetParam().change(f);
        changed = f.Dump();
    });
    EXPECT_EQ(report.removed, 0);
    ASSERT_EQ(report.kept.size(), 1u) << RemovalSummaryText(report);
    EXPECT_EQ(report.kept[0].reason, KeptReason::Changed);
    EXPECT_NE(RemovalSummaryText(report).find(" - changed since the scan\r\n"), std::string::npos);
    EXPECT_EQ(f.Dump(), changed);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ChangedSinceTheScan,
    ::testing::Values(
        ChangeCase{"SubKeyAddedToAKeyWithout",
                   [](RemovalFixture& f) {
                       f.SetValue(kCurrentUser, f.Below(kCurrentUser, "Leaf"), L"v", REG_DWORD, {1, 0, 0, 0});
                       f.KeyProblem(kCurrentUser, f.Below(kCurrentUser, "Leaf"));
                   },
                   [](RemovalFixture& f) {
                       f.SetValue(kCurrentUser, f.Below(kCurrentUser, "Leaf\\New"), L"w", REG_SZ, WideBytes(L"new"));
                   }},
        ChangeCase{"ValueAddedToAKey",
                   [](RemovalFixture& f) {
                       FillEveryValueType(HKEY_LOCAL_MACHINE, Widen(f.Below(kLocalMachine, "Tree")));
                       f.KeyProblem(kLocalMachine, f.Below(kLocalMachine, "Tree"));
                   },
                   [](RemovalFixture& f) {
                       f.SetValue(kLocalMachine, f.Below(kLocalMachine, "Tree\\Child"), L"Added", REG_NONE, {});
                   }},
        ChangeCase{"ValueRewrittenDeepInAKey",
                   [](RemovalFixture& f) {
                       FillEveryValueType(HKEY_CLASSES_ROOT, Widen(f.Below(kClassesRoot, "Tree")));
                       f.KeyProblem(kClassesRoot, f.Below(kClassesRoot, "Tree"));
                   },
                   [](RemovalFixture& f) {
                       SetRawValue(HKEY_CLASSES_ROOT,
                                   Widen(f.Below(kClassesRoot, "Tree")) + L"\\Child\\Grand \x2603 ]x", L"Deep",
                                   REG_DWORD, {8, 0, 0, 0});
                   }},
        ChangeCase{"ValueRewritten",
                   [](RemovalFixture& f) {
                       f.SetValue(kCurrentUser, f.Below(kCurrentUser, "Values"), L"Stale", REG_SZ,
                                  WideBytes(L"C:\\gone.exe"));
                       f.ValueProblem(kCurrentUser, f.Below(kCurrentUser, "Values"), "Stale", "C:\\gone.exe");
                   },
                   [](RemovalFixture& f) {
                       f.SetValue(kCurrentUser, f.Below(kCurrentUser, "Values"), L"Stale", REG_SZ,
                                  WideBytes(L"C:\\installed again.exe"));
                   }},
        ChangeCase{"ValueRetyped",
                   [](RemovalFixture& f) {
                       f.SetValue(kCurrentUser, f.Below(kCurrentUser, "Values"), L"Stale", REG_SZ, WideBytes(L"x"));
                       f.ValueProblem(kCurrentUser, f.Below(kCurrentUser, "Values"), "Stale", "x");
                   },
                   [](RemovalFixture& f) {
                       f.SetValue(kCurrentUser, f.Below(kCurrentUser, "Values"), L"Stale", REG_EXPAND_SZ,
                                  WideBytes(L"x"));
                   }},
        ChangeCase{"ShortcutRewritten", [](RemovalFixture& f) { f.ShortcutProblem("Desktop\\Tool.lnk", "old link"); },
                   [](RemovalFixture& f) { WriteTestFile(f.FilePath("Desktop\\Tool.lnk"), "new link"); }}),
    [](const ::testing::TestParamInfo<ChangeCase>& testInfo) { return testInfo.param.name; });

// Another run deleted the items' keys after this one saved them, while it held them open: they
// are gone, as they were to be.
TEST(RemovalSafety, KeysDeletedMeanwhileByAnotherRunAreAlreadyGone) {
    RemovalFixture f;
    const std::string values = f.Below(kCurrentUser, "Values");
    const std::string leaf = f.Below(kCurrentUser, "Leaf");
    f.SetValue(kCurrentUser, values, L"Stale", REG_SZ, WideBytes(L"C:\\gone.exe"));
    f.SetValue(kCurrentUser, values, L"Other", REG_SZ, WideBytes(L"C:\\gone too.exe"));
    f.SetValue(kCurrentUser, leaf, L"v", REG_DWORD, {1, 0, 0, 0});
    f.ValueProblem(kCurrentUser, values, "Stale", "C:\\gone.exe");
    f.ValueProblem(kCurrentUser, values, "Other", "C:\\gone too.exe");
    f.KeyProblem(kCurrentUser, leaf);
    const RemovalReport report = f.Remove(true, [&] {
        RegDeleteTreeA(HKEY_CURRENT_USER, values.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, leaf.c_str());
    });
    EXPECT_TRUE(report.AllRemoved()) << RemovalSummaryText(report);
    EXPECT_EQ(report.removed, 3);
    EXPECT_EQ(report.alreadyGone, 3);
}

// "Abort" while the backup is saved deletes nothing and leaves no archive; while the items are
// deleted, it keeps those not reached, and the archive gives back every one.
TEST(RemovalSafety, AbortStopsAtTheItemItWasChosenAfter) {
    for (const RemovalStage stage : {RemovalStage::Saving, RemovalStage::Deleting}) {
        RemovalFixture f;
        const std::string values = f.Below(kCurrentUser, "Values");
        for (const char* name : {"One", "Two", "Three"}) {
            f.SetValue(kCurrentUser, values, Widen(name), REG_SZ, WideBytes(L"C:\\gone.exe"));
            f.ValueProblem(kCurrentUser, values, name, "C:\\gone.exe");
        }
        const std::vector<std::string> before = f.Dump();
        std::vector<size_t> told;
        const RemovalReport report = f.Remove(true, {}, [&](RemovalStage now, size_t done, size_t total) {
            EXPECT_EQ(total, 3u);
            if (now == stage) told.push_back(done);
            return now != stage || done < 1;
        });
        EXPECT_TRUE(report.aborted);
        EXPECT_EQ(told, (std::vector<size_t>{1}));
        ASSERT_EQ(report.kept.size(), stage == RemovalStage::Saving ? 3u : 2u) << RemovalSummaryText(report);
        EXPECT_EQ(report.kept.back().reason, KeptReason::Aborted);
        EXPECT_NE(RemovalSummaryText(report).find(" - the removal was aborted\r\n"), std::string::npos);
        if (stage == RemovalStage::Saving) {
            EXPECT_EQ(f.Dump(), before);
            EXPECT_TRUE(f.Archives().empty());
            continue;
        }
        EXPECT_EQ(report.removed, 1);
        EXPECT_EQ(f.Restore(report.archivePath).status, RestoreReport::Status::Restored);
        EXPECT_EQ(f.Dump(), before);
    }
}
