#include "cli/console_restore.h"

#include <nlohmann/json.hpp>

#include "backup/backup_list.h"
#include "backup/backup_restore.h"
#include "cli/ansi_text.h"
#include "cli/scan_report.h"
#include "engine/wow64.h"

namespace {
struct SkippedArchive {
    std::string path;
    std::string reason;
};

struct ChosenArchive {
    std::string path;  // empty when --latest finds none that can be read
    BackupReading reading;
    std::vector<SkippedArchive> skipped;  // --latest: the newer archives that cannot be read
};

ChosenArchive ChooseArchive(const ConsoleRestoreOptions& options) {
    ChosenArchive chosen;
    if (!options.latest) {
        const bool bareName = options.archive.find_first_of("\\/:") == std::string::npos;
        chosen.path = bareName ? options.backupFolder + "\\" + options.archive : options.archive;
        chosen.reading = ReadBackup(chosen.path);
        return chosen;
    }
    for (const BackupArchive& archive : ListBackupArchives(options.backupFolder)) {
        BackupReading reading = ReadBackup(archive.path);
        if (reading.contents) {
            chosen.path = archive.path;
            chosen.reading = std::move(reading);
            return chosen;
        }
        chosen.skipped.push_back({archive.path, std::move(reading.error)});
    }
    chosen.reading.error =
        (chosen.skipped.empty() ? "there is no backup in " : "there is no readable backup in ") + options.backupFolder;
    return chosen;
}

const char* StatusWord(RestoreReport::Status status) {
    switch (status) {
        case RestoreReport::Status::Restored: return "restored";
        case RestoreReport::Status::Partial: return "partial";
        case RestoreReport::Status::ReplacedNotSaved: return "not saved";
        case RestoreReport::Status::Invalid: break;
    }
    return "invalid";
}

nlohmann::ordered_json PathOrNull(const std::string& path) {
    return path.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(AnsiToUtf8(path));
}

nlohmann::ordered_json TextList(const std::vector<std::string>& texts) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const std::string& text : texts) list.push_back(AnsiToUtf8(text));
    return list;
}

std::string JsonReport(const ChosenArchive& chosen, const RestoreReport& report) {
    nlohmann::ordered_json skipped = nlohmann::ordered_json::array();
    for (const SkippedArchive& archive : chosen.skipped) {
        skipped.push_back({{"archive", AnsiToUtf8(archive.path)}, {"reason", AnsiToUtf8(archive.reason)}});
    }
    const std::string message = report.Message();
    return JsonText({{"archive", PathOrNull(chosen.path)},
                     {"status", StatusWord(report.status)},
                     {"message", AnsiToUtf8(message.substr(0, message.find('\r')))},
                     {"restored", report.restored},
                     {"failures", TextList(report.failures)},
                     {"replaced", TextList(report.replaced)},
                     {"replacedArchive", PathOrNull(report.replacedArchive)},
                     {"skipped", std::move(skipped)}});
}

std::string TextReport(const ChosenArchive& chosen, const RestoreReport& report) {
    std::string text;
    for (const SkippedArchive& archive : chosen.skipped)
        text += "Skipped : " + archive.path + " (" + archive.reason + ")\n";
    if (!chosen.path.empty()) text += "Backup : " + chosen.path + "\n";
    text += report.Message();
    if (text.back() != '\n') text += "\n";
    return text;
}
}  // namespace

int RunConsoleRestore(const ConsoleRestoreOptions& options) {
    const ChosenArchive chosen = ChooseArchive(options);
    const RestoreReport report =
        RestoreBackup(chosen.reading, chosen.path, {&ProgramRestoreScope(), options.backupFolder, IsWow64()});
    const std::string output = options.json ? JsonReport(chosen, report) : TextReport(chosen, report);
    std::fwrite(output.data(), 1, output.size(), options.out);
    std::fflush(options.out);
    switch (report.status) {
        case RestoreReport::Status::Restored: return 0;
        case RestoreReport::Status::Partial: return kExitNotAllRestored;
        case RestoreReport::Status::ReplacedNotSaved: return kExitReplacedNotSaved;
        case RestoreReport::Status::Invalid: break;
    }
    return kExitInvalidBackup;
}
