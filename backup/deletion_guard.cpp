#include "backup/deletion_guard.h"

#include "base/ascii_case.h"
#include "engine/section_descriptors.h"

std::vector<std::string> KeyNames(const std::string& path) {
    std::vector<std::string> names;
    size_t start = 0;
    for (;;) {
        const size_t slash = path.find('\\', start);
        const std::string name = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (name.empty()) return {};
        names.push_back(name);
        if (slash == std::string::npos) return names;
        start = slash + 1;
    }
}

bool StartsWithNames(const std::vector<std::string>& path, const std::vector<std::string>& prefix) {
    if (prefix.size() > path.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (!EqualsIgnoringAsciiCase(path[i], prefix[i])) return false;
    }
    return true;
}

namespace {
bool Below(const ListKey& list, RootKeyValue root, const std::vector<std::string>& names) {
    if (list.root != root) return false;
    if (list.extensionKeys) return names.size() == 1 && names[0].size() > 1 && names[0][0] == '.';
    const std::vector<std::string> listNames = KeyNames(list.path);
    return names.size() > listNames.size() && StartsWithNames(names, listNames);
}
}  // namespace

const std::vector<ListKey>& SectionListKeys() {
    static const std::vector<ListKey> keys = [] {
        std::vector<ListKey> all;
        for (const SectionDescriptor& section : SectionDescriptors()) {
            for (const SectionListKey& key : section.listKeys)
                all.push_back({section.id, key.root, key.path, key.extensionKeys});
        }
        return all;
    }();
    return keys;
}

bool KeyDeletionAllowed(const std::vector<ListKey>& listKeys, SectionId section, RootKeyValue root,
                        const std::string& keyPath) {
    const std::vector<std::string> names = KeyNames(keyPath);
    if (names.empty()) return false;
    bool below = false;
    for (const ListKey& list : listKeys) {
        // A list key, or a key that holds one, is never deleted, for any section.
        if (!list.extensionKeys && list.root == root && StartsWithNames(KeyNames(list.path), names)) return false;
        if (list.section == section && Below(list, root, names)) below = true;
    }
    return below;
}

bool KeyDeletionAllowedForSomeSection(const std::vector<ListKey>& listKeys, RootKeyValue root,
                                      const std::string& keyPath) {
    for (const ListKey& list : listKeys) {
        if (KeyDeletionAllowed(listKeys, list.section, root, keyPath)) return true;
    }
    return false;
}
