#include "backup/unpacked_backup.h"

#include <windows.h>

#include <algorithm>

#include "backup/backup_records.h"
#include "backup/file_bytes.h"
#include "backup/zip_reader.h"
#include "base/ascii_case.h"
#include "base/text_format.h"

namespace {
// A backup holds registry exports, records and shortcut copies: far below these sizes. Its
// entries compress at most about 210 to 1 (a registry export of zero bytes in hex), so an
// archive that claims to unpack to more than its own size times the ratio (and more than the
// floor, which small archives of very regular data may reach) is no backup of ours.
constexpr uint64_t kEntryLimit = 256ull << 20;
constexpr uint64_t kTotalLimit = 512ull << 20;
constexpr uint64_t kInflationLimit = 400;
constexpr uint64_t kInflationFloor = 16ull << 20;

bool SameName(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

std::string UnusableName(const ZipEntryInfo& info) {
    const std::string name = BareFileName(info.name);
    if (name.empty() || name.find(':') != std::string::npos) return "the entry " + info.name + " has no usable name";
    return {};
}

// Goes through every entry's header, none unpacked: why the archive cannot be unpacked, or nothing.
std::string HeaderRefusal(ZipReader& reader) {
    const uint64_t allowed = std::min(kTotalLimit, std::max(kInflationFloor, reader.ArchiveSize() * kInflationLimit));
    uint64_t claimed = 0;
    do {
        ZipEntryInfo info;
        if (!reader.GetEntryInfo(info)) return "an entry's name cannot be read";
        if (info.folder) continue;
        if (std::string refusal = UnusableName(info); !refusal.empty()) return refusal;
        claimed += std::min(info.uncompressedSize, kTotalLimit + 1);
        if (info.uncompressedSize > kEntryLimit || claimed > allowed) {
            return Format("the entry %s claims %llu bytes, more than an archive of %llu bytes holds", info.name.c_str(),
                          static_cast<unsigned long long>(info.uncompressedSize),
                          static_cast<unsigned long long>(reader.ArchiveSize()));
        }
    } while (reader.GoToNext());
    return {};
}
}  // namespace

const std::string* UnpackedBackup::Find(const std::string& name) const {
    if (IsRepeated(name)) return nullptr;
    if (const auto exact = entries.find(name); exact != entries.end()) return &exact->second;
    for (const auto& [entry, bytes] : entries) {
        if (SameName(entry, name)) return &bytes;
    }
    return nullptr;
}

bool UnpackedBackup::IsRepeated(const std::string& name) const { return repeatedNames.count(LowerAscii(name)) > 0; }

UnpackResult UnpackBackup(const std::string& archivePath) {
    ZipReader reader;
    if (!reader.Open(archivePath)) return {std::nullopt, "the archive cannot be opened as a zip file"};
    if (reader.FileCount() == 0 || !reader.GoToFirst()) return {std::nullopt, "the archive holds no entries"};
    if (std::string refusal = HeaderRefusal(reader); !refusal.empty()) return {std::nullopt, std::move(refusal)};
    UnpackedBackup backup;
    std::set<std::string> names;
    reader.GoToFirst();
    do {
        ZipEntryInfo info;
        std::string bytes;
        if (!reader.GetEntryInfo(info)) return {std::nullopt, "an entry's name cannot be read"};
        if (info.folder) continue;
        if (!reader.ReadCurrent(bytes, info.uncompressedSize)) {
            return {std::nullopt, "the entry " + info.name + " does not read back intact"};
        }
        const std::string name = BareFileName(info.name);
        if (!names.insert(LowerAscii(name)).second) backup.repeatedNames.insert(LowerAscii(name));
        backup.entries.emplace(name, std::move(bytes));
    } while (reader.GoToNext());
    return {std::move(backup), {}};
}

BackupReading ReadBackup(const std::string& archivePath) {
    UnpackResult unpacked = UnpackBackup(archivePath);
    if (!unpacked.backup) return {std::nullopt, std::move(unpacked.error)};
    if (unpacked.backup->IsRepeated(kDescriptorName))
        return {std::nullopt, "the archive holds more than one Config.ini"};
    const std::string* descriptor = unpacked.backup->Find(kDescriptorName);
    if (!descriptor) return {std::nullopt, "the archive holds no Config.ini"};
    Descriptor records = ReadDescriptor(*descriptor);
    if (records.records.empty()) {
        return {std::nullopt, records.truncated ? "the archive's Config.ini ends inside its first record"
                                                : "the archive's Config.ini holds no record"};
    }
    return {BackupContents{std::move(*unpacked.backup), std::move(records)}, {}};
}
