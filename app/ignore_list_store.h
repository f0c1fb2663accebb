#pragma once
// The user's ignore list, kept in the settings so that it outlives upgrades: the settings key's
// sub-key "Ignored" holds one string value per rule (its stored text), named by a number ("1",
// "2", ...), listed in the order of those numbers. An entry this version cannot read is skipped
// and left as it is. Nothing is cached: every call opens the key, reads or writes, closes it.
#include <cstdint>
#include <string>
#include <vector>

#include "app/preferences.h"
#include "engine/ignore_rules.h"

inline constexpr const char* kIgnoredKeyName = "Ignored";

class IgnoreListStore {
public:
    // Under HKEY_CURRENT_USER; tests give a settings key of their own.
    explicit IgnoreListStore(std::string settingsKeyPath = kSettingsKeyPath);

    IgnoreList Read() const;

    struct Added {
        size_t number = 0;  // the rule's place in the list, from 1; 0: it could not be stored
        bool existed = false;
        IgnoreRule rule;  // as the list holds it (in its own letters when it existed)
    };
    // Adds the rule unless the list holds the same entry already. The first write sets up the
    // program's settings as a first run does, so the new key does not make it look set up.
    Added Add(const IgnoreRule& rule) const;
    // Removes the rule with that number (from 1, as Read lists them); false when there is none
    // or it could not be removed.
    bool Remove(size_t number) const;
    // Removes the entry that is the same rule; true when the list no longer holds it.
    bool Remove(const IgnoreRule& rule) const;

    std::string KeyPath() const { return settingsKeyPath_ + "\\" + kIgnoredKeyName; }

private:
    struct Entry {
        uint32_t number = 0;
        std::string valueName;
        IgnoreRule rule;
    };
    // The readable entries in order; highest: the highest number any entry has.
    std::vector<Entry> Entries(uint32_t* highest = nullptr) const;
    bool RemoveEntry(const Entry& entry) const;

    std::string settingsKeyPath_;
};
