#pragma once
// Ignore rules as text: made from what the user types (a key's full name, a value name, a
// path), kept as one line each in the settings, and shown in lists.
#include <optional>
#include <string>
#include <string_view>

#include "engine/ignore_rules.h"

// "HKEY_LOCAL_MACHINE\SOFTWARE\Vendor" or "HKLM\SOFTWARE\Vendor" (HKCR, HKCU, HKLM, HKU, in any
// letter case); a backslash at the end is dropped. Empty, with a one-line error, when the root
// is unknown or no key, or an empty key name, follows it.
std::optional<IgnoreRule> KeyRule(std::string_view keyName, std::string& error);
std::optional<IgnoreRule> ValueRule(std::string_view keyName, std::string valueName, std::string& error);
// A full path: "C:", "C:\..." or "\\server\...". Backslashes at the end are dropped.
std::optional<IgnoreRule> PathRule(std::string_view path, std::string& error);

// The stored line: "Key|<key>", "Value|<key>|<value name>" or "Path|<path>", with "%" and "|"
// inside the names written as "%25" and "%7C"; <key> is the root's full name, a backslash and
// the key path.
std::string StoredRuleText(const IgnoreRule& rule);
// Empty for a line that is not one a rule stores (a future kind, a damaged entry): such an
// entry is skipped, never guessed at.
std::optional<IgnoreRule> ParseStoredRule(std::string_view text);

// "Key", "Value" or "Path".
const char* IgnoreKindName(IgnoreKind kind);
// The key's full name, or the path.
std::string RuleTarget(const IgnoreRule& rule);
// The value name as the details dialog shows it: "(Default)" for the default value.
std::string RuleValueName(const IgnoreRule& rule);
