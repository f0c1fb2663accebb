#include "cli/console_scan.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/console_scan_host.h"
#include "engine/data_scan_page.h"
#include "tests/scanners/shortcut_files.h"
#include "tests/support/list_keys_lock.h"

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
};

ScanResult Scan(const std::vector<std::string>& arguments, bool interrupted = false) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    EXPECT_TRUE(parsed.command) << parsed.error;
    std::atomic<bool> flag{interrupted};
    std::FILE* out = std::tmpfile();
    const int status = RunConsoleScan({*parsed.command, "Windows 10", &flag, out});
    std::string output;
    std::rewind(out);
    char buffer[4096];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof(buffer), out)) > 0) output.append(buffer, read);
    std::fclose(out);
    return {status, output};
}
}  // namespace

TEST(ConsoleScan, JsonReportsAStaleFontWithItsRecordFields) {
    const StaleFontEntry entry("TidrexCliTest Gone (TrueType)", "C:\\TidrexCliNoSuchFolder\\gone.ttf");
    const ScanResult result = Scan({"scan", "--sections", "3", "--json", "--no-log"});
    EXPECT_EQ(result.status, kExitProblemsFound);
    const nlohmann::json report = nlohmann::json::parse(result.output);
    EXPECT_EQ(report["status"], "complete");
    ASSERT_EQ(report["sections"].size(), 1u);
    const nlohmann::json& section = report["sections"][0];
    EXPECT_EQ(section["id"], 3);
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
    const ScanResult result = Scan({"scan", "--sections", "14,1", "--drives", "A:", "--json", "--no-log"});
    EXPECT_EQ(result.status, kExitClean);
    const nlohmann::json report = nlohmann::json::parse(result.output);
    ASSERT_EQ(report["sections"].size(), 2u);
    EXPECT_EQ(report["sections"][0]["id"], 1);
    EXPECT_EQ(report["sections"][1]["id"], 14);
    EXPECT_TRUE(report["sections"][0]["problems"].empty());
    EXPECT_EQ(report["totalProblems"], 0);
}

TEST(ConsoleScan, DrivesChooseTheDisksTheShortcutSectionWalks) {
    CoInitialize(nullptr);
    const std::string folder = "E:\\TidrexTests\\ConsoleScanDrives";
    std::filesystem::create_directories(folder);
    const std::string link = folder + "\\Dead.lnk";
    ASSERT_TRUE(MakeShortcut(link, folder + "\\gone.exe"));
    const ScanResult onE = Scan({"scan", "--sections", "14", "--drives", "E:", "--json", "--no-log"});
    const ScanResult onC = Scan({"scan", "--sections", "14", "--drives", "c", "--json", "--no-log"});
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

TEST(ConsoleScan, TextReportPrintsLogLinesThenTotals) {
    const StaleFontEntry entry("TidrexCliTest Text (TrueType)", "C:\\TidrexCliNoSuchFolder\\text.ttf");
    const ScanResult result = Scan({"scan", "--sections", "3", "--no-log"});
    EXPECT_EQ(result.status, kExitProblemsFound);
    EXPECT_NE(result.output.find("Section : Installed Fonts \r\nKey : HKEY_LOCAL_MACHINE\\" + std::string(kFontsKey) +
                                 "\r\nValueName : TidrexCliTest Text (TrueType)\r\n"
                                 "Value : C:\\TidrexCliNoSuchFolder\\text.ttf\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(result.output.find("\nAffected Sections : 1\nScan Complete\n"), std::string::npos);
}

TEST(ConsoleScan, InterruptStopsTheScanAndStillReports) {
    const StaleFontEntry entry("TidrexCliTest Abort (TrueType)", "C:\\TidrexCliNoSuchFolder\\abort.ttf");
    const ScanResult result = Scan({"scan", "--sections", "3,4", "--json", "--no-log"}, true);
    EXPECT_EQ(result.status, kExitAborted);
    const nlohmann::json report = nlohmann::json::parse(result.output);
    EXPECT_EQ(report["status"], "aborted");
    EXPECT_EQ(report["sections"].size(), 2u);
}

TEST(ConsoleScanHost, InterruptBecomesOneAbortRequestOnTheScanThread) {
    DataScanPage page;
    ScanCounters counters;
    NoScanLog log;
    ProblemIntake intake(page, counters, log);
    std::atomic<bool> interrupted{false};
    ConsoleScanHost host(intake, interrupted);
    ScanEngine engine(host);
    host.Attach(engine);
    engine.ResetRunning();
    host.ShowCurrentItem("item");
    EXPECT_TRUE(engine.Running());
    interrupted = true;
    host.PumpMessages();
    EXPECT_TRUE(engine.WasAborted());
}
