#include "cli/console_scan.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "app/ignore_list_store.h"
#include "cli/command_line.h"
#include "cli/console_scan_host.h"
#include "registry/file_reference.h"
#include "tests/scanners/shortcut_files.h"
#include "tests/support/list_keys_lock.h"
#include "tests/support/read_only_key.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/section_list.h"
#include "tests/support/stream_text.h"

namespace {
constexpr const char* kFontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// A stale font entry of this test's own in the machine's font list, removed afterwards.
class StaleFontEntry {
public:
    StaleFontEntry(const char* name, const char* data) : name_(name) {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, kFontsKey, name, REG_SZ, data, static_cast<DWORD>(strlen(data) + 1));
    }
    ~StaleFontEntry() { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kFontsKey, name_); }

private:
    ListKeysLock lock_;
    const char* name_;
};

struct ScanResult {
    int status;
    std::string output;
    std::string errors;
};

std::string ReadAndClose(std::FILE* file) {
    std::string text = StreamText(file);
    std::fclose(file);
    return text;
}

// The settings the scans of these tests read: a key of each test's own, never the program's.
class ConsoleSettings {
public:
    ConsoleSettings()
        : sandbox_(std::string("ConsoleScan.") + testing::UnitTest::GetInstance()->current_test_info()->name()),
          preferences_(sandbox_.Sub("TidrexVelora")) {
        preferences_.ResetSettings();
    }
    const Preferences& Get() const { return preferences_; }

private:
    RegistrySandbox sandbox_;
    Preferences preferences_;
};

ScanResult Scan(const std::vector<std::string>& arguments, bool interrupted = false,
                const ConsoleSettings& settings = ConsoleSettings()) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    EXPECT_TRUE(parsed.command) << parsed.error;
    std::atomic<bool> flag{interrupted};
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = RunConsoleScan(
        {std::get<ScanCommand>(*parsed.command), "Windows 10", &flag, out, err, settings.Get().SettingsKeyPath()});
    return {status, ReadAndClose(out), ReadAndClose(err)};
}

std::string ReadFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return {};
    return ReadAndClose(file);
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}
}  // namespace

