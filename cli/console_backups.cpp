#include "cli/console_backups.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "backup/backup_list.h"
#include "backup/unpacked_backup.h"
#include "base/text_format.h"
#include "cli/ansi_text.h"
#include "cli/scan_report.h"

namespace {
// Read as a restore reads it, so that both count the same records and call the same archives unreadable.
std::optional<size_t> RecordCount(const std::string& archive) {
    const BackupReading reading = ReadBackup(archive);
    if (!reading.contents) return std::nullopt;
    return reading.contents->descriptor.records.size();
}

std::string IsoTime(const BackupNameTime& time) {
    return Format("%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month, time.day, time.hour, time.minute,
                  time.second);
}
}  // namespace

int RunConsoleBackups(const ConsoleBackupsOptions& options) {
    const DateNames names = UserDateNames();
    const std::vector<BackupArchive> archives = ListBackupArchives(options.backupFolder);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    std::string text;
    for (const BackupArchive& archive : archives) {
        const std::optional<size_t> records = RecordCount(archive.path);
        const std::string date = BackupListText(archive, names);
        list.push_back({{"file", AnsiToUtf8(archive.fileName)},
                        {"path", AnsiToUtf8(archive.path)},
                        {"date", AnsiToUtf8(date)},
                        {"time", archive.time.valid ? nlohmann::ordered_json(IsoTime(archive.time)) : nullptr},
                        {"records", records ? nlohmann::ordered_json(*records) : nullptr}});
        text += archive.fileName + "\t" + date + "\t" +
                (records ? Format("%d records", static_cast<int>(*records)) : std::string("unreadable")) + "\n";
    }
    if (archives.empty()) text = "No backups in " + options.backupFolder + "\n";
    const std::string output =
        options.json ? JsonText({{"backupFolder", AnsiToUtf8(options.backupFolder)}, {"backups", std::move(list)}})
                     : text;
    std::fwrite(output.data(), 1, output.size(), options.out);
    std::fflush(options.out);
    return 0;
}
