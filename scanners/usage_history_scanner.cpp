#include "scanners/usage_history_scanner.h"

#include <optional>

#include "engine/section_table.h"
#include "registry/file_reference.h"
#include "scanners/list_paths.h"
#include "scanners/scan_key.h"
#include "scanners/usage_history_names.h"

namespace {
void ScanCounterList(ScanEngine& engine, const std::string& keyPath) {
    const ScanKey list = OpenStartingKey(engine, kFullRegistrySection, HKEY_CURRENT_USER, keyPath);
    if (!list.IsOpen()) return;
    const DWORD count = list.ValueCount();
    ValueNameReader names;
    std::string stored;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (!names.Read(list.Get(), index, stored)) continue;
        const std::string decoded = Rot13(stored);
        const std::optional<std::string> path = UsageEntryPath(decoded);
        if (path && !FileReferenceExists(*path, RegistryView::Bits64)) {
            ReportRegistryProblem(engine, {kFullRegistrySection, kCurrentUser, keyPath, stored, decoded,
                                           RemovalScope::Value, MissingFileDescription(*path)});
        }
    }
}
}  // namespace

void ScanUsageHistory(ScanEngine& engine) {
    const ScanKey lists = OpenStartingKey(engine, kFullRegistrySection, HKEY_CURRENT_USER, kUserAssistKey);
    if (!lists.IsOpen()) return;
    const DWORD count = lists.SubKeyCount();
    std::string name;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (!lists.SubKeyName(index, name)) continue;
        while (!name.empty() && name.back() == '\\') name.pop_back();
        ScanCounterList(engine, std::string(kUserAssistKey) + "\\" + name + "\\Count");
    }
}
