#include <windows.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "backup/backup_records.h"
#include "backup/backup_restore.h"
#include "backup/zip_writer.h"
#include "cli/console_backups.h"
#include "cli/console_clean.h"
#include "cli/console_restore.h"
#include "cli/console_scan.h"
#include "engine/section_descriptors.h"
#include "tests/cli/stale_font.h"
#include "tests/support/list_keys_lock.h"
#include "tests/support/registry_dump.h"
#include "tests/support/stream_text.h"
#include "tests/support/temp_folder.h"

namespace {
// A service of this test whose program is gone, in the machine's service list, removed again
// afterwards: a problem to review.
class StaleService {
public:
    StaleService() : name_("TidrexCliClean" + std::to_string(GetCurrentProcessId())) {
        const std::string data = "C:\\TidrexCliNoSuchFolder\\" + name_ + ".exe";
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, Path().c_str(), "ImagePath", REG_SZ, data.c_str(),
                        static_cast<DWORD>(data.size() + 1));
    }
    ~StaleService() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, Path().c_str()); }
    std::string Path() const { return "SYSTEM\\CurrentControlSet\\Services\\" + name_; }
    bool Present() const {
        return RegGetValueA(HKEY_LOCAL_MACHINE, Path().c_str(), "ImagePath", RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }

private:
    ListKeysLock lock_;
    std::string name_;
};

struct Output {
    int status;
    std::string text;
};

// Runs a console operation with its output going to a temporary file, and reads that back.
template <typename Run>
Output Capture(Run run) {
    std::FILE* out = std::tmpfile();
    const int status = run(out);
    std::string text = StreamText(out);
    std::fclose(out);
    return {status, text};
}

ScanCommand FontsScan(bool json) {
    ScanCommand command;
    command.selection = ScanCommand::Selection::Listed;
    command.sections = {kFontsSection};
    command.json = json;
    command.writeLog = false;
    return command;
}

Output Clean(const std::string& folder, bool json, bool backup = true, bool interrupted = false) {
    std::atomic<bool> flag{interrupted};
    return Capture([&](std::FILE* out) {
        return RunConsoleClean({FontsScan(json), backup, false, folder, "Windows 10", &flag, out});
    });
}

// A clean of the fonts and the services, which hold problems to review.
Output CleanFontsAndServices(const std::string& folder, bool json, bool includeReview) {
    std::atomic<bool> flag{false};
    ScanCommand scan = FontsScan(json);
    scan.sections.push_back(kServicesSection);
    return Capture([&](std::FILE* out) {
        return RunConsoleClean({scan, true, includeReview, folder, "Windows 10", &flag, out});
    });
}

Output Restore(const std::string& folder, const std::string& archive, bool json = true) {
    return Capture([&](std::FILE* out) { return RunConsoleRestore({archive, archive.empty(), folder, json, out}); });
}

// Whatever the test's cleans took from the machine's font list goes back.
void RestoreAll(const std::string& folder) {
    for (const std::string& line : DumpFolder(folder)) Restore(folder, line.substr(0, line.find(':')));
}
}  // namespace

TEST(ConsoleClean, BacksUpRemovesAndRestoreBringsItBackExactly) {
    const TempFolder folder("cli-clean");
    const StaleFont font("TidrexCliClean Gone (TrueType)");
    const std::string before = font.Dump();
    const Output cleaned = Clean(folder.Path(), true);
    EXPECT_EQ(cleaned.status, kExitClean) << cleaned.text;
    const nlohmann::json report = nlohmann::json::parse(cleaned.text);
    EXPECT_EQ(report["status"], "complete");
    EXPECT_GE(report["removed"].get<int>(), 1);
    EXPECT_TRUE(report["kept"].empty());
    ASSERT_TRUE(report["archive"].is_string());
    EXPECT_TRUE(FileExists(report["archive"].get<std::string>()));
    EXPECT_FALSE(font.Present());

    const Output listed = Capture([&](std::FILE* out) { return RunConsoleBackups({folder.Path(), true, out}); });
    EXPECT_EQ(listed.status, 0);
    const nlohmann::json backups = nlohmann::json::parse(listed.text)["backups"];
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0]["path"], report["archive"]);
    EXPECT_EQ(backups[0]["records"], report["removed"]);
    EXPECT_NE(backups[0]["date"].get<std::string>().find(" Time: "), std::string::npos);

    const Output restored = Restore(folder.Path(), "");
    EXPECT_EQ(restored.status, 0) << restored.text;
    const nlohmann::json result = nlohmann::json::parse(restored.text);
    EXPECT_EQ(result["status"], "restored");
    EXPECT_EQ(result["message"], kItemsRestoredText);
    EXPECT_EQ(result["restored"], report["removed"]);
    EXPECT_EQ(font.Dump(), before);
}

