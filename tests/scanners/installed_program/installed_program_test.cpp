// A program installed the way third-party programs install themselves (NSIS installers built
// from sample_installer.nsi and, for a 32-bit program, sample_installer32.nsi) is never reported
// while it is installed; once its folder is deleted, every registration it left behind is
// reported in its section, and a clean of them is undone exactly by a restore.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/ascii_case.h"
#include "cli/command_line.h"
#include "cli/console_clean.h"
#include "cli/console_restore.h"
#include "cli/console_scan.h"
#include "cli/exit_status.h"
#include "registry/registry_key.h"
#include "registry/registry_lookup.h"
#include "tests/support/list_keys_lock.h"
#include "tests/support/registry_dump.h"
#include "tests/support/section_list.h"
#include "tests/support/stream_text.h"
#include "tests/support/temp_folder.h"

namespace {
const std::string kTestFolder = "C:\\TidrexTests\\InstalledProgram";
const std::string kInstallFolder = kTestFolder + "\\Tidrex Sample";
const std::string kClassId = "{6F1E3B52-7A40-4C2D-9E81-3D5B0A7C1F20}";
const std::string kLibraryId = "{6F1E3B52-7A40-4C2D-9E81-3D5B0A7C1F21}";
const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TidrexSample";
const std::string kServiceKey = "SYSTEM\\CurrentControlSet\\Services\\TidrexSampleService";
const std::string kOpenWithKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.tidrexsample\\OpenWithList";
// The 32-bit sample, where a 32-bit installer puts it by default, and its helper in the system folder.
const std::string kFolder32 = "C:\\Program Files (x86)\\Tidrex Sample 32";
const std::string kHelper32 = "tidrex-sample32-helper.dll";
const std::string kClassId32 = "{6F1E3B52-7A40-4C2D-9E81-3D5B0A7C1F32}";
const std::string kHelperClassId32 = "{6F1E3B52-7A40-4C2D-9E81-3D5B0A7C1F33}";
const std::string kShortcut32 = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tidrex Sample 32.lnk";

// The installer lies beside this test program. Started from a folder outside every drive (the
// test prefix has no Z:), Wine names the program "unix\..."; files there open as "\\?\unix\...".
std::string SetupPath(const std::string& name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder = folder.substr(0, folder.rfind('\\'));
    if (folder.rfind("unix\\", 0) == 0) folder = "\\\\?\\" + folder;
    return folder + "\\" + name;
}

// What the installers write; their uninstallers cannot remove it once the folders are gone. Both
// samples go: the 64-bit sample's marks also match what an interrupted run of the other left.
void RemoveInstallations() {
    for (const std::string& key : {kUninstallKey, kServiceKey}) RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
    // The 32-bit installer's keys and the values it adds to shared lists, in both views.
    for (const std::string software : {"Software\\", "Software\\Wow6432Node\\"}) {
        const std::string version = software + "Microsoft\\Windows\\CurrentVersion\\";
        for (const std::string& key : {software + "TidrexSample32", version + "Uninstall\\TidrexSample32",
                                       version + "App Paths\\tidrex-sample32.exe"})
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
        for (const std::string& file :
             {kFolder32 + "\\tidrex-sample32-server.dll", "C:\\windows\\system32\\" + kHelper32})
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, (version + "SharedDLLs").c_str(), file.c_str());
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, (version + "Run").c_str(), "TidrexSample32");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, (software + "Microsoft\\Windows\\Help").c_str(), "tidrex-sample32.chm");
    }
    for (const std::string& key :
         {"CLSID\\" + kClassId, "TypeLib\\" + kLibraryId, std::string("TidrexSample.Widget"),
          std::string("TidrexSample.Widget.1"), std::string("TidrexSample.Document"), std::string(".tidrexsample"),
          std::string("Applications\\tidrex-sample.exe"), "CLSID\\" + kClassId32, "CLSID\\" + kHelperClassId32,
          "Wow6432Node\\CLSID\\" + kClassId32, "Wow6432Node\\CLSID\\" + kHelperClassId32,
          std::string(".tidrexsample32"), std::string("TidrexSample32.Document"),
          std::string("Applications\\tidrex-sample32.exe")})
        RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER,
                   "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.tidrexsample");
    std::error_code ignored;
    for (const std::string& path : {kTestFolder, kFolder32, kShortcut32, "C:\\windows\\syswow64\\" + kHelper32})
        std::filesystem::remove_all(path, ignored);
}

