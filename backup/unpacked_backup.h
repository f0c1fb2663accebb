#pragma once
// A backup archive read whole into memory: every entry under its bare name, each read to its
// end with its CRC checked, or nothing at all. Restores and the lists of archives read an
// archive the same way, so they always agree on what it holds.
#include <map>
#include <optional>
#include <set>
#include <string>

#include "backup/descriptor_reader.h"

struct UnpackedBackup {
    std::map<std::string, std::string> entries;  // bare entry name -> bytes; the first of a repeated name
    std::set<std::string> repeatedNames;         // bare names (ASCII letters in lower case) of more than one entry

    // The entry of that name, letters compared without case as the file system would; null if
    // none, and for a name more than one entry has (which of them is meant cannot be told).
    const std::string* Find(const std::string& name) const;
    bool IsRepeated(const std::string& name) const;
};

struct UnpackResult {
    std::optional<UnpackedBackup> backup;
    std::string error;  // when there is no backup
};

// Fails for an archive that does not open, has no entries, claims more unpacked bytes than its
// size can honestly hold (checked for every entry before any is unpacked), or has any entry that
// does not read back whole and intact.
UnpackResult UnpackBackup(const std::string& archivePath);

struct BackupContents {
    UnpackedBackup backup;
    Descriptor descriptor;
};

struct BackupReading {
    std::optional<BackupContents> contents;
    std::string error;  // when there are no contents
};

// The archive unpacked with its Config.ini read: no contents when it does not unpack, holds no
// Config.ini or more than one, or that file holds no record.
BackupReading ReadBackup(const std::string& archivePath);
