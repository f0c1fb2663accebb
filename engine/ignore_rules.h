#pragma once
// The entries the user chose to leave out of every scan: a key with everything below it, one
// value of a key, or a file or folder path with everything below it. Names compare in any ASCII
// letter case and whole: "C:\Games" does not hold "C:\Games Old".
#include <string>
#include <vector>

#include "engine/problem_record.h"

enum class IgnoreKind { Key, Value, Path };

struct IgnoreRule {
    IgnoreKind kind = IgnoreKind::Key;
    RootKeyValue root = 0;  // Key and Value: one of the four roots
    std::string keyPath;    // Key and Value: below the root, no backslash at either end
    std::string valueName;  // Value: empty for the key's default value
    std::string path;       // Path: a full path, no backslash at its end but a drive's own ("C:\")

    bool operator==(const IgnoreRule&) const = default;
};

using IgnoreList = std::vector<IgnoreRule>;

// Key: a registry problem at the key or below it. Value: a registry problem of that value of
// the key. Path: a registry problem whose value data or value name (after a leading quote) is
// the path or lies below it, or a shortcut whose link or target does.
bool Holds(const IgnoreRule& rule, const ProblemRecord& problem);
bool AnyHolds(const IgnoreList& rules, const ProblemRecord& problem);

// The same entry in any letter case.
bool SameRule(const IgnoreRule& a, const IgnoreRule& b);

// What ignoring a problem stores: the value when its removal takes the value, the key when it
// takes the key, the link file of a shortcut.
IgnoreRule RuleFor(const ProblemRecord& problem);
