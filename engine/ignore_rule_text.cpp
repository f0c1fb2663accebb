#include "engine/ignore_rule_text.h"

#include <array>
#include <utility>
#include <vector>

#include "base/ascii_case.h"

namespace {
struct RootName {
    RootKeyValue root;
    const char* shortName;
};
constexpr std::array<RootName, 4> kRoots{{
    {kClassesRoot, "HKCR"},
    {kCurrentUser, "HKCU"},
    {kLocalMachine, "HKLM"},
    {kUsers, "HKU"},
}};

RootKeyValue RootNamed(std::string_view name) {
    for (const RootName& root : kRoots) {
        if (EqualsIgnoringAsciiCase(name, root.shortName) || EqualsIgnoringAsciiCase(name, RootKeyName(root.root)))
            return root.root;
    }
    return 0;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

std::string_view WithoutTrailingBackslashes(std::string_view text) {
    while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    return text;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsFullPath(std::string_view path) {
    if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') return path.size() == 2 || path[2] == '\\';
    return path.size() > 2 && path.substr(0, 2) == "\\\\" && path[2] != '\\';
}

std::string Escaped(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (char c : field) {
        if (c == '%') text += "%25";
        else if (c == '|') text += "%7C";
        else text += c;
    }
    return text;
}

std::optional<std::string> Unescaped(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (size_t at = 0; at < field.size(); ++at) {
        if (field[at] != '%') {
            text += field[at];
            continue;
        }
        const std::string_view code = field.substr(at + 1, 2);
        if (code == "25") text += '%';
        else if (EqualsIgnoringAsciiCase(code, "7C")) text += '|';
        else return std::nullopt;
        at += 2;
    }
    return text;
}

std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (size_t bar; (bar = text.find('|')) != std::string_view::npos; text.remove_prefix(bar + 1))
        fields.push_back(text.substr(0, bar));
    fields.push_back(text);
    return fields;
}

std::optional<IgnoreRule> StoredRule(const std::vector<std::string_view>& fields) {
    std::vector<std::string> names;
    for (size_t i = 1; i < fields.size(); ++i) {
        std::optional<std::string> name = Unescaped(fields[i]);
        if (!name) return std::nullopt;
        names.push_back(std::move(*name));
    }
    std::string error;
    if (fields[0] == "Key" && names.size() == 1) return KeyRule(names[0], error);
    if (fields[0] == "Value" && names.size() == 2) return ValueRule(names[0], names[1], error);
    if (fields[0] == "Path" && names.size() == 1) return PathRule(names[0], error);
    return std::nullopt;
}
}  // namespace

std::optional<IgnoreRule> KeyRule(std::string_view keyName, std::string& error) {
    const size_t slash = keyName.find('\\');
    const RootKeyValue root = RootNamed(keyName.substr(0, slash));
    if (root == 0) {
        error = Quoted(keyName) + " does not start with HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, " +
                "HKEY_USERS or HKCR, HKCU, HKLM, HKU";
        return std::nullopt;
    }
    const std::string_view path =
        slash == std::string_view::npos ? std::string_view() : WithoutTrailingBackslashes(keyName.substr(slash + 1));
    if (path.empty()) {
        error = Quoted(keyName) + " names no key below its root";
        return std::nullopt;
    }
    if (path.front() == '\\' || path.find("\\\\") != std::string_view::npos) {
        error = Quoted(keyName) + " holds an empty key name";
        return std::nullopt;
    }
    return IgnoreRule{IgnoreKind::Key, root, std::string(path), {}, {}};
}

std::optional<IgnoreRule> ValueRule(std::string_view keyName, std::string valueName, std::string& error) {
    std::optional<IgnoreRule> rule = KeyRule(keyName, error);
    if (!rule) return std::nullopt;
    rule->kind = IgnoreKind::Value;
    rule->valueName = std::move(valueName);
    return rule;
}

std::optional<IgnoreRule> PathRule(std::string_view path, std::string& error) {
    if (path.empty()) {
        error = "the path is empty";
        return std::nullopt;
    }
    if (!IsFullPath(path)) {
        error = Quoted(path) + " is not a full path (C:\\... or \\\\server\\...)";
        return std::nullopt;
    }
    std::string kept(WithoutTrailingBackslashes(path));
    if (kept.size() == 2 && kept[1] == ':') kept += '\\';
    return IgnoreRule{IgnoreKind::Path, 0, {}, {}, std::move(kept)};
}

std::string StoredRuleText(const IgnoreRule& rule) {
    switch (rule.kind) {
        case IgnoreKind::Key: return "Key|" + Escaped(RuleTarget(rule));
        case IgnoreKind::Value: return "Value|" + Escaped(RuleTarget(rule)) + "|" + Escaped(rule.valueName);
        case IgnoreKind::Path: return "Path|" + Escaped(rule.path);
    }
    return {};
}

std::optional<IgnoreRule> ParseStoredRule(std::string_view text) {
    const std::vector<std::string_view> fields = Fields(text);
    return fields.size() < 2 ? std::nullopt : StoredRule(fields);
}

const char* IgnoreKindName(IgnoreKind kind) {
    switch (kind) {
        case IgnoreKind::Key: return "Key";
        case IgnoreKind::Value: return "Value";
        case IgnoreKind::Path: return "Path";
    }
    return "";
}

std::string RuleTarget(const IgnoreRule& rule) {
    return rule.kind == IgnoreKind::Path ? rule.path : RootKeyName(rule.root) + "\\" + rule.keyPath;
}

std::string RuleValueName(const IgnoreRule& rule) {
    if (rule.kind != IgnoreKind::Value) return {};
    return rule.valueName.empty() ? "(Default)" : rule.valueName;
}
