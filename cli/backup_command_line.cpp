#include "cli/backup_command_line.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace {
using Chooser = std::function<void(const BackupCommandLine&)>;

void AddClean(CLI::App& app, const Chooser& choose) {
    CLI::App* clean =
        app.add_subcommand("clean", "Scan, then remove every safe problem found, backing it all up first");
    clean->footer(
        "Problems to review (services, drivers, parts of Windows, file types' commands, system settings)\n"
        "are listed, not removed, unless --include-review is given.\n"
        "With --from, only the problems the report lists go, and only those a new scan of its sections still\n"
        "finds; the others are named and left as they are.\n"
        "Exit status: 0 all removed, 1 some kept, 2 bad usage or report, 3 scan aborted, 4 backup not written\n"
        "(after 2, 3 and 4 nothing is removed), 6 --report's file not written");
    const auto line = std::make_shared<BackupCommandLine>();
    line->command = BackupCommandLine::Command::Clean;
    AddScanOptions(*clean, line->scan);
    clean->add_flag("--include-review", line->includeReview, "Remove the problems to review as well");
    clean->add_flag_callback(
        "--no-backup", [line] { line->backup = false; }, "Remove without a backup archive");
    clean->add_flag("--repeat", line->repeat,
                    "Scan and remove again until a round finds nothing new (at most five rounds): removing an "
                    "entry can leave others that pointed at it");
    clean
        ->add_option("--from", line->fromReport,
                     "Remove only the problems listed in this document of 'tidrex scan --json' or --report")
        ->type_name("REPORT");
    clean->callback([line, choose, clean] {
        if (!line->fromReport.empty() &&
            (line->scan.selection != ScanCommand::Selection::Preferences || line->repeat)) {
            throw CLI::ValidationError(
                clean->get_name(), "--from takes its sections from the report: not with --all, --sections or --repeat");
        }
        choose(*line);
    });
}

void AddBackups(CLI::App& app, const Chooser& choose) {
    CLI::App* backups = app.add_subcommand("backups", "List the backup archives, newest first");
    const auto line = std::make_shared<BackupCommandLine>();
    line->command = BackupCommandLine::Command::Backups;
    backups->add_flag("--json", line->json, "Print one JSON document");
    backups->callback([line, choose] { choose(*line); });
}

void AddRestore(CLI::App& app, const Chooser& choose) {
    CLI::App* restore = app.add_subcommand("restore", "Put back everything one backup archive holds");
    restore->footer(
        "Exit status: 0 items restored, 1 not all restored, 2 bad usage, 4 invalid backup,\n"
        "5 what it would replace could not be backed up (nothing is restored)");
    const auto line = std::make_shared<BackupCommandLine>();
    line->command = BackupCommandLine::Command::Restore;
    CLI::Option* archive =
        restore->add_option("ARCHIVE", line->archive, "The archive: a path, or a name in the backup folder");
    CLI::Option* latest = restore->add_flag("--latest", line->latest, "The newest archive that can be read");
    archive->excludes(latest);
    restore->add_flag("--json", line->json, "Print one JSON document");
    restore->callback([line, choose, restore] {
        if (line->archive.empty() && !line->latest) {
            throw CLI::ValidationError(restore->get_name(), "needs an ARCHIVE or --latest");
        }
        choose(*line);
    });
}
}  // namespace

void AddBackupCommands(CLI::App& app, std::function<void(const BackupCommandLine&)> choose) {
    AddClean(app, choose);
    AddBackups(app, choose);
    AddRestore(app, choose);
}