TEST(ConsoleScan, JsonReportsAStaleFontWithItsRecordFields) {
    const StaleFontEntry entry("TidrexCliTest Gone (TrueType)", "C:\\TidrexCliNoSuchFolder\\gone.ttf");
    const ScanResult result = Scan({"scan", "--sections", SectionList({kFontsSection}), "--json", "--no-log"});
    EXPECT_EQ(result.status, kExitProblemsFound);
    const nlohmann::json report = nlohmann::json::parse(result.output);
    EXPECT_EQ(report["status"], "complete");
    ASSERT_EQ(report["sections"].size(), 1u);
    const nlohmann::json& section = report["sections"][0];
    EXPECT_EQ(section["id"], kFontsSection);
    EXPECT_EQ(section["name"], "Installed Fonts");
    EXPECT_EQ(section["severity"], 1);
    bool found = false;
    for (const nlohmann::json& problem : section["problems"]) {
        if (problem["valueName"] != "TidrexCliTest Gone (TrueType)") continue;
        found = true;
        EXPECT_EQ(problem["kind"], "registry");
        EXPECT_EQ(problem["root"], "HKEY_LOCAL_MACHINE");
        EXPECT_EQ(problem["keyPath"], kFontsKey);
        EXPECT_EQ(problem["valueData"], "C:\\TidrexCliNoSuchFolder\\gone.ttf");
        EXPECT_EQ(problem["removeValueOnly"], true);
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(report["totalProblems"].get<int>(), static_cast<int>(section["problems"].size()));
    EXPECT_EQ(report["affectedSections"], 1);
}

TEST(ConsoleScan, EverySectionAppearsInTableOrderEvenWithoutProblems) {
    const ListKeysLock lock;
    // The floppy drive is never walked, so no shortcut of another test can turn up.
    const ScanResult result = Scan({"scan", "--sections", SectionList({kShortcutsSection, kStartupProgramsSection}),
                                    "--drives", "A:", "--json", "--no-log"});
    EXPECT_EQ(result.status, kExitClean);
    const nlohmann::json report = nlohmann::json::parse(result.output);
    ASSERT_EQ(report["sections"].size(), 2u);
    EXPECT_EQ(report["sections"][0]["id"], kStartupProgramsSection);
    EXPECT_EQ(report["sections"][1]["id"], kShortcutsSection);
    EXPECT_TRUE(report["sections"][0]["problems"].empty());
    EXPECT_EQ(report["totalProblems"], 0);
}

TEST(ConsoleScan, DrivesChooseTheDisksTheShortcutSectionWalks) {
    CoInitialize(nullptr);
    const std::string folder = "E:\\TidrexTests\\ConsoleScanDrives";
    std::filesystem::create_directories(folder);
    const std::string link = folder + "\\Dead.lnk";
    ASSERT_TRUE(MakeShortcut(link, folder + "\\gone.exe"));
    const ScanResult onE =
        Scan({"scan", "--sections", SectionList({kShortcutsSection}), "--drives", "E:", "--json", "--no-log"});
    const ScanResult onC =
        Scan({"scan", "--sections", SectionList({kShortcutsSection}), "--drives", "c", "--json", "--no-log"});
    std::filesystem::remove_all(folder);
    CoUninitialize();

    auto reports = [&](const ScanResult& result) {
        const nlohmann::json report = nlohmann::json::parse(result.output);
        for (const nlohmann::json& problem : report["sections"][0]["problems"]) {
            if (problem["linkPath"] == link) {
                EXPECT_EQ(problem["kind"], "file");
                EXPECT_EQ(problem["targetPath"], folder + "\\gone.exe");
                return true;
            }
        }
        return false;
    };
    EXPECT_EQ(onE.status, kExitProblemsFound);
    EXPECT_TRUE(reports(onE));
    EXPECT_FALSE(reports(onC));
}

TEST(ConsoleScan, TextReportSaysWhyAndEndsEachSection) {
    const StaleFontEntry entry("TidrexCliTest Text (TrueType)", "C:\\TidrexCliNoSuchFolder\\text.ttf");
    // Filed by the scanner but dropped by the exclusion list: not printed.
    const StaleFontEntry excluded("TidrexCliTest Excluded (TrueType)", "C:\\TidrexCliNoSuchFolder\\svchost.ttf");
    const ScanResult result = Scan({"scan", "--sections", SectionList({kSoundsSection, kFontsSection}), "--no-log"});
    EXPECT_EQ(result.status, kExitProblemsFound);
    const std::string& text = result.output;
    const size_t problem =
        text.find("Section : Installed Fonts \r\nKey : HKEY_LOCAL_MACHINE\\" + std::string(kFontsKey) +
                  "\r\nValueName : TidrexCliTest Text (TrueType)\r\nValue : C:\\TidrexCliNoSuchFolder\\text.ttf\r\n"
                  "Description : The File (" +
                  WindowsFolder() +
                  "\\Fonts\\C:\\TidrexCliNoSuchFolder\\text.ttf) cannot be found at the specified location.\r\n\r\n");
    EXPECT_NE(problem, std::string::npos) << text;
    EXPECT_EQ(text.find("TidrexCliTest Excluded"), std::string::npos);

    // Each section ends with its name, severity and count, in table order, before the totals.
    const std::string fontsEnd = "Section Name : Installed Fonts\r\nSeverity : Severe\r\nProblems Found : " +
                                 std::to_string(Occurrences(text, "Section : Installed Fonts \r\n")) + "\r\n";
    const size_t fonts = text.find(fontsEnd);
    const size_t sounds = text.find("Section Name : Installed Sound Files\r\nSeverity : Severe\r\nProblems Found : " +
                                    std::to_string(Occurrences(text, "Section : Installed Sound Files \r\n")) + "\r\n");
    const size_t totals = text.find("Total Problems : ");
    EXPECT_NE(fonts, std::string::npos) << text;
    EXPECT_LT(problem, fonts);
    EXPECT_LT(fonts, sounds);
    EXPECT_NE(sounds, std::string::npos) << text;
    EXPECT_LT(sounds, totals);
    EXPECT_TRUE(text.ends_with("\r\nScan Complete\r\n"));
}

// A Ctrl+C before the first section holds from the start: no section is reached, none ends.
TEST(ConsoleScan, AnInterruptBeforeTheFirstSectionEndsNoSection) {
    const StaleFontEntry entry("TidrexCliTest Abort (TrueType)", "C:\\TidrexCliNoSuchFolder\\abort.ttf");
    const ScanResult result =
        Scan({"scan", "--sections", SectionList({kFontsSection, kSoundsSection}), "--no-log"}, true);
    EXPECT_EQ(result.status, kExitAborted);
    EXPECT_EQ(result.output.find("Section Name : Installed Fonts"), std::string::npos);
    EXPECT_EQ(result.output.find("Section Name : Installed Sound Files"), std::string::npos);
    EXPECT_TRUE(result.output.ends_with("\r\nScan Aborted\r\n"));
}

TEST(ConsoleScan, InterruptStopsTheScanAndStillReports) {
    const StaleFontEntry entry("TidrexCliTest Interrupt (TrueType)", "C:\\TidrexCliNoSuchFolder\\abort.ttf");
    const ScanResult result =
        Scan({"scan", "--sections", SectionList({kFontsSection, kSoundsSection}), "--json", "--no-log"}, true);
    EXPECT_EQ(result.status, kExitAborted);
    const nlohmann::json report = nlohmann::json::parse(result.output);
    EXPECT_EQ(report["status"], "aborted");
    EXPECT_EQ(report["sections"].size(), 2u);
}

TEST(ConsoleScan, WithoutSelectionScansTheSectionsChosenInTheSettings) {
    const ListKeysLock lock;
    const ConsoleSettings settings;
    for (const SectionDescriptor& section : SectionDescriptors()) {
        const SectionId id = section.id;
        settings.Get().WriteSectionState(id, id == kHelpFilesSection || id == kSoundsSection ? 1 : 0);
    }
    const ScanResult result = Scan({"scan", "--json", "--no-log"}, false, settings);
    const nlohmann::json report = nlohmann::json::parse(result.output);
    ASSERT_EQ(report["sections"].size(), 2u);
    EXPECT_EQ(report["sections"][0]["id"], kSoundsSection);
    EXPECT_EQ(report["sections"][1]["id"], kHelpFilesSection);
}

TEST(ConsoleScan, LogHoldsEveryProblemThatWasPrintedWhenTheScanEnds) {
    const StaleFontEntry entry("TidrexCliTest Logged (TrueType)", "C:\\TidrexCliNoSuchFolder\\logged.ttf");
    const ConsoleSettings settings;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "TidrexConsoleScanLogs";
    settings.Get().WriteLogFilePath(folder);
    const ScanResult result = Scan({"scan", "--sections", SectionList({kFontsSection})}, false, settings);

    WIN32_FIND_DATAA found;
    std::vector<std::string> logs;
    const UniqueFindHandle find(FindFirstFileA((folder + "\\*.txt").c_str(), &found));
    if (find) {
        do {
            logs.push_back(folder + "\\" + found.cFileName);
        } while (FindNextFileA(find.get(), &found));
    }
    ASSERT_EQ(logs.size(), 1u);
    const std::string log = ReadFile(logs[0]);
    for (const std::string& path : logs) DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());

    EXPECT_EQ(log.rfind("Tidrex Velora v7.0\r\r\nOS : Windows 10\r\r\n", 0), 0u);
    EXPECT_NE(log.find("ValueName : TidrexCliTest Logged (TrueType)\r\r\n"), std::string::npos);
    const size_t printed = Occurrences(result.output, "Section : Installed Fonts \r\n");
    EXPECT_GE(printed, 1u);
    EXPECT_EQ(Occurrences(log, "Section : Installed Fonts \r\r\n"), printed);
}

