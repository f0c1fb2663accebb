#include "backup/backup_restore.h"

#include "backup/backup_records.h"
#include "backup/descriptor_reader.h"
#include "backup/file_bytes.h"
#include "backup/unpacked_backup.h"
#include "base/system_error_text.h"
#include "base/text_format.h"
#include "engine/wow64.h"
#include "registry/code_page_text.h"
#include "registry/key_import.h"
#include "registry/reg_file_reader.h"
#include "registry/root_keys.h"
#include "registry/value_bytes.h"

namespace {
constexpr size_t kListedFailures = 10;

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

class Restore {
public:
    Restore(const UnpackedBackup& backup, RestoreReport& report) : backup_(backup), report_(report) {}

    void Replay(const DescriptorRecord& record) {
        std::string failure;
        switch (record.kind) {
            case DescriptorRecord::Kind::Key: failure = RestoreKey(record); break;
            case DescriptorRecord::Kind::Value: failure = RestoreValue(record); break;
            case DescriptorRecord::Kind::File: failure = RestoreFile(record); break;
        }
        if (failure.empty()) ++report_.restored;
        else report_.failures.push_back(failure);
    }

private:
    // Each returns why the record was not restored, or nothing.
    std::string RestoreKey(const DescriptorRecord& record) const {
        std::string file = record.path;
        file.erase(0, file.find_first_not_of('\\'));
        const std::string* bytes = file.find_first_of("\\/:") == std::string::npos ? backup_.Find(file) : nullptr;
        if (!bytes) return record.name + ": the archive holds no key export " + record.path;
        const RegFileParse parsed = ParseRegFile(*bytes, WideFromAnsi);
        if (!parsed.document) return record.name + ": " + file + " does not parse: " + parsed.error;
        // The export may only bring back the key its record names.
        const std::u16string named = CanonicalFullPath(record.name);
        for (const RegFileKey& key : parsed.document->keys) {
            if (named.empty() || !AtOrBelow(key.path, named)) return record.name + ": " + file + " names other keys";
        }
        const RegImport imported = ApplyRegFile(*parsed.document);
        return imported.ok ? std::string() : record.name + ": " + imported.error;
    }

    static std::string RestoreValue(const DescriptorRecord& record) {
        const std::string item = record.mainKey + " (value \"" + record.valueName + "\")";
        const size_t slash = record.mainKey.find('\\');
        const RootKeyValue root = slash == std::string::npos ? 0 : RootKeyFromName(record.mainKey.substr(0, slash));
        if (root == 0) return item + ": no known registry root";
        if (record.hasRaw && !record.rawValid) return item + ": its recorded type and data are damaged";
        uint32_t type = record.rawType;
        std::vector<uint8_t> data = record.rawData;
        if (!record.hasRaw) {
            // Recorded as text only: written back as a string, terminated.
            type = 1;  // REG_SZ
            for (char16_t c : WideFromAnsi(record.value) + u'\0') {
                data.push_back(static_cast<uint8_t>(c & 0xFF));
                data.push_back(static_cast<uint8_t>(c >> 8));
            }
        }
        const long error = WriteValueBytes(root, record.mainKey.substr(slash + 1), record.valueName, type, data);
        return error == 0 ? std::string() : item + ": " + SystemErrorText(static_cast<unsigned long>(error));
    }

    std::string RestoreFile(const DescriptorRecord& record) const {
        const std::string name = record.stagedName.empty() ? BareFileName(record.path) : record.stagedName;
        const std::string* bytes = backup_.Find(name);
        if (!bytes) return record.path + ": the archive holds no copy named " + name;
        const size_t slash = record.path.find_last_of('\\');
        if (slash != std::string::npos) CreateFolderTree(record.path.substr(0, slash));
        const std::string error = WriteFileBytes(record.path, *bytes, FileWriteMode::Replace);
        return error.empty() ? std::string() : record.path + ": " + error;
    }

    const UnpackedBackup& backup_;
    RestoreReport& report_;
};
}  // namespace

std::string RestoreReport::Message() const {
    std::string text = status == Status::Restored  ? kItemsRestoredText
                       : status == Status::Partial ? kNotAllRestoredText
                                                   : kInvalidBackupText;
    if (truncated) text += "\r\n\r\nThe backup's Config.ini ends inside a record.";
    if (!failures.empty()) text += truncated ? "\r\n" : "\r\n\r\n";
    for (size_t i = 0; i < failures.size() && i < kListedFailures; ++i) text += failures[i] + "\r\n";
    if (failures.size() > kListedFailures) {
        text += Format("and %d more\r\n", static_cast<int>(failures.size() - kListedFailures));
    }
    return text;
}

RestoreReport RestoreBackup(const std::string& archivePath, bool wow64) {
    RestoreReport report;
    const UnpackResult unpacked = UnpackBackup(archivePath);
    if (!unpacked.backup) {
        report.failures.push_back(unpacked.error);
        return report;
    }
    const std::string* descriptor = unpacked.backup->Find(kDescriptorName);
    if (!descriptor) {
        report.failures.push_back("the archive holds no Config.ini");
        return report;
    }
    const Descriptor records = ReadDescriptor(*descriptor);
    const FsRedirectionOff redirection(wow64);
    Restore restore(*unpacked.backup, report);
    for (const DescriptorRecord& record : records.records) restore.Replay(record);
    report.truncated = records.truncated;
    report.status =
        report.failures.empty() && !report.truncated ? RestoreReport::Status::Restored : RestoreReport::Status::Partial;
    return report;
}
