// tidrex.exe as fleet tools run it: what they keep is the exit status, standard output (often
// only a little of it) and whether anything reached standard error.
#include <windows.h>
#include <gtest/gtest.h>

#include <deque>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/exit_status.h"
#include "cli/run_summary.h"
#include "engine/section_descriptors.h"
#include "registry/file_reference.h"
#include "tests/cli/stale_font.h"
#include "tests/support/list_keys_lock.h"
#include "tests/support/read_only_key.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/child_run.h"

namespace {
struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

UniqueHandle InheritedFile(const std::string& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    return UniqueHandle(
        CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition, 0, nullptr));
}

// A copy of tidrex.exe in a folder of the test's own, so that its backups go there, started with
// its standard output and standard error each going into a file.
class Tidrex {
public:
    explicit Tidrex(const std::string& name) : folder_("fleet-" + name), program_(folder_.Sub("tidrex.exe")) {
        CopyFileA((Ancestor(SelfPath(), 3) + "\\cli\\tidrex.exe").c_str(), program_.c_str(), FALSE);
    }

    RunResult operator()(const std::string& arguments) const {
        RunResult run;
        {
            const UniqueHandle in = InheritedFile("NUL", GENERIC_READ, OPEN_EXISTING);
            const UniqueHandle out = InheritedFile(Sub("out.txt"), GENERIC_WRITE, CREATE_ALWAYS);
            const UniqueHandle err = InheritedFile(Sub("err.txt"), GENERIC_WRITE, CREATE_ALWAYS);
            STARTUPINFOA startup{};
            startup.cb = sizeof(startup);
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdInput = in.get();
            startup.hStdOutput = out.get();
            startup.hStdError = err.get();
            PROCESS_INFORMATION process{};
            std::string command = "\"" + program_ + "\" " + arguments;
            if (!CreateProcessA(program_.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, "C:\\", &startup,
                                &process)) {
                return run;
            }
            const UniqueHandle thread(process.hThread);
            const UniqueHandle child(process.hProcess);
            DWORD code = static_cast<DWORD>(-1);
            if (WaitForSingleObject(child.get(), 100000) == WAIT_OBJECT_0) GetExitCodeProcess(child.get(), &code);
            else TerminateProcess(child.get(), 1);
            run.status = static_cast<int>(code);
        }
        run.out = ReadTestFile(Sub("out.txt"));
        run.err = ReadTestFile(Sub("err.txt"));
        return run;
    }

    std::string Sub(const std::string& name) const { return folder_.Sub(name); }

private:
    TempFolder folder_;
    std::string program_;
};

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

const std::string kFonts = std::to_string(kFontsSection);

// The problem objects of the report's fonts section whose value name begins with the prefix.
std::vector<nlohmann::json> FontProblems(const nlohmann::json& report, const std::string& prefix) {
    std::vector<nlohmann::json> found;
    for (const nlohmann::json& section : report["sections"]) {
        if (section["id"] != kFontsSection) continue;
        for (const nlohmann::json& problem : section["problems"]) {
            if (problem["valueName"].get<std::string>().rfind(prefix, 0) == 0) found.push_back(problem);
        }
    }
    return found;
}
}  // namespace

struct QuietCase {
    const char* name;
    std::string arguments;
    int status;
    std::string inOutput;  // a note that once went to standard error
};

class ConsoleFleetQuiet : public testing::TestWithParam<QuietCase> {};