TEST(ConsoleScanHost, InterruptBecomesOneAbortRequestOnTheScanThread) {
    std::vector<ScanSection*> scanList;
    ScanCounters counters;
    NoScanLog log;
    ScanEvents events;
    ProblemIntake intake(scanList, counters, log, events, "C:\\windows");
    std::atomic<bool> interrupted{false};
    ConsoleScanHost host(interrupted);
    ScanEngine engine(host);
    host.Attach(engine, intake);
    engine.ResetRunning();
    host.ShowCurrentItem("item");
    EXPECT_TRUE(engine.Running());
    interrupted = true;
    host.PumpMessages();
    EXPECT_TRUE(engine.WasAborted());
}

namespace {
constexpr const char* kVxdKey = "SYSTEM\\CurrentControlSet\\Services\\VXD";

// A static driver of this test's own whose file is gone, removed afterwards.
class StaleDriverEntry {
public:
    StaleDriverEntry() {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, Path().c_str(), "StaticVXD", REG_SZ, kData, sizeof(kData));
    }
    ~StaleDriverEntry() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, Path().c_str()); }
    static std::string Path() { return std::string(kVxdKey) + "\\TidrexCliTestDriver"; }
    static constexpr char kData[] = "C:\\TidrexCliNoSuchFolder\\gone.vxd";

private:
    ListKeysLock lock_;
};
}  // namespace

