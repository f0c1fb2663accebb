#include "scanners/file_type_scanner.h"

#include <vector>

#include "base/ascii_case.h"
#include "engine/section_table.h"
#include "registry/file_reference.h"
#include "registry/registry_key.h"
#include "registry/registry_lookup.h"
#include "registry/view_keys.h"
#include "scanners/list_paths.h"
#include "scanners/scan_key.h"

namespace {
// Keys of the shell and of COM that hold verbs beside registrations of their own: only their
// stale verbs are reported, never the key.
constexpr const char* kSharedClassKeys[] = {
    "*",
    "AllFilesystemObjects",
    "AppID",
    "Applications",
    "CLSID",
    "DesktopBackground",
    "Directory",
    "Drive",
    "Folder",
    "Interface",
    "LibraryFolder",
    "MIME",
    "Network",
    "Printers",
    "SystemFileAssociations",
    "TypeLib",
    "Unknown",
    "Wow6432Node",
};

bool IsSharedClassKey(const std::string& name) {
    for (const char* shared : kSharedClassKeys) {
        if (EqualsIgnoringAsciiCase(name, shared)) return true;
    }
    return false;
}

struct StaleVerb {
    std::string keyPath;
    std::string command;
    std::string judged;
};

// A command is judged only when it starts with a path of its own: "X:\" after an optional quote.
bool NamesAPath(const std::string& command) {
    const size_t start = command.find_first_not_of("\" ");
    return start != std::string::npos && command.size() > start + 2 && command[start + 1] == ':' &&
           command[start + 2] == '\\';
}

struct ClassTree {
    ScanEngine& engine;
    HKEY root;
    const ViewKey& tree;

    // Whether the verb's command runs a program that is gone; a verb that cannot be judged (no
    // command, a COM handler, a text that names no path or does not fit the buffers) is working.
    bool IsStale(const std::string& verbPath, StaleVerb& stale) const {
        UniqueHkey command;
        if (RegOpenKeyExA(root, (verbPath + "\\command").c_str(), 0, KEY_READ, command.put()) != ERROR_SUCCESS)
            return false;
        if (RegQueryValueExA(command.get(), "DelegateExecute", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            return false;
        std::string text = ReadCommandText(command.get());
        std::string expanded = text;
        if (!ExpandEnvironmentInPlace(expanded, tree.view) || !NamesAPath(expanded) ||
            FileReferenceExists(expanded, tree.view))
            return false;
        stale = {verbPath, std::move(text), std::move(expanded)};
        return true;
    }

    void Report(const std::string& keyPath, const StaleVerb& verb) const {
        ReportRegistryProblem(engine, {kAssociationsSection, RootKeyValueOf(root), keyPath, std::string(), verb.command,
                                       RemovalScope::Key, MissingFileDescription(verb.judged)});
    }

    // Judges the verbs of one registration; whole is false where the key must stay whatever its verbs.
    void JudgeRegistration(const std::string& keyPath, bool whole) const {
        const std::string shellPath = keyPath + "\\shell";
        const ScanKey shell(root, shellPath);
        if (!shell.IsOpen()) return;
        const DWORD count = shell.SubKeyCount();
        std::vector<StaleVerb> stale;
        std::string verb;
        DWORD verbs = 0;
        for (DWORD index = 0; index < count; ++index) {
            if (!shell.SubKeyName(index, verb)) return;  // a verb that cannot be named may be working
            ++verbs;
            StaleVerb found;
            if (IsStale(shellPath + "\\" + verb, found)) stale.push_back(std::move(found));
        }
        const bool keepsKey = !whole || RegKeyExists(root, keyPath + "\\CLSID") ||
                              RegKeyExists(root, keyPath + "\\ShellEx") ||
                              RegKeyExists(root, keyPath + "\\ShellFolder");
        if (!stale.empty() && stale.size() == verbs && !keepsKey) return Report(keyPath, stale.front());
        for (const StaleVerb& found : stale) Report(found.keyPath, found);
    }

    void ScanApplications() const {
        const std::string listPath = tree.path + "\\Applications";
        const ScanKey list(root, listPath);
        if (!list.IsOpen()) return;
        const DWORD count = list.SubKeyCount();
        std::string name;
        for (DWORD index = 0; index < count && engine.Running(); ++index) {
            if (!list.SubKeyName(index, name)) continue;
            JudgeRegistration(listPath + "\\" + name, true);
            engine.ShowItem(RootKeyName(root) + "\\" + listPath + "\\" + name);
            engine.Pump();
        }
    }

    void Scan(const ScanKey& classes) const {
        const DWORD count = classes.SubKeyCount();
        std::string name;
        for (DWORD index = 0; index < count && engine.Running(); ++index) {
            if (!classes.SubKeyName(index, name) || name.empty() || name.front() == '.') continue;
            JudgeRegistration(tree.path + "\\" + name, !IsSharedClassKey(name));
            engine.ShowItem(RootKeyName(root) + "\\" + tree.path + "\\" + name);
            engine.Pump();
        }
        if (engine.Running()) ScanApplications();
    }
};
}  // namespace

bool ScanStaleFileTypes(ScanEngine& engine) {
    const struct {
        HKEY root;
        const char* path;
    } trees[] = {{HKEY_CURRENT_USER, "Software\\Classes"}, {HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes"}};
    for (const auto& tree : trees) {
        for (const ViewKey& view : KeyInBothViews(tree.root, tree.path)) {
            const ScanKey classes = OpenStartingKey(engine, kAssociationsSection, tree.root, view.path);
            if (classes.IsOpen()) ClassTree{engine, tree.root, view}.Scan(classes);
            if (!engine.Running()) return false;
        }
    }
    return engine.Running();
}
