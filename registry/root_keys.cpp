#include "registry/root_keys.h"

#include <array>
#include <utility>

namespace {
constexpr std::array<std::pair<RootKeyValue, const char*>, 4> kProblemRoots{{
    {kCurrentUser, "HKEY_CURRENT_USER"},
    {kLocalMachine, "HKEY_LOCAL_MACHINE"},
    {kClassesRoot, "HKEY_CLASSES_ROOT"},
    {kUsers, "HKEY_USERS"},
}};
}  // namespace

std::string RootKeyName(RootKeyValue root) {
    for (const auto& [value, name] : kProblemRoots) {
        if (value == root) return name;
    }
    return {};
}

RootKeyValue RootKeyFromName(const std::string& name) {
    for (const auto& [value, printed] : kProblemRoots) {
        if (name == printed) return value;
    }
    return 0;
}

std::string PrintedRootName(RootKeyValue root) {
    switch (root) {
        case kPerformanceData: return "HKEY_PERFORMANCE_DATA";
        case kCurrentConfig: return "HKEY_CURRENT_CONFIG";
        case kDynData: return "HKEY_DYN_DATA";
        default: break;
    }
    std::string name = RootKeyName(root);
    return name.empty() ? "CRegistry needs an update!" : name;
}
