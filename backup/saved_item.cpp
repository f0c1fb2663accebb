#include "backup/saved_item.h"

#include "backup/file_bytes.h"
#include "base/unique_handles.h"
#include "registry/code_page_text.h"
#include "registry/key_export.h"
#include "registry/registry_key.h"
#include "registry/value_bytes.h"

namespace {
// Registry names compare as the registry compares them: without regard to letter case.
std::u16string Upper(std::u16string name) {
    bool ascii = true;
    for (char16_t& c : name) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        ascii = ascii && c < 0x80;
    }
    if (ascii) return name;
    std::u16string upper(name.size(), u'\0');
    const int length =
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, reinterpret_cast<const wchar_t*>(name.data()),
                      static_cast<int>(name.size()), reinterpret_cast<wchar_t*>(upper.data()),
                      static_cast<int>(upper.size()), nullptr, nullptr, 0);
    return length == static_cast<int>(name.size()) ? upper : name;
}

std::u16string DocumentPath(RootKeyValue root, const std::string& keyPath) {
    const std::u16string rootName = RegFileRootName(root);
    return keyPath.empty() ? rootName : rootName + u"\\" + WideFromAnsi(keyPath);
}

Recheck RecheckKey(const RegistryProblem& problem, const RegFileDocument& saved, HKEY heldKey,
                   const RemovalLedger& ledger) {
    const KeyExport now = heldKey ? ExportOpenKey(heldKey, problem.rootKey, problem.keyPath)
                                  : ExportKey(problem.rootKey, problem.keyPath);
    if (now.status == KeyExport::Status::Gone) return {false, ERROR_FILE_NOT_FOUND};
    if (now.status == KeyExport::Status::Failed) return {false, now.errorCode};
    return {!ledger.SameAsSaved(now.document, saved), ERROR_SUCCESS};
}

Recheck RecheckValue(const RegistryProblem& problem, const SavedValue& saved, HKEY heldKey) {
    UniqueHkey opened;
    if (!heldKey) {
        const LONG error = RegOpenKeyExW(RootKeyHandle(problem.rootKey), WideChars(WideFromAnsi(problem.keyPath)), 0,
                                         KEY_QUERY_VALUE, opened.put());
        if (error != ERROR_SUCCESS) {
            opened.release();
            return {false, error};
        }
        heldKey = opened.get();
    }
    SavedValue now;
    const long error = QueryValueBytes(heldKey, WideFromAnsi(problem.valueName), now.type, now.data);
    return {error == ERROR_SUCCESS && now != saved, error};
}

Recheck RecheckFile(const FileProblem& problem, const std::string& saved) {
    const FileRead now = ReadFileBytes(problem.linkPath, kShortcutFileLimit);
    if (now.status == FileRead::Status::Gone) return {false, ERROR_FILE_NOT_FOUND};
    // A file that can no longer be read whole cannot be shown to be the one saved.
    if (now.status == FileRead::Status::Failed) return {true, ERROR_SUCCESS};
    return {now.bytes != saved, ERROR_SUCCESS};
}
}  // namespace

void RemovalLedger::Record(const RegistryProblem& deleted) {
    std::u16string path = Upper(DocumentPath(deleted.rootKey, deleted.keyPath));
    if (deleted.scope == RemovalScope::Key) keys_.insert(std::move(path));
    else values_.insert({std::move(path), Upper(WideFromAnsi(deleted.valueName))});
}

// Whether the key or a key above it was deleted.
bool RemovalLedger::KeyTaken(const std::u16string& upperPath) const {
    size_t end = 0;
    do {
        end = upperPath.find(u'\\', end + 1);
        if (keys_.contains(upperPath.substr(0, end))) return true;
    } while (end != std::u16string::npos);
    return false;
}

bool RemovalLedger::SameAsSaved(const RegFileDocument& now, const RegFileDocument& saved) const {
    return keys_.empty() && values_.empty() ? now == saved : now == Remaining(saved);
}

RegFileDocument RemovalLedger::Remaining(RegFileDocument saved) const {
    std::erase_if(saved.keys, [this](const RegFileKey& key) { return KeyTaken(Upper(key.path)); });
    if (values_.empty()) return saved;
    for (RegFileKey& key : saved.keys) {
        const std::u16string path = Upper(key.path);
        std::erase_if(key.values, [&](const RegFileValue& value) {
            return values_.contains({path, Upper(value.name)});
        });
    }
    return saved;
}

Recheck RecheckItem(const ProblemRecord& problem, const SavedState& saved, HKEY heldKey, const RemovalLedger& ledger) {
    if (const FileProblem* file = problem.AsFile()) {
        const std::string* bytes = std::get_if<std::string>(&saved);
        return bytes ? RecheckFile(*file, *bytes) : Recheck{true, ERROR_SUCCESS};
    }
    const RegistryProblem& registry = std::get<RegistryProblem>(problem.item);
    if (registry.scope == RemovalScope::Key) {
        const RegFileDocument* tree = std::get_if<RegFileDocument>(&saved);
        return tree ? RecheckKey(registry, *tree, heldKey, ledger) : Recheck{true, ERROR_SUCCESS};
    }
    const SavedValue* value = std::get_if<SavedValue>(&saved);
    return value ? RecheckValue(registry, *value, heldKey) : Recheck{true, ERROR_SUCCESS};
}
