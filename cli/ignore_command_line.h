#pragma once
// The ignore list's commands, and the options that fill them:
//   tidrex ignore add --key KEY [--value NAME] | --path PATH
//   tidrex ignore list [--json]
//   tidrex ignore remove NUMBER
#include <cstddef>
#include <functional>

#include "engine/ignore_rules.h"

namespace CLI {
class App;
}

struct IgnoreCommandLine {
    enum class Command { Add, List, Remove };
    Command command = Command::List;
    IgnoreRule rule;    // add: checked as it was parsed
    bool json = false;  // list
    size_t number = 0;  // remove: as the list numbers the rules, from 1 (checked when it runs)
};

// Registers "ignore" with its three commands under app; choose receives the command named.
void AddIgnoreCommands(CLI::App& app, std::function<void(const IgnoreCommandLine&)> choose);
