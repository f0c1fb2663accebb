// libFuzzer target: reading a date back from an archive name. Any name gives either no text,
// the name itself, or a date text whose fields are in range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "backup/backup_date_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view name(reinterpret_cast<const char*>(data), size);
    const BackupNameTime time = ParseBackupName(name);
    const std::string text = BackupDateText(name);
    if (!time.named && !text.empty()) std::abort();
    if (time.named && !time.valid && text != name) std::abort();
    if (time.valid) {
        if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23 || time.minute > 59 ||
            time.second > 59 || text.find(" Time: ") == std::string::npos) {
            std::abort();
        }
        // The same time written as a name reads back the same.
        const std::string again =
            BackupBaseName(time.month, time.day, time.year, time.hour, time.minute, time.second, 0);
        if (BackupDateText(again) != text) std::abort();
    }
    return 0;
}
