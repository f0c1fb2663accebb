#include "backup/unpacked_backup.h"

#include <windows.h>

#include "backup/file_bytes.h"
#include "backup/zip_reader.h"

namespace {
// A backup holds registry exports and shortcut copies: far below these sizes.
constexpr uint64_t kEntryLimit = 256ull << 20;
constexpr uint64_t kTotalLimit = 1ull << 30;

bool SameName(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }
}  // namespace

const std::string* UnpackedBackup::Find(const std::string& name) const {
    if (const auto exact = entries.find(name); exact != entries.end()) return &exact->second;
    for (const auto& [entry, bytes] : entries) {
        if (SameName(entry, name)) return &bytes;
    }
    return nullptr;
}

UnpackResult UnpackBackup(const std::string& archivePath) {
    ZipReader reader;
    if (!reader.Open(archivePath)) return {std::nullopt, "the archive cannot be opened as a zip file"};
    if (reader.FileCount() == 0 || !reader.GoToFirst()) return {std::nullopt, "the archive holds no entries"};
    UnpackedBackup backup;
    uint64_t total = 0;
    do {
        ZipEntryInfo info;
        std::string bytes;
        if (!reader.GetEntryInfo(info)) return {std::nullopt, "an entry's name cannot be read"};
        if (info.folder) continue;
        const std::string name = BareFileName(info.name);
        if (name.empty() || name.find(':') != std::string::npos) {
            return {std::nullopt, "the entry " + info.name + " has no usable name"};
        }
        if (!reader.ReadCurrent(bytes, kEntryLimit) || (total += bytes.size()) > kTotalLimit) {
            return {std::nullopt, "the entry " + info.name + " does not read back intact"};
        }
        backup.entries[name] = std::move(bytes);
    } while (reader.GoToNext());
    return {std::move(backup), {}};
}

std::optional<std::string> ReadArchiveEntry(const std::string& archivePath, const std::string& name) {
    ZipReader reader;
    if (!reader.Open(archivePath) || !reader.GoToFirst()) return std::nullopt;
    do {
        ZipEntryInfo info;
        std::string bytes;
        if (!reader.GetEntryInfo(info) || !SameName(BareFileName(info.name), name)) continue;
        if (!reader.ReadCurrent(bytes, kEntryLimit)) return std::nullopt;
        return bytes;
    } while (reader.GoToNext());
    return std::nullopt;
}
