// libFuzzer target: the ignore list's stored line on arbitrary bytes. Whatever it reads as a rule
// must be a rule the user could have typed, and must write back as a line that reads as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/ignore_rule_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<IgnoreRule> rule = ParseStoredRule(text);
    if (!rule) return 0;
    if (ParseStoredRule(StoredRuleText(*rule)) != rule) std::abort();
    std::string error;
    switch (rule->kind) {
        case IgnoreKind::Key:
            if (KeyRule(RuleTarget(*rule), error) != rule) std::abort();
            break;
        case IgnoreKind::Value:
            if (ValueRule(RuleTarget(*rule), rule->valueName, error) != rule) std::abort();
            break;
        case IgnoreKind::Path:
            if (PathRule(rule->path, error) != rule) std::abort();
            break;
    }
    return 0;
}
