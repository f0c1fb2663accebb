#include "app/ignore_list_store.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "engine/section_descriptors.h"
#include "tests/support/registry_sandbox.h"

namespace {
struct IgnoreListStoreFixture : ::testing::Test {
    RegistrySandbox sandbox{"IgnoreListStore"};
    std::string settings = sandbox.Sub("TidrexVelora");
    IgnoreListStore store{settings};

    void SetEntry(const char* name, const std::string& data, DWORD type = REG_SZ) const {
        RegSetKeyValueA(HKEY_CURRENT_USER, store.KeyPath().c_str(), name, type, data.data(),
                        static_cast<DWORD>(data.size()));
    }
    bool EntryExists(const char* name) const {
        return RegGetValueA(HKEY_CURRENT_USER, store.KeyPath().c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }
};

const IgnoreRule kVendor{IgnoreKind::Key, kLocalMachine, "SOFTWARE\\Vendor", {}, {}};
const IgnoreRule kGames{IgnoreKind::Path, 0, {}, {}, "C:\\Games"};
const IgnoreRule kValue{IgnoreKind::Value, kCurrentUser, "Software\\X", "", {}};
}  // namespace

TEST_F(IgnoreListStoreFixture, KeepsRulesInOrderOnceEachAndRemovesThem) {
    EXPECT_TRUE(store.Read().empty());
    EXPECT_EQ(store.Add(kVendor).number, 1u);
    EXPECT_EQ(store.Add(kGames).number, 2u);
    EXPECT_EQ(store.Add(kValue).number, 3u);
    const IgnoreListStore::Added again = store.Add({IgnoreKind::Key, kLocalMachine, "software\\VENDOR", {}, {}});
    EXPECT_TRUE(again.existed);
    EXPECT_EQ(again.number, 1u);
    EXPECT_EQ(again.rule, kVendor);
    EXPECT_EQ(store.Read(), (IgnoreList{kVendor, kGames, kValue}));
    EXPECT_TRUE(store.Remove(2));
    EXPECT_EQ(store.Read(), (IgnoreList{kVendor, kValue}));
    EXPECT_FALSE(store.Remove(0));
    EXPECT_FALSE(store.Remove(3));
    EXPECT_TRUE(store.Remove(kValue));
    EXPECT_TRUE(store.Remove(kValue));  // gone already
    EXPECT_EQ(store.Read(), IgnoreList{kVendor});
    // A new rule comes after the highest number there, so the order stays that of adding.
    EXPECT_EQ(store.Add(kGames).number, 2u);
    EXPECT_EQ(store.Add(kValue).number, 3u);
    EXPECT_EQ(store.Read(), (IgnoreList{kVendor, kGames, kValue}));
}

TEST_F(IgnoreListStoreFixture, TheFirstRuleSetsUpTheSettingsAsAFirstRunDoes) {
    const Preferences preferences(settings);
    ASSERT_TRUE(preferences.IsFirstRun());
    store.Add(kGames);
    EXPECT_FALSE(preferences.IsFirstRun());
    for (SectionId id = kStartupProgramsSection; id <= kShortcutsSection; ++id)
        EXPECT_EQ(preferences.ReadSectionState(id), 1) << id;
}

TEST_F(IgnoreListStoreFixture, SkipsEntriesItCannotReadAndLeavesThemAlone) {
    store.Add(kVendor);  // "1"
    SetEntry("2", std::string("Path|C:\\Games\0Old", 17) + '\0');
    SetEntry("3", "Path|C:\\Games", REG_EXPAND_SZ);
    SetEntry("4", std::string("\x01\x02\x03\x04", 4), REG_DWORD);
    SetEntry("5", std::string("Pattern|*.tmp") + '\0');
    SetEntry("name", std::string("Path|C:\\Named") + '\0');
    SetEntry("06", std::string("Path|C:\\Games") + '\0');
    SetEntry("7", std::string("Path|C:\\Unterminated"));
    EXPECT_EQ(store.Read(), (IgnoreList{kVendor, kGames, {IgnoreKind::Path, 0, {}, {}, "C:\\Unterminated"}}));
    EXPECT_EQ(store.Add(kValue).number, 4u);
    EXPECT_TRUE(EntryExists("8"));
    EXPECT_TRUE(store.Remove(2));  // "06"
    EXPECT_FALSE(EntryExists("06"));
    for (const char* kept : {"2", "3", "4", "5", "name"}) EXPECT_TRUE(EntryExists(kept)) << kept;
}
