#include "cli/console_print.h"
#include "cli/ignore_commands.h"

#include <nlohmann/json.hpp>

#include "app/ignore_list_store.h"
#include "cli/ansi_text.h"
#include "cli/exit_status.h"
#include "cli/scan_report.h"
#include "engine/ignore_rule_text.h"

namespace {
int NotWritten(const IgnoreCommandSettings& settings, const IgnoreListStore& store) {
    Print(settings.err, "tidrex: the ignore list could not be written to HKEY_CURRENT_USER\\" + store.KeyPath() + "\n");
    return kExitNotWritten;
}

nlohmann::ordered_json RuleJson(size_t number, const IgnoreRule& rule) {
    nlohmann::ordered_json json;
    json["number"] = number;
    if (rule.kind == IgnoreKind::Path) {
        json["kind"] = "path";
        json["path"] = AnsiToUtf8(rule.path);
        return json;
    }
    json["kind"] = rule.kind == IgnoreKind::Key ? "key" : "value";
    json["root"] = RootKeyName(rule.root);
    json["keyPath"] = AnsiToUtf8(rule.keyPath);
    if (rule.kind == IgnoreKind::Value) json["valueName"] = AnsiToUtf8(rule.valueName);
    return json;
}

int List(const IgnoreCommandSettings& settings, const IgnoreListStore& store) {
    const IgnoreList rules = store.Read();
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    std::string text;
    for (size_t i = 0; i < rules.size(); ++i) {
        list.push_back(RuleJson(i + 1, rules[i]));
        text += IgnoreListLine(i + 1, rules[i]) + "\n";
    }
    if (rules.empty()) text = "No entries are ignored\n";
    Print(settings.out, settings.line.json ? JsonText({{"ignored", std::move(list)}}) : text);
    return kExitClean;
}

int Add(const IgnoreCommandSettings& settings, const IgnoreListStore& store) {
    const IgnoreListStore::Added added = store.Add(settings.line.rule);
    if (added.number == 0) return NotWritten(settings, store);
    Print(settings.out, std::string(added.existed ? "Already ignored " : "Ignored ") +
                            IgnoreListLine(added.number, added.rule) + "\n");
    return kExitClean;
}

int Remove(const IgnoreCommandSettings& settings, const IgnoreListStore& store) {
    const IgnoreList rules = store.Read();
    const size_t number = settings.line.number;
    if (number == 0 || number > rules.size()) {
        const std::string range = rules.empty() ? "the list is empty" : "1 to " + std::to_string(rules.size());
        Print(settings.err,
              "tidrex: ignore remove: " + std::to_string(number) + " is not a number of the list (" + range + ")\n");
        return kExitUsage;
    }
    if (!store.Remove(number)) return NotWritten(settings, store);
    Print(settings.out, "Removed " + IgnoreListLine(number, rules[number - 1]) + "\n");
    return kExitClean;
}
}  // namespace

std::string IgnoreListLine(size_t number, const IgnoreRule& rule) {
    std::string line = std::to_string(number) + "\t" + IgnoreKindName(rule.kind) + "\t" + RuleTarget(rule);
    if (rule.kind == IgnoreKind::Value) line += "\t" + RuleValueName(rule);
    return line;
}

int RunIgnoreCommand(const IgnoreCommandSettings& settings) {
    const IgnoreListStore store(settings.settingsKeyPath);
    switch (settings.line.command) {
        case IgnoreCommandLine::Command::Add: return Add(settings, store);
        case IgnoreCommandLine::Command::List: return List(settings, store);
        case IgnoreCommandLine::Command::Remove: return Remove(settings, store);
    }
    return kExitUsage;
}
