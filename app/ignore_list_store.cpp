#include "app/ignore_list_store.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <optional>

#include "base/unique_handles.h"
#include "engine/ignore_rule_text.h"

namespace {
// Far beyond any rule's text; a larger value is no entry of this program.
constexpr DWORD kLongestEntry = 1 << 16;

std::optional<uint32_t> EntryNumber(const std::string& name) {
    uint32_t number = 0;
    const auto [end, status] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (name.empty() || status != std::errc() || end != name.data() + name.size() || number == 0) return std::nullopt;
    return number;
}

// The text of a string value, whole: a value of another type, or one with a NUL before its end,
// would be a cut or a guess.
std::optional<std::string> EntryText(HKEY key, const std::string& name) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ ||
        size > kLongestEntry) {
        return std::nullopt;
    }
    std::string text(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || size > text.size()) {
        return std::nullopt;
    }
    text.resize(size);
    if (!text.empty() && text.back() == '\0') text.pop_back();
    if (text.find('\0') != std::string::npos) return std::nullopt;
    return text;
}

std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD length = sizeof(name);
        const LONG result = RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) continue;  // no number is that long
        if (result != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}
}  // namespace

IgnoreListStore::IgnoreListStore(std::string settingsKeyPath) : settingsKeyPath_(std::move(settingsKeyPath)) {}

std::vector<IgnoreListStore::Entry> IgnoreListStore::Entries(uint32_t* highest) const {
    std::vector<Entry> entries;
    UniqueHkey key;
    if (highest) *highest = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return entries;
    for (const std::string& name : ValueNames(key.get())) {
        const std::optional<uint32_t> number = EntryNumber(name);
        if (!number) continue;
        if (highest) *highest = std::max(*highest, *number);
        const std::optional<std::string> text = EntryText(key.get(), name);
        std::optional<IgnoreRule> rule = text ? ParseStoredRule(*text) : std::nullopt;
        if (rule) entries.push_back({*number, name, std::move(*rule)});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.number < b.number; });
    return entries;
}

IgnoreList IgnoreListStore::Read() const {
    IgnoreList rules;
    for (Entry& entry : Entries()) rules.push_back(std::move(entry.rule));
    return rules;
}

IgnoreListStore::Added IgnoreListStore::Add(const IgnoreRule& rule) const {
    uint32_t highest = 0;
    const std::vector<Entry> entries = Entries(&highest);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (SameRule(entries[i].rule, rule)) return {i + 1, true, entries[i].rule};
    }
    // Only a rule that reads back as itself is stored: anything else would be skipped when read.
    const std::string text = StoredRuleText(rule);
    const std::optional<IgnoreRule> again = ParseStoredRule(text);
    if (!again || !(*again == rule) || highest == UINT32_MAX) return {};
    const Preferences preferences(settingsKeyPath_);
    if (preferences.IsFirstRun()) preferences.ResetSettings();
    UniqueHkey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return {};
    }
    const std::string name = std::to_string(highest + 1);
    if (RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1)) != ERROR_SUCCESS) {
        return {};
    }
    return {entries.size() + 1, false, rule};
}

bool IgnoreListStore::Remove(size_t number) const {
    const std::vector<Entry> entries = Entries();
    return number > 0 && number <= entries.size() && RemoveEntry(entries[number - 1]);
}

bool IgnoreListStore::Remove(const IgnoreRule& rule) const {
    const std::vector<Entry> entries = Entries();
    const auto entry =
        std::find_if(entries.begin(), entries.end(), [&](const Entry& kept) { return SameRule(kept.rule, rule); });
    return entry == entries.end() || RemoveEntry(*entry);
}

bool IgnoreListStore::RemoveEntry(const Entry& entry) const {
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS) return false;
    return RegDeleteValueA(key.get(), entry.valueName.c_str()) == ERROR_SUCCESS;
}
