#include "cli/console_restore.h"

#include <nlohmann/json.hpp>

#include "backup/backup_list.h"
#include "backup/backup_restore.h"
#include "cli/ansi_text.h"
#include "cli/scan_report.h"
#include "engine/wow64.h"

namespace {
// The archive the options name; empty when --latest finds none.
std::string ArchiveOf(const ConsoleRestoreOptions& options) {
    if (options.latest) {
        const std::vector<BackupArchive> archives = ListBackupArchives(options.backupFolder);
        return archives.empty() ? std::string() : archives.front().path;
    }
    const bool bareName = options.archive.find_first_of("\\/:") == std::string::npos;
    return bareName ? options.backupFolder + "\\" + options.archive : options.archive;
}

const char* StatusWord(RestoreReport::Status status) {
    switch (status) {
        case RestoreReport::Status::Restored: return "restored";
        case RestoreReport::Status::Partial: return "partial";
        case RestoreReport::Status::Invalid: break;
    }
    return "invalid";
}
}  // namespace

int RunConsoleRestore(const ConsoleRestoreOptions& options) {
    const std::string archive = ArchiveOf(options);
    RestoreReport report;
    if (archive.empty()) report.failures.push_back("there is no backup in " + options.backupFolder);
    else report = RestoreBackup(archive, IsWow64());
    std::string output;
    if (options.json) {
        nlohmann::ordered_json failures = nlohmann::ordered_json::array();
        for (const std::string& failure : report.failures) failures.push_back(AnsiToUtf8(failure));
        const std::string message = report.Message();
        output = JsonText(
            {{"archive", archive.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(AnsiToUtf8(archive))},
             {"status", StatusWord(report.status)},
             {"message", AnsiToUtf8(message.substr(0, message.find('\r')))},
             {"restored", report.restored},
             {"failures", std::move(failures)}});
    } else {
        output = (archive.empty() ? std::string() : "Backup : " + archive + "\n") + report.Message();
        if (output.back() != '\n') output += "\n";
    }
    std::fwrite(output.data(), 1, output.size(), options.out);
    std::fflush(options.out);
    switch (report.status) {
        case RestoreReport::Status::Restored: return 0;
        case RestoreReport::Status::Partial: return kExitNotAllRestored;
        case RestoreReport::Status::Invalid: break;
    }
    return kExitInvalidBackup;
}