// Runs the installer silently, with the options given; its exit code. It is copied into the
// prefix first, as a download would be: an installer reads its own file, which it cannot do
// through a path outside every drive.
DWORD Install(const std::string& name, const std::string& options) {
    const std::string setup = kTestFolder + "\\" + name;
    std::filesystem::create_directories(kTestFolder);
    if (!CopyFileA(SetupPath(name).c_str(), setup.c_str(), FALSE)) return GetLastError();
    std::string commandLine = "\"" + setup + "\" /S " + options;
    // A shortcut saved under Wine starts Wine's menu builder, which writes menu entries into the
    // Linux home folder: it is turned off while the installer runs.
    const char* overrides = "Software\\Wine\\DllOverrides";
    RegSetKeyValueA(HKEY_CURRENT_USER, overrides, "winemenubuilder.exe", REG_SZ, "", 1);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup, &process);
    DWORD exitCode = started ? 1 : GetLastError();
    if (started) {
        WaitForSingleObject(process.hProcess, 120000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    RegDeleteKeyValueA(HKEY_CURRENT_USER, overrides, "winemenubuilder.exe");
    return exitCode;
}

// Section, key path and value name (for a shortcut: its path and target), view (0 for a file).
using Finding = std::tuple<int, std::string, std::string, int>;

ScanCommand JsonScan(const std::string& sections) {
    return std::get<ScanCommand>(*ParseCommandLine({"scan", "--sections", sections, "--json", "--no-log"}).command);
}

// The problems of a console scan that name any of the marks (in any letter case) in their key,
// value or data; problems receives each one's report.

std::set<Finding> SampleFindings(const std::string& sections, const std::vector<std::string>& marks,
                                 std::vector<nlohmann::json>* problems = nullptr) {
    std::atomic<bool> interrupted{false};
    std::FILE* out = std::tmpfile();
    RunConsoleScan({JsonScan(sections), "Windows 10", &interrupted, out, nullptr});
    const std::string text = StreamText(out);
    std::fclose(out);
    const nlohmann::json report = nlohmann::json::parse(text);
    std::set<Finding> findings;
    for (const nlohmann::json& section : report["sections"]) {
        for (const nlohmann::json& problem : section["problems"]) {
            const bool file = problem["kind"] == "file";
            const std::string where = problem[file ? "linkPath" : "keyPath"];
            const std::string what = problem[file ? "targetPath" : "valueName"];
            const std::string named = where + "|" + what + "|" + problem.value("valueData", "");
            if (std::none_of(marks.begin(), marks.end(), [&](const std::string& mark) {
                    return ContainsIgnoringAsciiCase(named, LowerAscii(mark));
                }))
                continue;
            findings.insert({section["id"].get<int>(), where, what, problem.value("view", 0)});
            if (problems) problems->push_back(problem);
        }
    }
    return findings;
}

const std::vector<std::string> kSampleMarks{"TidrexSample", kClassId, kLibraryId, kInstallFolder};

HKEY RootOf(const nlohmann::json& problem) { return RootKeyHandle(RootKeyFromName(problem["root"])); }

// Whether a found problem's item is there: its key, its value or its shortcut.
bool ItemPresent(const nlohmann::json& problem) {
    if (problem["kind"] == "file") return FileExists(problem["linkPath"]);
    const std::string key = problem["keyPath"], value = problem["valueName"];
    if (!problem["removeValueOnly"].get<bool>()) return RegKeyExists(RootOf(problem), key);
    return RegGetValueA(RootOf(problem), key.c_str(), value.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

// What the found problems' items hold: each key's tree (for a value, the key it is in), each shortcut's bytes.
std::vector<std::vector<std::string>> ItemDumps(const std::vector<nlohmann::json>& problems) {
    std::vector<std::vector<std::string>> dumps;
    for (const nlohmann::json& problem : problems) {
        dumps.push_back(problem["kind"] == "file" ? std::vector<std::string>{ReadTestFile(problem["linkPath"])}
                                                  : DumpRegistryTree(RootOf(problem), Widen(problem["keyPath"])));
    }
    return dumps;
}
}  // namespace

TEST(InstalledProgram, NothingIsReportedWhileInstalledEveryLeftoverOnceItsFolderIsGone) {
    const ListKeysLock lock;
    RemoveInstallations();
    ASSERT_EQ(Install("tidrex-sample-setup.exe", "/D=" + kInstallFolder), 0u);
    ASSERT_TRUE(std::filesystem::exists(kInstallFolder + "\\tidrex-sample.exe"));
    ASSERT_TRUE(std::filesystem::exists(kInstallFolder + "\\uninstall.exe"));

    const std::string sections =
        SectionList({kStaticDriversSection, kAssociationsSection, kServicesSection, kUninstallSection, kComSection});
    EXPECT_EQ(SampleFindings(sections, kSampleMarks), std::set<Finding>{});

    std::filesystem::remove_all(kInstallFolder);
    std::vector<nlohmann::json> problems;
    const std::set<Finding> expected{
        {kAssociationsSection, kOpenWithKey, "a", 64},
        {kAssociationsSection, "SOFTWARE\\Classes\\TidrexSample.Document", "", 64},
        {kAssociationsSection, "SOFTWARE\\Classes\\Applications\\tidrex-sample.exe", "", 64},
        {kServicesSection, kServiceKey, "ImagePath", 64},
        {kUninstallSection, kUninstallKey, "UninstallString", 64},
        {kComSection, "CLSID\\" + kClassId + "\\InprocServer32", "", 64},
        {kComSection, "TypeLib\\" + kLibraryId + "\\1.0\\0\\win32", "", 64},
        {kComSection, "TypeLib\\" + kLibraryId + "\\1.0\\HELPDIR", "", 64},
    };
    EXPECT_EQ(SampleFindings(sections, kSampleMarks, &problems), expected);
    // Each names what is gone: a path in the deleted folder, or the open-with entry's program.
    for (const nlohmann::json& problem : problems) {
        const std::string description = problem["description"];
        EXPECT_TRUE(description.find(kInstallFolder) != std::string::npos ||
                    description.find("(tidrex-sample.exe)") != std::string::npos)
            << description;
    }

    // The extension itself is healthy while its program id is registered; an uninstaller that
    // removes its program id but leaves the extension (other programs may share it) leaves a
    // stale extension.
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "TidrexSample.Document");
    problems.clear();
    EXPECT_EQ(
        SampleFindings(SectionList({kAssociationsSection}), kSampleMarks, &problems),
        (std::set<Finding>{{kAssociationsSection, kOpenWithKey, "a", 64},
                           {kAssociationsSection, ".tidrexsample", "", 64},
                           {kAssociationsSection, "SOFTWARE\\Classes\\Applications\\tidrex-sample.exe", "", 64}}));
    EXPECT_TRUE(std::any_of(problems.begin(), problems.end(), [](const nlohmann::json& problem) {
        return problem["description"] == "The ProgramID (TidrexSample.Document) is Invalid.";
    }));
    RemoveInstallations();
}

TEST(InstalledProgram, ThirtyTwoBitProgramIsJudgedInItsViewAndTheCleanOfItsLeftoversRestoresExactly) {
    if (!FileExists(SetupPath("tidrex-sample32-setup.exe"))) GTEST_SKIP() << "built without the i686 compiler";
    CoInitialize(nullptr);  // as the console's main does: shortcuts are read through COM
    const ListKeysLock lock;
    RemoveInstallations();
    ASSERT_EQ(Install("tidrex-sample32-setup.exe", ""), 0u);
    ASSERT_TRUE(FileExists(kFolder32 + "\\tidrex-sample32.exe"));
    // Named "system32" by the installer, the helper lands in the 32-bit programs' system folder.
    ASSERT_TRUE(FileExists("C:\\windows\\syswow64\\" + kHelper32));
    EXPECT_FALSE(FileExists("C:\\windows\\system32\\" + kHelper32));

    const std::string sections =
        SectionList({kAssociationsSection, kHelpFilesSection, kSharedFilesSection, kApplicationPathsSection,
                     kUninstallSection, kComSection, kFullRegistrySection, kShortcutsSection});
    const std::vector<std::string> marks{"TidrexSample32", "tidrex-sample32", kClassId32, kHelperClassId32, kFolder32};
    EXPECT_EQ(SampleFindings(sections, marks), std::set<Finding>{});

    // The helper is still there: neither its counter nor its class is a leftover.
    std::filesystem::remove_all(kFolder32);
    // The full walk names keys as it enumerates them; the lists in the letters of their own keys.
    const std::string wow = "Software\\Wow6432Node\\Microsoft\\Windows\\";
    const std::string listWow = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\";
    const std::string appPath = "Microsoft\\Windows\\CurrentVersion\\App Paths\\tidrex-sample32.exe";
    const std::set<Finding> expected{
        {kAssociationsSection, "SOFTWARE\\Classes\\TidrexSample32.Document", "", 64},
        {kAssociationsSection, "SOFTWARE\\Classes\\Applications\\tidrex-sample32.exe", "", 64},
        {kHelpFilesSection, listWow + "Help", "tidrex-sample32.chm", 32},
        {kSharedFilesSection, listWow + "CurrentVersion\\SharedDLLs", kFolder32 + "\\tidrex-sample32-server.dll", 32},
        {kApplicationPathsSection, "SOFTWARE\\" + appPath, "", 64},
        {kUninstallSection, listWow + "CurrentVersion\\Uninstall\\TidrexSample32", "UninstallString", 32},
        {kComSection, "Wow6432Node\\CLSID\\" + kClassId32 + "\\InprocServer32", "", 32},
        {kFullRegistrySection, "Software\\" + appPath, "", 64},
        {kFullRegistrySection, "Software\\" + appPath, "Path", 64},
        {kFullRegistrySection, wow + "CurrentVersion\\Run", "TidrexSample32", 32},
        {kFullRegistrySection, wow + "CurrentVersion\\Uninstall\\TidrexSample32", "UninstallString", 32},
        {kFullRegistrySection, wow + "Help", "tidrex-sample32.chm", 32},
        {kFullRegistrySection, "Software\\Wow6432Node\\TidrexSample32", "InstallDir", 32},
        {kFullRegistrySection, "Software\\Wow6432Node\\TidrexSample32", "Program", 32},
        {kShortcutsSection, kShortcut32, kFolder32 + "\\tidrex-sample32.exe", 0},
    };
    std::vector<nlohmann::json> problems;
    EXPECT_EQ(SampleFindings(sections, marks, &problems), expected);

    // A clean that takes the problems to review too removes every one, and a restore of its backup
    // brings back exactly what was there.
    const std::vector<std::vector<std::string>> before = ItemDumps(problems);
    const TempFolder backups("installed-program-32");
    std::atomic<bool> interrupted{false};
    std::FILE* out = std::tmpfile();
    EXPECT_EQ(RunConsoleClean({JsonScan(sections), true, true, backups.Path(), "Windows 10", &interrupted, out}),
              kExitClean)
        << StreamText(out);
    for (const nlohmann::json& problem : problems) EXPECT_FALSE(ItemPresent(problem)) << problem.dump();
    EXPECT_EQ(RunConsoleRestore({"", true, backups.Path(), true, out}), 0) << StreamText(out);
    std::fclose(out);
    EXPECT_EQ(ItemDumps(problems), before);
    RemoveInstallations();
}
