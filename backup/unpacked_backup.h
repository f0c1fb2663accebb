#pragma once
// A backup archive read whole into memory: every entry under its bare name, each read to its
// end with its CRC checked, or nothing at all.
#include <map>
#include <optional>
#include <string>

struct UnpackedBackup {
    std::map<std::string, std::string> entries;  // bare entry name -> bytes

    // The entry of that name, letters compared without case as the file system would; null if none.
    const std::string* Find(const std::string& name) const;
};

struct UnpackResult {
    std::optional<UnpackedBackup> backup;
    std::string error;  // when there is no backup
};

// Fails for an archive that does not open, has no entries, or any entry that does not read
// back whole and intact.
UnpackResult UnpackBackup(const std::string& archivePath);

// Only the named entry (compared without case), for a look inside many archives.
std::optional<std::string> ReadArchiveEntry(const std::string& archivePath, const std::string& name);
