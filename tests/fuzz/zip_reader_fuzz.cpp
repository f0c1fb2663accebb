// libFuzzer target: a backup archive as "tidrex restore" meets it, from arbitrary bytes. Every
// entry is listed and read (bounded, as the restore bounds it) and a "Config.ini" entry goes
// through the descriptor reader; an entry that reads must have the size its header gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "backup/backup_records.h"
#include "backup/descriptor_reader.h"
#include "backup/zip_reader.h"
#include "base/ascii_case.h"

namespace {
constexpr uint64_t kEntryLimit = 1 << 20;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ZipReader reader;
    if (!reader.OpenBytes(std::string(reinterpret_cast<const char*>(data), size))) return 0;
    reader.FileCount();
    if (reader.GoToFirst("reg")) reader.GoToNext("reg");
    if (!reader.GoToFirst()) return 0;
    do {
        ZipEntryInfo info;
        if (!reader.GetEntryInfo(info)) continue;
        std::string bytes;
        if (!reader.ReadCurrent(bytes, kEntryLimit)) continue;
        if (bytes.size() != info.uncompressedSize) std::abort();
        const std::string name = info.name.substr(info.name.find_last_of('\\') + 1);
        if (EqualsIgnoringAsciiCase(name, kDescriptorName)) ReadDescriptor(bytes);
    } while (reader.GoToNext());
    return 0;
}
