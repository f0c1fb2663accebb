#include "engine/ignore_rules.h"

#include <algorithm>
#include <string_view>

#include "base/ascii_case.h"

namespace {
bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && EqualsIgnoringAsciiCase(text.substr(0, start.size()), start);
}

// The key itself or a key below it: the next letter after the rule's path starts a sub-key.
bool KeyAtOrBelow(std::string_view keyPath, std::string_view ruleKey) {
    return StartsWithIgnoringCase(keyPath, ruleKey) &&
           (keyPath.size() == ruleKey.size() || keyPath[ruleKey.size()] == '\\');
}

// A path ends where a folder's name ends: at the text's end, a backslash, or a closing quote.
bool PathAtOrBelow(std::string_view text, std::string_view rulePath) {
    if (!text.empty() && text.front() == '"') text.remove_prefix(1);
    while (!rulePath.empty() && rulePath.back() == '\\') rulePath.remove_suffix(1);
    if (rulePath.empty() || !StartsWithIgnoringCase(text, rulePath)) return false;
    return text.size() == rulePath.size() || text[rulePath.size()] == '\\' || text[rulePath.size()] == '"';
}

bool HoldsRegistry(const IgnoreRule& rule, const RegistryProblem& problem) {
    switch (rule.kind) {
        case IgnoreKind::Key: return problem.rootKey == rule.root && KeyAtOrBelow(problem.keyPath, rule.keyPath);
        case IgnoreKind::Value:
            return problem.rootKey == rule.root && EqualsIgnoringAsciiCase(problem.keyPath, rule.keyPath) &&
                   EqualsIgnoringAsciiCase(problem.valueName, rule.valueName);
        case IgnoreKind::Path:
            return PathAtOrBelow(problem.valueData, rule.path) || PathAtOrBelow(problem.valueName, rule.path);
    }
    return false;
}
}  // namespace

bool Holds(const IgnoreRule& rule, const ProblemRecord& problem) {
    if (const RegistryProblem* registry = problem.AsRegistry()) return HoldsRegistry(rule, *registry);
    const FileProblem& shortcut = std::get<FileProblem>(problem.item);
    return rule.kind == IgnoreKind::Path &&
           (PathAtOrBelow(shortcut.linkPath, rule.path) || PathAtOrBelow(shortcut.targetPath, rule.path));
}

bool AnyHolds(const IgnoreList& rules, const ProblemRecord& problem) {
    return std::any_of(rules.begin(), rules.end(), [&](const IgnoreRule& rule) { return Holds(rule, problem); });
}

bool SameRule(const IgnoreRule& a, const IgnoreRule& b) {
    return a.kind == b.kind && a.root == b.root && EqualsIgnoringAsciiCase(a.keyPath, b.keyPath) &&
           EqualsIgnoringAsciiCase(a.valueName, b.valueName) && EqualsIgnoringAsciiCase(a.path, b.path);
}

IgnoreRule RuleFor(const ProblemRecord& problem) {
    if (const FileProblem* shortcut = problem.AsFile()) return {IgnoreKind::Path, 0, {}, {}, shortcut->linkPath};
    const RegistryProblem& registry = std::get<RegistryProblem>(problem.item);
    if (registry.scope == RemovalScope::Key) return {IgnoreKind::Key, registry.rootKey, registry.keyPath, {}, {}};
    return {IgnoreKind::Value, registry.rootKey, registry.keyPath, registry.valueName, {}};
}
