#pragma once
// What a backup saved of one item, kept beside it until its deletion: an item is deleted only
// while it still holds exactly what the archive holds of it, so that nothing written between
// the backup and the deletion is lost.
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "engine/problem_record.h"
#include "registry/reg_file.h"

// Shortcuts are small; a file larger than this is not what a shortcut problem names.
inline constexpr uint64_t kShortcutFileLimit = 64ull << 20;

struct SavedValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;

    bool operator==(const SavedValue&) const = default;
};

// A key's whole tree, a value's type and bytes, or a shortcut file's bytes.
using SavedState = std::variant<std::monostate, RegFileDocument, SavedValue, std::string>;

// What one removal has deleted so far: a key's tree is compared without the values and sub-keys
// the same removal took away before it.
class RemovalLedger {
public:
    void Record(const RegistryProblem& deleted);
    // Whether the tree as it is now is the saved one less what this removal deleted of it.
    bool SameAsSaved(const RegFileDocument& now, const RegFileDocument& saved) const;

private:
    RegFileDocument Remaining(RegFileDocument saved) const;
    bool KeyTaken(const std::u16string& upperPath) const;

    // Upper-cased, as the registry compares names; paths as a registry editor file names them.
    std::set<std::u16string> keys_;
    std::set<std::pair<std::u16string, std::u16string>> values_;
};

struct Recheck {
    bool changed = false;
    long error = 0;  // ERROR_SUCCESS when the item was read again; ERROR_FILE_NOT_FOUND when it is gone
};

// Reads the item again as its backup read it. heldKey: the key the backup held open for the
// deletion (a key's own, or a value's key), read through instead of by its path; or none.
Recheck RecheckItem(const ProblemRecord& problem, const SavedState& saved, HKEY heldKey, const RemovalLedger& ledger);
