#include "backup/restore_plan.h"

#include <windows.h>

#include "backup/backup_records.h"
#include "backup/file_bytes.h"
#include "backup/shortcut_destination.h"
#include "base/system_error_text.h"
#include "base/text_format.h"
#include "registry/code_page_text.h"
#include "registry/reg_file_reader.h"
#include "registry/registry_key.h"
#include "registry/registry_lookup.h"

namespace {
// A key export's left-out lines beyond these are counted, not named.
constexpr size_t kNamedLeftOutLines = 10;
constexpr const char* kKeyOutsideScope = "not a key this program's sections or tools remove";
constexpr const char* kValueOutsideScope = "not in a key this program's sections or tools remove values from";

char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// Whether path is the key or lies below it, names compared as the registry compares ASCII letters.
bool AtOrBelow(const std::u16string& path, const std::u16string& key) {
    if (path.size() < key.size() || (path.size() > key.size() && path[key.size()] != u'\\')) return false;
    for (size_t i = 0; i < key.size(); ++i) {
        if (Upper(path[i]) != Upper(key[i])) return false;
    }
    return true;
}

std::u16string CanonicalFullPath(const std::string& fullPath) {
    const std::u16string wide = WideFromAnsi(fullPath);
    const size_t slash = wide.find(u'\\');
    const std::u16string root = CanonicalRootName(std::u16string_view(wide).substr(0, slash));
    if (root.empty()) return {};
    return slash == std::u16string::npos ? root : root + wide.substr(slash);
}

// The key path below the root of a path that begins with the root's name.
std::string BelowRoot(const std::string& fullPath) {
    const size_t slash = fullPath.find('\\');
    return slash == std::string::npos ? std::string() : fullPath.substr(slash + 1);
}

RecordPlan Refused(std::string failure) { return {std::nullopt, {std::move(failure)}}; }

std::vector<std::string> LeftOutLines(const std::string& item, const std::string& file,
                                      const std::vector<RegFileSkippedLine>& skipped) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < skipped.size() && i < kNamedLeftOutLines; ++i) {
        lines.push_back(Format("%s: %s line %d left out (%s): ", item.c_str(), file.c_str(),
                               static_cast<int>(skipped[i].line), skipped[i].reason.c_str()) +
                        AnsiFromWide(skipped[i].text));
    }
    if (skipped.size() > kNamedLeftOutLines) {
        lines.push_back(Format("%s: %d more lines of %s left out", item.c_str(),
                               static_cast<int>(skipped.size() - kNamedLeftOutLines), file.c_str()));
    }
    return lines;
}

// The data a value record writes: its exact type and bytes, or, recorded as text only, a string.
void RecordedData(const DescriptorRecord& record, uint32_t& type, std::vector<uint8_t>& data) {
    if (record.hasRaw) {
        type = record.rawType;
        data = record.rawData;
        return;
    }
    type = REG_SZ;
    for (char16_t c : WideFromAnsi(record.value) + u'\0') {
        data.push_back(static_cast<uint8_t>(c & 0xFF));
        data.push_back(static_cast<uint8_t>(c >> 8));
    }
}

// Why a file there now keeps the record from being written; empty when there is none, and
// alreadyThere when the same bytes are.
std::string FileThere(const std::string& path, const std::string& bytes, bool& alreadyThere) {
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
        return "what is there now cannot be told (" + SystemErrorText(error) + ")";
    }
    if (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return "a folder is there now";
    const uint64_t size = (static_cast<uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    if (size != bytes.size()) return "a different file is there now, and it is kept";
    const FileRead now = ReadFileBytes(path, size);
    if (now.status != FileRead::Status::Read) return "a file is there now that cannot be read (" + now.error + ")";
    if (now.bytes != bytes) return "a different file is there now, and it is kept";
    alreadyThere = true;
    return {};
}
}  // namespace

RecordPlan RestorePlanner::Plan(const DescriptorRecord& record) {
    switch (record.kind) {
        case DescriptorRecord::Kind::Key: return PlanKey(record);
        case DescriptorRecord::Kind::Value: return PlanValue(record);
        case DescriptorRecord::Kind::File: break;
    }
    return PlanFile(record);
}