// Fleet tools take anything on standard error for a failure: a run that did its work writes none.
TEST_P(ConsoleFleetQuiet, ASuccessfulRunWritesNothingOnStandardError) {
    const StaleFont font("TidrexCliFleet Quiet (TrueType)");
    const ReadOnlyKey locked(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\VXD");
    const Tidrex tidrex(GetParam().name);
    const RunResult run = tidrex(GetParam().arguments);
    EXPECT_EQ(run.status, GetParam().status) << run.out << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find(GetParam().inOutput), std::string::npos) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ConsoleFleetQuiet,
    testing::Values(QuietCase{"scan", "scan --sections 3,14 --drives D: --no-log", kExitProblemsFound,
                              "tidrex: D: is not a fixed disk; its shortcuts are not scanned\n"},
                    QuietCase{"scanjson", "scan --sections 2,14 --drives D: --json --no-log", kExitClean,
                              "\"notes\":[\"D: is not a fixed disk; its shortcuts are not scanned\"]"},
                    QuietCase{
                        "unreadable", "scan --sections 2 --no-log", kExitClean,
                        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\VXD: access denied, not scanned"},
                    QuietCase{"clean", "clean --sections 3 --no-log", kExitClean, "Removed : "},
                    QuietCase{"cleansummary", "clean --sections 2,3 --summary --no-log", kExitClean,
                              "\"sections\":[{\"id\":2,\"found\":0,\"unreadable\":1},{\"id\":3,"}),
    [](const testing::TestParamInfo<QuietCase>& param) { return std::string(param.param.name); });

// The file holds exactly what --json prints, for a scan and for a clean alike.
TEST(ConsoleFleet, TheReportFileIsTheJsonDocument) {
    const Tidrex tidrex("report");
    for (const char* command : {"scan", "clean"}) {
        const StaleFont font("TidrexCliFleet Report (TrueType)");
        const std::string file = tidrex.Sub(std::string(command) + ".json");
        const RunResult run =
            tidrex(std::string(command) + " --sections " + kFonts + " --json --no-log --report " + Quoted(file));
        EXPECT_EQ(run.err, "") << command;
        EXPECT_EQ(ReadTestFile(file), run.out) << command;
        EXPECT_EQ(FontProblems(nlohmann::json::parse(run.out), "TidrexCliFleet Report").size(), 1u) << command;
    }
    // Beside the text report too; the temporary file it was written as is gone.
    const StaleFont font("TidrexCliFleet Report (TrueType)");
    const RunResult text =
        tidrex("scan --sections " + kFonts + " --no-log --report " + Quoted(tidrex.Sub("text.json")));
    EXPECT_NE(text.out.find("Scan Complete"), std::string::npos);
    EXPECT_EQ(FontProblems(nlohmann::json::parse(ReadTestFile(tidrex.Sub("text.json"))), "TidrexCliFleet").size(), 1u);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(UniqueFindHandle(FindFirstFileA(tidrex.Sub("*.tmp").c_str(), &found)).get(), INVALID_HANDLE_VALUE);
}

TEST(ConsoleFleet, AReportThatCannotBeWrittenIsAFailureBeforeAnythingIsRemoved) {
    const StaleFont font("TidrexCliFleet Unwritable (TrueType)");
    const Tidrex tidrex("unwritable");
    WriteTestFile(tidrex.Sub("readonly.json"), "{}");
    SetFileAttributesA(tidrex.Sub("readonly.json").c_str(), FILE_ATTRIBUTE_READONLY);
    for (const std::string& file : {tidrex.Sub("NoSuchFolder\\report.json"), tidrex.Sub("."),
                                    tidrex.Sub("report?.json"), tidrex.Sub("readonly.json")}) {
        const RunResult run = tidrex("clean --sections " + kFonts + " --summary --no-log --report " + Quoted(file));
        EXPECT_EQ(run.status, kExitReportNotWritten);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("tidrex: the report cannot be written to ", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_TRUE(font.Present());
    }
}

// However many problems a clean removes, standard output is one JSON line that fits what Intune keeps.
TEST(ConsoleFleet, TheSummaryIsOneShortLineWhateverTheCounts) {
    std::deque<StaleFont> fonts;
    for (int i = 0; i < 400; ++i) fonts.emplace_back("TidrexCliFleet Many " + std::to_string(i) + " (TrueType)");
    const Tidrex tidrex("summary");
    const RunResult scan = tidrex("scan --sections " + kFonts + " --summary --no-log");
    const RunResult clean = tidrex("clean --sections " + kFonts + " --summary --no-log");
    for (const RunResult& run : {scan, clean}) {
        EXPECT_LE(run.out.size(), kSummaryLimit);
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
        EXPECT_EQ(run.err, "");
    }
    const nlohmann::json scanned = nlohmann::json::parse(scan.out);
    EXPECT_EQ(scanned["command"], "scan");
    EXPECT_EQ(scanned["status"], "problems");
    EXPECT_EQ(scanned["exit"], scan.status);
    EXPECT_GE(scanned["sections"][0]["found"].get<int>(), 400);
    EXPECT_EQ(scanned["sections"][0]["id"], kFontsSection);
    EXPECT_TRUE(scanned["system"].is_boolean());

    const nlohmann::json cleaned = nlohmann::json::parse(clean.out);
    EXPECT_EQ(clean.status, kExitClean);
    EXPECT_EQ(cleaned["status"], "removed");
    EXPECT_EQ(cleaned["removed"], cleaned["totalProblems"]);
    EXPECT_GE(cleaned["removed"].get<int>(), 400);
    EXPECT_EQ(cleaned["kept"], 0);
    ASSERT_EQ(cleaned["archives"].size(), 1u);
    EXPECT_TRUE(FileExists(cleaned["archives"][0].get<std::string>()));
    for (const StaleFont& font : fonts) EXPECT_FALSE(font.Present());
}

// An administrator takes one problem out of the report, and another is mended before the clean:
// only the one still listed and still stale goes.
TEST(ConsoleFleet, CleanFromAReportRemovesOnlyWhatItListsAndStillFinds) {
    const StaleFont stale("TidrexCliFleet From Stale (TrueType)");
    const StaleFont mended("TidrexCliFleet From Mended (TrueType)");
    const StaleFont unlisted("TidrexCliFleet From Unlisted (TrueType)");
    const Tidrex tidrex("from");
    nlohmann::json report = nlohmann::json::parse(tidrex("scan --sections " + kFonts + " --json --no-log").out);
    nlohmann::json& problems = report["sections"][0]["problems"];
    nlohmann::json listed = nlohmann::json::array();
    for (const nlohmann::json& problem : problems) {
        if (problem["valueName"].get<std::string>().rfind("TidrexCliFleet From", 0) == 0 &&
            problem["valueName"] != "TidrexCliFleet From Unlisted (TrueType)") {
            listed.push_back(problem);
        }
    }
    ASSERT_EQ(listed.size(), 2u);
    problems = listed;
    WriteTestFile(tidrex.Sub("listed.json"), report.dump());
    mended.Write(WindowsFolder() + "\\system32\\kernel32.dll");

    const RunResult json = tidrex("clean --from " + Quoted(tidrex.Sub("listed.json")) + " --json --no-log");
    EXPECT_EQ(json.status, kExitClean) << json.out << json.err;
    EXPECT_EQ(json.err, "");
    EXPECT_FALSE(stale.Present());
    EXPECT_TRUE(mended.Present());
    EXPECT_TRUE(unlisted.Present());
    const nlohmann::json cleaned = nlohmann::json::parse(json.out);
    EXPECT_EQ(cleaned["removed"], 1);
    EXPECT_EQ(FontProblems(cleaned, "TidrexCliFleet").size(), 1u);
    EXPECT_EQ(cleaned["totalProblems"], 1);
    EXPECT_GE(cleaned["notListed"].get<int>(), 1);
    ASSERT_EQ(cleaned["notFound"].size(), 1u);
    EXPECT_EQ(cleaned["notFound"][0]["valueName"], "TidrexCliFleet From Mended (TrueType)");
    EXPECT_EQ(cleaned["notFound"][0]["reason"], "no longer stale or no longer there");

    // Again, now that the listed stale one is gone too: both are named, nothing is removed.
    const RunResult text = tidrex("clean --from " + Quoted(tidrex.Sub("listed.json")) + " --no-log");
    EXPECT_EQ(text.status, kExitClean) << text.out;
    EXPECT_NE(text.out.find("Listed Problems : 2\r\nFound Again : 0\r\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Not found : 2\r\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Not found item : HKEY_LOCAL_MACHINE\\" + std::string(kFontsKey) +
                            " (value \"TidrexCliFleet From Mended (TrueType)\") - no longer stale or no longer there"),
              std::string::npos)
        << text.out;
    EXPECT_TRUE(unlisted.Present());
}

class ConsoleFleetBadReport : public testing::TestWithParam<std::string> {};

TEST_P(ConsoleFleetBadReport, IsAUsageErrorAndRemovesNothing) {
    const StaleFont font("TidrexCliFleet BadReport (TrueType)");
    const Tidrex tidrex("bad");
    WriteTestFile(tidrex.Sub("report.json"), GetParam());
    const RunResult run = tidrex("clean --from " + Quoted(tidrex.Sub("report.json")) + " --summary --no-log");
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("tidrex: clean --from: ", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_TRUE(font.Present());
    EXPECT_FALSE(FileExists(tidrex.Sub("Backup")));
}

INSTANTIATE_TEST_SUITE_P(Documents, ConsoleFleetBadReport,
                         testing::Values("Total Problems : 1\r\n", "{\"sections\":[{\"id\":3,\"problems\":[",
                                         "{\"backups\":[]}",
                                         R"({"sections":[{"id":3,"problems":[{"kind":"registry","root":"HKLM",)"
                                         R"("keyPath":"SOFTWARE","valueName":"x","removeValueOnly":true}]}]})"));

TEST(ConsoleFleet, AMissingReportIsAUsageError) {
    const Tidrex tidrex("missing");
    const RunResult run = tidrex("clean --from " + Quoted(tidrex.Sub("none.json")));
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_NE(run.err.find("there is no such file; nothing was removed"), std::string::npos) << run.err;
}

namespace {
// A static driver of this test whose file is gone, removed afterwards.
class StaleDriver {
public:
    StaleDriver() { RegSetKeyValueA(HKEY_LOCAL_MACHINE, kPath, "StaticVXD", REG_SZ, kData, sizeof(kData)); }
    ~StaleDriver() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kPath); }
    bool Present() const {
        return RegGetValueA(HKEY_LOCAL_MACHINE, kPath, "StaticVXD", RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }
    static constexpr char kPath[] = "SYSTEM\\CurrentControlSet\\Services\\VXD\\TidrexCliFleetDriver";
    static constexpr char kData[] = "C:\\TidrexCliNoSuchFolder\\fleet.vxd";

private:
    ListKeysLock lock_;
};
}  // namespace

// A listed problem in a section whose keys the new scan could not open was out of its sight, not
// mended: it stays, and is not called gone.
TEST(ConsoleFleet, CleanFromAReportDoesNotCallWhatItCouldNotScanGone) {
    const StaleDriver driver;
    const Tidrex tidrex("fromunreadable");
    WriteTestFile(tidrex.Sub("listed.json"), tidrex("scan --sections 2 --json --no-log").out);
    const ReadOnlyKey locked(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\VXD");
    const RunResult run =
        tidrex("clean --from " + Quoted(tidrex.Sub("listed.json")) + " --include-review --json --no-log");
    EXPECT_EQ(run.status, kExitClean) << run.out << run.err;
    EXPECT_TRUE(driver.Present());
    const nlohmann::json cleaned = nlohmann::json::parse(run.out);
    EXPECT_EQ(cleaned["removed"], 0);
    bool named = false;
    for (const nlohmann::json& problem : cleaned["notFound"]) {
        if (problem["keyPath"] != StaleDriver::kPath) continue;
        named = true;
        EXPECT_EQ(problem["reason"], "not found again: its section could not be scanned whole (access denied)");
    }
    EXPECT_TRUE(named) << run.out;
}
