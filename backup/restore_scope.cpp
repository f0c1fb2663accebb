#include "backup/restore_scope.h"

#include "base/ascii_case.h"
#include "engine/tool_list_keys.h"
#include "registry/registry_view.h"

namespace {
// Whether the first names of path match the pattern's, "*" matching any one name.
bool MatchesPattern(const std::vector<std::string>& path, const std::vector<std::string>& pattern) {
    if (pattern.size() > path.size()) return false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != "*" && !EqualsIgnoringAsciiCase(path[i], pattern[i])) return false;
    }
    return true;
}

bool InValueArea(const ValueArea& area, const std::vector<std::string>& names) {
    const std::vector<std::string> pattern = area.path.empty() ? std::vector<std::string>() : KeyNames(area.path);
    if (!MatchesPattern(names, pattern)) return false;
    if (names.size() == pattern.size()) return true;
    if (!area.walked) return false;
    for (size_t i = pattern.size(); i < names.size(); ++i) {
        if (ContainsIgnoringAsciiCase(names[i], "classes")) return false;
    }
    return true;
}

bool IsDeviceName(const std::string& name) {
    const std::string stem = LowerAscii(name.substr(0, name.find('.')));
    if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
    return stem.size() == 4 && (stem.rfind("com", 0) == 0 || stem.rfind("lpt", 0) == 0) && stem[3] >= '1' &&
           stem[3] <= '9';
}

bool IsPlainFileName(const std::string& name) {
    if (name == "." || name == ".." || name.back() == '.' || name.back() == ' ') return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"/|?*").find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

bool EndsWithIgnoringCase(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoringAsciiCase(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}
}  // namespace

const RestoreScope& ProgramRestoreScope() {
    static const RestoreScope scope{
        &SectionListKeys(),
        {{kLocalMachine, kBhoListKey},
         {kLocalMachine, ThirtyTwoBitKeyPath(kBhoListKey)},
         {kLocalMachine, kUninstallKey},
         {kLocalMachine, ThirtyTwoBitKeyPath(kUninstallKey)}},
        {
            {kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"},
            {kCurrentUser, "Control Panel\\Sounds"},
            {kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\Help"},
            {kLocalMachine, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\Help"},
            {kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"},
            {kLocalMachine, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"},
            {kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\*\\OpenWithList"},
            {kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\*\\Count"},
            // The startup manager's lists.
            {kCurrentUser, kStartupRunKey},
            {kCurrentUser, ThirtyTwoBitKeyPath(kStartupRunKey)},
            {kLocalMachine, kStartupRunKey},
            {kLocalMachine, ThirtyTwoBitKeyPath(kStartupRunKey)},
            // The full registry scan's three walks.
            {kLocalMachine, "", true},
            {kCurrentUser, "", true},
            {kUsers, "", true},
        }};
    return scope;
}

bool KeyRestoreAllowed(const RestoreScope& scope, RootKeyValue root, const std::string& keyPath) {
    if (KeyDeletionAllowedForSomeSection(*scope.sectionListKeys, root, keyPath)) return true;
    const std::vector<std::string> names = KeyNames(keyPath);
    for (const ToolListKey& list : scope.toolListKeys) {
        const std::vector<std::string> listNames = KeyNames(list.path);
        if (list.root == root && names.size() == listNames.size() + 1 && StartsWithNames(names, listNames)) return true;
    }
    return false;
}

bool ValueRestoreAllowed(const RestoreScope& scope, RootKeyValue root, const std::string& keyPath) {
    const std::vector<std::string> names = KeyNames(keyPath);
    if (names.empty() && !keyPath.empty()) return false;
    for (const ValueArea& area : scope.valueAreas) {
        if (area.root == root && InValueArea(area, names)) return true;
    }
    return false;
}

std::string ShortcutPathRefusal(const std::string& path, const std::string& windowsFolder) {
    const bool onDrive = path.size() > 3 &&
                         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':' &&
                         path[2] == '\\';
    if (!onDrive) return "not a full path on a drive";
    const std::vector<std::string> names = KeyNames(path.substr(3));
    if (names.empty()) return "a name in the path is empty";
    for (const std::string& name : names) {
        if (!IsPlainFileName(name)) return "\"" + name + "\" is no plain file name";
        if (IsDeviceName(name)) return "\"" + name + "\" names a device";
    }
    if (!EndsWithIgnoringCase(path, ".lnk")) return "only shortcut files (.lnk) are restored";
    std::string windows = windowsFolder;
    while (!windows.empty() && windows.back() == '\\') windows.pop_back();
    const std::vector<std::string> windowsNames = KeyNames(windows);
    if (windowsNames.empty()) return "the Windows folder is not known";
    if (StartsWithNames(KeyNames(path), windowsNames)) return "it lies in the Windows folder";
    return {};
}