TEST(ConsoleClean, TextReportNamesTheArchiveAndTheCounts) {
    const TempFolder folder("cli-clean-text");
    const StaleFont font("TidrexCliClean Text (TrueType)");
    const Output cleaned = Clean(folder.Path(), false);
    EXPECT_EQ(cleaned.status, kExitClean);
    EXPECT_NE(cleaned.text.find("ValueName : TidrexCliClean Text (TrueType)\r\n"), std::string::npos);
    EXPECT_NE(cleaned.text.find("Scan Complete\r\nBackup : " + folder.Path() + "\\"), std::string::npos)
        << cleaned.text;
    EXPECT_NE(cleaned.text.find("\r\nKept : 0\r\n"), std::string::npos);
    RestoreAll(folder.Path());
    EXPECT_TRUE(font.Present());
}

TEST(ConsoleClean, WithoutBackupWritesNoArchive) {
    const TempFolder folder("cli-clean-nobackup");
    const StaleFont font("TidrexCliClean NoBackup (TrueType)");
    const Output cleaned = Clean(folder.Path(), true, false);
    EXPECT_EQ(cleaned.status, kExitClean);
    EXPECT_TRUE(nlohmann::json::parse(cleaned.text)["archive"].is_null());
    EXPECT_TRUE(DumpFolder(folder.Path()).empty());
    EXPECT_FALSE(font.Present());
}

TEST(ConsoleClean, BackupThatCannotBeWrittenRemovesNothing) {
    const TempFolder folder("cli-clean-unwritable");
    WriteTestFile(folder.Sub("file"), "a file, not a folder");
    const StaleFont font("TidrexCliClean Unwritable (TrueType)");
    const Output cleaned = Clean(folder.Sub("file"), true);
    EXPECT_EQ(cleaned.status, kExitBackupFailed);
    const nlohmann::json report = nlohmann::json::parse(cleaned.text);
    EXPECT_TRUE(report["archive"].is_null());
    EXPECT_EQ(report["removed"], 0);
    EXPECT_FALSE(report["kept"].empty());
    EXPECT_EQ(report["kept"][0]["reason"], "the backup could not be written");
    EXPECT_NE(report["backupError"].get<std::string>().find("cannot be written"), std::string::npos);
    EXPECT_TRUE(font.Present());
}

TEST(ConsoleClean, AnAbortedScanRemovesNothing) {
    const TempFolder folder("cli-clean-aborted");
    const StaleFont font("TidrexCliClean Aborted (TrueType)");
    const Output cleaned = Clean(folder.Path(), false, true, true);
    EXPECT_EQ(cleaned.status, kExitAborted);
    EXPECT_NE(cleaned.text.find("Nothing was removed"), std::string::npos);
    EXPECT_TRUE(font.Present());
    EXPECT_TRUE(DumpFolder(folder.Path()).empty());
}

TEST(ConsoleClean, AnItemThatCannotBeBackedUpIsKeptWithItsReason) {
    const TempFolder folder("cli-clean-kept");
    const StaleFont font("TidrexCliClean Line\nBreak (TrueType)");
    const Output cleaned = Clean(folder.Path(), true);
    EXPECT_EQ(cleaned.status, kExitSomeKept);
    const nlohmann::json report = nlohmann::json::parse(cleaned.text);
    bool named = false;
    for (const nlohmann::json& kept : report["kept"]) {
        if (kept["valueName"] != "TidrexCliClean Line\nBreak (TrueType)") continue;
        named = true;
        EXPECT_EQ(kept["reason"], "a line break in its name, path or data cannot be backed up");
        EXPECT_EQ(kept["root"], "HKEY_LOCAL_MACHINE");
    }
    EXPECT_TRUE(named);
    EXPECT_TRUE(font.Present());
    RestoreAll(folder.Path());
}