TEST(ConsoleScan, RegistrySectionsReportInSectionOrderWithTheirFields) {
    const StaleDriverEntry entry;
    const ScanResult result = Scan(
        {"scan", "--sections",
         SectionList({kComSection, kUninstallSection, kServicesSection, kAssociationsSection, kStaticDriversSection}),
         "--json", "--no-log"});
    const nlohmann::json report = nlohmann::json::parse(result.output);
    ASSERT_EQ(report["sections"].size(), 5u);
    const int ids[] = {2, 5, 6, 10, 11};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(report["sections"][i]["id"], ids[i]);
        EXPECT_TRUE(report["sections"][i]["unreadable"].empty());
    }
    bool found = false;
    for (const nlohmann::json& problem : report["sections"][0]["problems"]) {
        if (problem["keyPath"] != StaleDriverEntry::Path()) continue;
        found = true;
        EXPECT_EQ(problem["root"], "HKEY_LOCAL_MACHINE");
        EXPECT_EQ(problem["valueName"], "StaticVXD");
        EXPECT_EQ(problem["valueData"], StaleDriverEntry::kData);
        EXPECT_EQ(problem["removeValueOnly"], false);
    }
    EXPECT_TRUE(found);
    EXPECT_TRUE(result.errors.empty());
}

// Without the rights to open a starting key nothing was examined there: the scan must say so
// instead of reading as a clean result, but as a note of the report, not as a failure.
TEST(ConsoleScan, StartingKeyWithoutRightsIsToldInTheReportNotOnStandardError) {
    const StaleDriverEntry entry;
    const ReadOnlyKey locked(HKEY_LOCAL_MACHINE, kVxdKey);
    ASSERT_TRUE(locked.RefusesWriteAccess());
    const ScanResult result = Scan({"scan", "--sections", SectionList({kStaticDriversSection}), "--json", "--no-log"});
    const nlohmann::json report = nlohmann::json::parse(result.output);
    const std::string keyName = "HKEY_LOCAL_MACHINE\\" + std::string(kVxdKey);
    ASSERT_EQ(report["sections"].size(), 1u);
    EXPECT_EQ(report["sections"][0]["unreadable"], nlohmann::json::array({keyName}));
    EXPECT_TRUE(report["sections"][0]["problems"].empty());
    EXPECT_EQ(result.errors, "");

    const ScanResult text = Scan({"scan", "--sections", SectionList({kStaticDriversSection}), "--no-log"});
    EXPECT_NE(text.output.find("tidrex: " + keyName +
                               ": access denied, not scanned (VXD Files); run as administrator to scan it\n"),
              std::string::npos)
        << text.output;
    EXPECT_EQ(text.errors, "");
}

// The console filters where the main window does: the ignored entry is in no report, and each
// report says how many its section left out.
TEST(ConsoleScan, IgnoredEntriesAreLeftOutAndCountedPerSection) {
    const StaleFontEntry ignored("TidrexCliIgnored (TrueType)", "C:\\TidrexCliNoSuchFolder\\Ignored\\gone.ttf");
    const StaleFontEntry kept("TidrexCliKept (TrueType)", "C:\\TidrexCliNoSuchFolder\\Ignored Not\\gone.ttf");
    const ConsoleSettings settings;
    IgnoreListStore(settings.Get().SettingsKeyPath())
        .Add({IgnoreKind::Path, 0, {}, {}, "c:\\tidrexclinosuchfolder\\ignored"});
    const std::vector<std::string> fonts{"scan", "--sections", SectionList({kFontsSection}), "--no-log"};
    std::vector<std::string> json = fonts;
    json.push_back("--json");
    const nlohmann::json report = nlohmann::json::parse(Scan(json, false, settings).output);
    const nlohmann::json& section = report["sections"][0];
    EXPECT_EQ(section["ignored"], 1);
    EXPECT_EQ(report["totalProblems"].get<size_t>(), section["problems"].size());
    EXPECT_EQ(Occurrences(report.dump(), "TidrexCliIgnored"), 0u);
    EXPECT_EQ(Occurrences(report.dump(), "TidrexCliKept"), 1u);

    const std::string text = Scan(fonts, false, settings).output;
    EXPECT_EQ(Occurrences(text, "TidrexCliIgnored"), 0u);
    EXPECT_EQ(Occurrences(text, "TidrexCliKept"), 1u);
    const std::string count = "Problems Found : " + std::to_string(section["problems"].size()) + "\r\n";
    EXPECT_NE(text.find(count + "Ignored : 1\r\n---------------------"), std::string::npos) << text;
}
