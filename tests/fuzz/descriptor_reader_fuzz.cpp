// libFuzzer target: the "Config.ini" reader on arbitrary bytes. Every record it returns must be
// one the writer can produce again, and whatever it reads as a RAW line must write back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "backup/backup_records.h"
#include "backup/descriptor_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Descriptor descriptor = ReadDescriptor(text);
    for (const DescriptorRecord& record : descriptor.records) {
        if (record.hasRaw && record.rawValid) {
            const std::string line = RawLine(record.rawType, record.rawData);
            const Descriptor again = ReadDescriptor(ValueRecord("k", "n", "v") + line);
            if (again.records.size() != 1 || !again.records[0].rawValid || again.records[0].rawType != record.rawType ||
                again.records[0].rawData != record.rawData) {
                std::abort();
            }
        }
        if (record.valueName.find('\n') != std::string::npos || record.path.find('\n') != std::string::npos)
            std::abort();
    }
    if (size > 0) RecordValue(text, text.substr(0, size / 2));
    return 0;
}