TEST(ConsoleClean, LeavesTheProblemsToReviewUnlessTheyAreIncluded) {
    const TempFolder folder("cli-clean-review");
    const StaleFont font("TidrexCliClean Review (TrueType)");
    const StaleService service;
    const Output cleaned = CleanFontsAndServices(folder.Path(), true, false);
    EXPECT_EQ(cleaned.status, kExitClean) << cleaned.text;
    EXPECT_FALSE(font.Present());
    EXPECT_TRUE(service.Present());
    const nlohmann::json report = nlohmann::json::parse(cleaned.text);
    EXPECT_TRUE(report["kept"].empty());
    int listed = 0;
    for (const nlohmann::json& left : report["leftForReview"]) {
        EXPECT_EQ(left["risk"], "review");
        if (left["keyPath"] != service.Path()) continue;
        ++listed;
        EXPECT_EQ(left["riskReason"], "A service: Windows or a program may need it to start");
    }
    EXPECT_EQ(listed, 1);

    const Output text = CleanFontsAndServices(folder.Path(), false, false);
    EXPECT_EQ(text.status, kExitClean);
    EXPECT_NE(text.text.find("Risk : review (A service: Windows or a program may need it to start)\r\n"),
              std::string::npos)
        << text.text;
    EXPECT_NE(text.text.find("\r\nLeft for review : "), std::string::npos);
    EXPECT_NE(text.text.find("Review item : HKEY_LOCAL_MACHINE\\" + service.Path() +
                             " - A service: Windows or a program may need it to start\r\n"),
              std::string::npos);
    EXPECT_TRUE(service.Present());

    const Output included = CleanFontsAndServices(folder.Path(), true, true);
    EXPECT_EQ(included.status, kExitClean) << included.text;
    EXPECT_FALSE(service.Present());
    EXPECT_TRUE(nlohmann::json::parse(included.text)["leftForReview"].empty());
    RestoreAll(folder.Path());
    EXPECT_TRUE(service.Present());
    EXPECT_TRUE(font.Present());
}

TEST(ConsoleRestore, ReportsInvalidAndPartialBackups) {
    const TempFolder folder("cli-restore");
    WriteTestFile(folder.Sub("1,1,2026_0,0,0.zip"), "damaged");
    {
        ZipWriter writer;
        ASSERT_TRUE(writer.Open(folder.Sub("1,2,2026_0,0,0.zip")));
        ASSERT_TRUE(writer.AddData("Config.ini", FileRecord(folder.Sub("out\\missing.lnk"))));
        ASSERT_TRUE(writer.Close());
    }
    const Output invalid = Restore(folder.Path(), "1,1,2026_0,0,0.zip", false);
    EXPECT_EQ(invalid.status, kExitInvalidBackup);
    EXPECT_NE(invalid.text.find(kInvalidBackupText), std::string::npos);
    const Output partial = Restore(folder.Path(), folder.Sub("1,2,2026_0,0,0.zip"));
    EXPECT_EQ(partial.status, kExitNotAllRestored);
    const nlohmann::json result = nlohmann::json::parse(partial.text);
    EXPECT_EQ(result["status"], "partial");
    EXPECT_EQ(result["message"], kNotAllRestoredText);
    EXPECT_EQ(result["failures"].size(), 1u);
    const TempFolder empty("cli-restore-empty");
    EXPECT_EQ(Restore(empty.Path(), "").status, kExitInvalidBackup);
}

TEST(ConsoleBackups, ListsNewestFirstWithTheirRecords) {
    const TempFolder folder("cli-backups");
    for (const auto& [name, records] :
         {std::pair<const char*, int>{"3,1,2026_8,0,0.zip", 2}, {"3,1,2026_9,0,0.zip", 1}}) {
        ZipWriter writer;
        ASSERT_TRUE(writer.Open(folder.Sub(name)));
        std::string descriptor;
        for (int i = 0; i < records; ++i) descriptor += FileRecord("C:\\x" + std::to_string(i) + ".lnk");
        ASSERT_TRUE(writer.AddData("Config.ini", descriptor));
        ASSERT_TRUE(writer.Close());
    }
    WriteTestFile(folder.Sub("broken.zip"), "x");
    const Output listed = Capture([&](std::FILE* out) { return RunConsoleBackups({folder.Path(), false, out}); });
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.text,
              "3,1,2026_9,0,0.zip\tSunday, March 01, 2026 Time: 09:00:00\t1 records\n"
              "3,1,2026_8,0,0.zip\tSunday, March 01, 2026 Time: 08:00:00\t2 records\n"
              "broken.zip\t\tunreadable\n");
}