RecordPlan RestorePlanner::PlanKey(const DescriptorRecord& record) {
    const std::u16string named = CanonicalFullPath(record.name);
    const RootKeyValue root = RootKeyFromName(AnsiFromWide(named.substr(0, named.find(u'\\'))));
    const std::string keyPath = BelowRoot(record.name);
    if (root == 0 || !KeyRestoreAllowed(scope_, root, keyPath)) return Refused(record.name + ": " + kKeyOutsideScope);
    std::string file = record.path;
    file.erase(0, file.find_first_not_of('\\'));
    const bool bareName = file.find_first_of("\\/:") == std::string::npos;
    if (bareName && backup_.IsRepeated(file)) {
        return Refused(record.name + ": the archive holds more than one key export " + file);
    }
    const std::string* bytes = bareName ? backup_.Find(file) : nullptr;
    if (!bytes) return Refused(record.name + ": the archive holds no key export " + record.path);
    RegFileParse parsed = ParseRegFileSkippingLines(*bytes, WideFromAnsi);
    if (!parsed.document) return Refused(record.name + ": " + file + " does not parse: " + parsed.error);
    if (parsed.document->AsksToDelete()) {
        return Refused(record.name + ": " + file + " asks to delete registry keys or values");
    }
    // The export may only bring back the key its record names.
    for (const RegFileKey& key : parsed.document->keys) {
        if (!AtOrBelow(key.path, named)) return Refused(record.name + ": " + file + " names other keys");
    }
    const bool replaces = ReplacesValues(root, *parsed.document);
    return {PlannedWrite{record.name, KeyWrite{root, keyPath, std::move(*parsed.document)}, replaces, false},
            LeftOutLines(record.name, file, parsed.skipped)};
}

RecordPlan RestorePlanner::PlanValue(const DescriptorRecord& record) {
    const std::string item = record.mainKey + " (value \"" + record.valueName + "\")";
    const size_t slash = record.mainKey.find('\\');
    const RootKeyValue root = slash == std::string::npos ? 0 : RootKeyFromName(record.mainKey.substr(0, slash));
    if (root == 0) return Refused(item + ": no known registry root");
    if (record.hasRaw && !record.rawValid) return Refused(item + ": its recorded type and data are damaged");
    ValueWrite write{root, record.mainKey.substr(slash + 1), record.valueName, 0, {}, {}};
    if (!ValueRestoreAllowed(scope_, root, write.keyPath)) return Refused(item + ": " + kValueOutsideScope);
    RecordedData(record, write.type, write.data);
    ValueNow now = Compare(root, write.keyPath, write.valueName, write.type, write.data);
    write.currentText = std::move(now.text);
    return {PlannedWrite{item, std::move(write), now.replaced, now.same}, {}};
}

RecordPlan RestorePlanner::PlanFile(const DescriptorRecord& record) const {
    if (std::string refusal = ShortcutDestinationRefusal(record.path); !refusal.empty()) {
        return Refused(record.path + ": " + refusal);
    }
    const std::string name = record.stagedName.empty() ? BareFileName(record.path) : record.stagedName;
    if (backup_.IsRepeated(name)) return Refused(record.path + ": the archive holds more than one copy named " + name);
    const std::string* bytes = backup_.Find(name);
    if (!bytes) return Refused(record.path + ": the archive holds no copy named " + name);
    bool alreadyThere = false;
    if (std::string there = FileThere(record.path, *bytes, alreadyThere); !there.empty()) {
        return Refused(record.path + ": " + there);
    }
    return {PlannedWrite{record.path, FileWrite{record.path, bytes}, false, alreadyThere}, {}};
}

bool RestorePlanner::ReplacesValues(RootKeyValue root, const RegFileDocument& document) {
    for (const RegFileKey& key : document.keys) {
        const std::string keyPath = BelowRoot(AnsiFromWide(key.path));
        // A key that is not there holds nothing to replace; asked once, not for each value.
        if (key.values.empty() || !RegKeyExists(RootKeyHandle(root), keyPath)) continue;
        for (const RegFileValue& value : key.values) {
            if (Compare(root, keyPath, AnsiFromWide(value.name), value.type, value.data).replaced) return true;
        }
    }
    return false;
}

RestorePlanner::ValueNow RestorePlanner::Compare(RootKeyValue root, const std::string& keyPath,
                                                 const std::string& valueName, uint32_t type,
                                                 const std::vector<uint8_t>& data) {
    const ValueBytes now = values_.Read(root, keyPath, valueName);
    if (now.status == ValueBytes::Status::Gone) return {};
    if (now.status == ValueBytes::Status::Failed) return {true, false, {}};
    if (now.type == type && now.data == data) return {false, true, {}};
    std::string text;
    if (now.type == REG_SZ || now.type == REG_EXPAND_SZ) {
        std::u16string wide;
        for (size_t i = 0; i + 1 < now.data.size() && (now.data[i] || now.data[i + 1]); i += 2) {
            wide.push_back(static_cast<char16_t>(now.data[i] | (now.data[i + 1] << 8)));
        }
        text = AnsiFromWide(wide);
        if (HasLineBreak(text)) text.clear();
    }
    return {true, false, std::move(text)};
}