// Removing a stale program id leaves its extension pointing at nothing: the next round finds
// and removes that, and the round after finds nothing new.
TEST(ConsoleClean, RepeatRemovesWhatEachRemovalLeftStale) {
    const ListKeysLock lock;
    const TempFolder folder("cli-clean-repeat");
    const std::string progId = "TidrexRepeat.Document", extension = ".tidrexrepeat";
    RegSetKeyValueA(HKEY_CLASSES_ROOT, extension.c_str(), nullptr, REG_SZ, progId.c_str(),
                    static_cast<DWORD>(progId.size() + 1));
    const std::string command = "\"C:\\TidrexCliNoSuchFolder\\repeat.exe\" \"%1\"";
    RegSetKeyValueA(HKEY_CLASSES_ROOT, (progId + "\\shell\\open\\command").c_str(), nullptr, REG_SZ, command.c_str(),
                    static_cast<DWORD>(command.size() + 1));
    ScanCommand scan = FontsScan(true);
    scan.sections = {kAssociationsSection};
    std::atomic<bool> flag{false};
    const Output cleaned = Capture([&](std::FILE* out) {
        return RunConsoleClean({scan, true, true, folder.Path(), "Windows 10", &flag, out, stderr, true});
    });
    const nlohmann::json rounds = nlohmann::json::parse(cleaned.text)["rounds"];
    const auto removedIn = [&](size_t round, const std::string& keyPath) {
        for (const nlohmann::json& section : rounds[round]["sections"]) {
            for (const nlohmann::json& problem : section["problems"]) {
                if (problem["keyPath"].get<std::string>().find(keyPath) != std::string::npos) return true;
            }
        }
        return false;
    };
    ASSERT_GE(rounds.size(), 3u) << cleaned.text;
    EXPECT_TRUE(removedIn(0, progId));
    EXPECT_FALSE(removedIn(0, extension));
    EXPECT_TRUE(removedIn(1, extension));
    EXPECT_EQ(rounds.back()["removed"], 0);
    EXPECT_LE(rounds.size(), static_cast<size_t>(kMaxCleanRounds));
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
    RestoreAll(folder.Path());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, extension.c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, progId.c_str());
}

namespace {
void WriteZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries) {
    ZipWriter writer;
    ASSERT_TRUE(writer.Open(path));
    for (const auto& [name, bytes] : entries) ASSERT_TRUE(writer.AddData(name, bytes));
    ASSERT_TRUE(writer.Close());
}
}  // namespace

TEST(ConsoleRestore, LatestSkipsArchivesThatCannotBeReadAndSaysWhich) {
    const TempFolder folder("cli-restore-latest");
    WriteTestFile(folder.Sub("3,1,2026_10,0,0.zip"), "still being written");
    WriteZip(folder.Sub("3,1,2026_9,0,0.zip"), {{"Config.ini", "no records at all"}});
    WriteZip(folder.Sub("3,1,2026_8,0,0.zip"),
             {{"Config.ini", FileRecord(folder.Sub("out\\a.lnk"))}, {"a.lnk", "link"}});
    const Output restored = Restore(folder.Path(), "");
    EXPECT_EQ(restored.status, 0) << restored.text;
    const nlohmann::json result = nlohmann::json::parse(restored.text);
    EXPECT_EQ(result["archive"], folder.Sub("3,1,2026_8,0,0.zip"));
    ASSERT_EQ(result["skipped"].size(), 2u);
    EXPECT_EQ(result["skipped"][0]["archive"], folder.Sub("3,1,2026_10,0,0.zip"));
    EXPECT_EQ(result["skipped"][0]["reason"], "the archive cannot be opened as a zip file");
    EXPECT_EQ(result["skipped"][1]["reason"], "the archive's Config.ini holds no record");
    EXPECT_EQ(ReadTestFile(folder.Sub("out\\a.lnk")), "link");

    DeleteFileA(folder.Sub("3,1,2026_8,0,0.zip").c_str());
    const Output none = Restore(folder.Path(), "", false);
    EXPECT_EQ(none.status, kExitInvalidBackup);
    EXPECT_NE(none.text.find("Skipped : " + folder.Sub("3,1,2026_9,0,0.zip") +
                             " (the archive's Config.ini holds no record)\n"),
              std::string::npos)
        << none.text;
    EXPECT_NE(none.text.find("there is no readable backup in " + folder.Path()), std::string::npos) << none.text;
}

TEST(ConsoleRestore, SaysWhatItReplacedAndWhereThatIsSaved) {
    const TempFolder folder("cli-restore-replaced");
    const StaleFont font("TidrexCliRestore Replaced (TrueType)");
    const std::string removed = font.Dump();
    const Output cleaned = Clean(folder.Path(), true);
    ASSERT_EQ(cleaned.status, kExitClean) << cleaned.text;
    const std::string archive = nlohmann::json::parse(cleaned.text)["archive"];
    font.Write("C:\\TidrexCliNewer\\font.ttf");
    const std::string newerData = font.Dump();

    WriteTestFile(folder.Sub("file"), "a file, not a folder");
    const Output unsaved = Capture([&](std::FILE* out) {
        return RunConsoleRestore({archive, false, folder.Sub("file"), true, out});
    });
    EXPECT_EQ(unsaved.status, kExitReplacedNotSaved) << unsaved.text;
    EXPECT_EQ(nlohmann::json::parse(unsaved.text)["message"], kReplacedNotSavedText);
    EXPECT_EQ(font.Dump(), newerData);

    const Output restored = Restore(folder.Path(), archive, false);
    EXPECT_EQ(restored.status, 0) << restored.text;
    EXPECT_NE(
        restored.text.find("Items Restored\r\n\r\nReplaced: 1, what they held is saved in " + folder.Path() + "\\"),
        std::string::npos)
        << restored.text;
    EXPECT_NE(restored.text.find("\\Fonts (value \"TidrexCliRestore Replaced (TrueType)\")"), std::string::npos);
    EXPECT_EQ(font.Dump(), removed);
    const Output listed = Capture([&](std::FILE* out) { return RunConsoleBackups({folder.Path(), true, out}); });
    EXPECT_EQ(nlohmann::json::parse(listed.text)["backups"].size(), 2u);
    // The newest archive is the one that undoes the restore.
    EXPECT_EQ(Restore(folder.Path(), "").status, 0);
    EXPECT_EQ(font.Dump(), newerData);
}

TEST(ConsoleBackups, ListsAnArchiveAsARestoreReadsIt) {
    const TempFolder folder("cli-backups-agree");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string winIni = std::string(windows) + "\\win.ini";
    WriteZip(folder.Sub("3,1,2026_8,0,0.zip"),
             {{"Config.ini", FileRecord(folder.Sub("a.lnk"))},
              {"copy\\config.ini", FileRecord(folder.Sub("a.lnk")) + FileRecord(folder.Sub("b.lnk"))}});
    WriteZip(folder.Sub("3,1,2026_9,0,0.zip"), {{"Config.ini", std::string(300, '\x07') + "\xff\xfe"}});
    WriteZip(folder.Sub("3,1,2026_10,0,0.zip"), {{"Config.ini", FileRecord(winIni)}, {"win.ini", "[evil]"}});
    const Output listed = Capture([&](std::FILE* out) { return RunConsoleBackups({folder.Path(), false, out}); });
    EXPECT_EQ(listed.text,
              "3,1,2026_10,0,0.zip\tSunday, March 01, 2026 Time: 10:00:00\t1 records\n"
              "3,1,2026_9,0,0.zip\tSunday, March 01, 2026 Time: 09:00:00\tunreadable\n"
              "3,1,2026_8,0,0.zip\tSunday, March 01, 2026 Time: 08:00:00\tunreadable\n");
    EXPECT_EQ(Restore(folder.Path(), "3,1,2026_8,0,0.zip").status, kExitInvalidBackup);
    EXPECT_EQ(Restore(folder.Path(), "3,1,2026_9,0,0.zip").status, kExitInvalidBackup);
    const std::string before = ReadTestFile(winIni);
    const Output refused = Restore(folder.Path(), "3,1,2026_10,0,0.zip");
    EXPECT_EQ(refused.status, kExitNotAllRestored);
    EXPECT_EQ(nlohmann::json::parse(refused.text)["failures"][0], winIni + ": only shortcut files (.lnk) are restored");
    EXPECT_EQ(ReadTestFile(winIni), before);
}
