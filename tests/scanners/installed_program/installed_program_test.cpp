// A program installed the way third-party programs install themselves (an NSIS installer built
// from sample_installer.nsi) is never reported while it is installed; once its folder is deleted,
// every registration it left behind is reported in its section.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "cli/command_line.h"
#include "cli/console_scan.h"
#include "tests/support/list_keys_lock.h"
#include "tests/support/section_list.h"
#include "tests/support/stream_text.h"

namespace {
const std::string kInstallFolder = "C:\\TidrexTests\\InstalledProgram\\Tidrex Sample";
const std::string kClassId = "{6F1E3B52-7A40-4C2D-9E81-3D5B0A7C1F20}";
const std::string kLibraryId = "{6F1E3B52-7A40-4C2D-9E81-3D5B0A7C1F21}";
const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TidrexSample";
const std::string kServiceKey = "SYSTEM\\CurrentControlSet\\Services\\TidrexSampleService";
const std::string kOpenWithKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.tidrexsample\\OpenWithList";

// The installer lies beside this test program. Started from a folder outside every drive (the
// test prefix has no Z:), Wine names the program "unix\..."; files there open as "\\?\unix\...".
std::string SetupPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder = folder.substr(0, folder.rfind('\\'));
    if (folder.rfind("unix\\", 0) == 0) folder = "\\\\?\\" + folder;
    return folder + "\\tidrex-sample-setup.exe";
}

// What the installer writes; its uninstaller cannot remove it once the folder is gone.
void RemoveInstallation() {
    for (const std::string& key : {kUninstallKey, kServiceKey}) RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
    for (const std::string& key : {"CLSID\\" + kClassId, "TypeLib\\" + kLibraryId, std::string("TidrexSample.Widget"),
                                   std::string("TidrexSample.Widget.1"), std::string("TidrexSample.Document"),
                                   std::string(".tidrexsample"), std::string("Applications\\tidrex-sample.exe")}) {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER,
                   "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.tidrexsample");
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(kInstallFolder).parent_path(), ignored);
}

// Runs the installer silently into the test's folder; its exit code. It is copied into the
// prefix first, as a download would be: an installer reads its own file, which it cannot do
// through a path outside every drive.
DWORD Install() {
    const std::string setup = std::filesystem::path(kInstallFolder).parent_path().string() + "\\setup.exe";
    std::filesystem::create_directories(std::filesystem::path(setup).parent_path());
    if (!CopyFileA(SetupPath().c_str(), setup.c_str(), FALSE)) return GetLastError();
    std::string commandLine = "\"" + setup + "\" /S /D=" + kInstallFolder;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup, &process)) {
        return GetLastError();
    }
    WaitForSingleObject(process.hProcess, 120000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

using Finding = std::tuple<int, std::string, std::string>;  // section, key path, value name

// The problems of a console scan that concern the sample program, with their descriptions.
std::set<Finding> SampleFindings(const std::string& sections, std::vector<std::string>* descriptions = nullptr) {
    const ParsedCommandLine parsed = ParseCommandLine({"scan", "--sections", sections, "--json", "--no-log"});
    std::atomic<bool> interrupted{false};
    std::FILE* out = std::tmpfile();
    RunConsoleScan({std::get<ScanCommand>(*parsed.command), "Windows 10", &interrupted, out, nullptr});
    const std::string text = StreamText(out);
    std::fclose(out);
    const nlohmann::json report = nlohmann::json::parse(text);
    std::set<Finding> findings;
    for (const nlohmann::json& section : report["sections"]) {
        for (const nlohmann::json& problem : section["problems"]) {
            const std::string keyPath = problem["keyPath"];
            const std::string data = problem["valueData"];
            const bool ours =
                keyPath.find("TidrexSample") != std::string::npos || keyPath.find(kClassId) != std::string::npos ||
                keyPath.find(kLibraryId) != std::string::npos || keyPath.find(".tidrexsample") != std::string::npos ||
                data.find(kInstallFolder) != std::string::npos;
            if (!ours) continue;
            findings.insert({section["id"].get<int>(), keyPath, problem["valueName"].get<std::string>()});
            if (descriptions) descriptions->push_back(problem["description"]);
        }
    }
    return findings;
}
}  // namespace

TEST(InstalledProgram, NothingIsReportedWhileInstalledEveryLeftoverOnceItsFolderIsGone) {
    const ListKeysLock lock;
    RemoveInstallation();
    ASSERT_EQ(Install(), 0u) << SetupPath();
    ASSERT_TRUE(std::filesystem::exists(kInstallFolder + "\\tidrex-sample.exe"));
    ASSERT_TRUE(std::filesystem::exists(kInstallFolder + "\\uninstall.exe"));

    EXPECT_EQ(SampleFindings(SectionList(
                  {kStaticDriversSection, kAssociationsSection, kServicesSection, kUninstallSection, kComSection})),
              std::set<Finding>{});

    std::filesystem::remove_all(kInstallFolder);
    std::vector<std::string> descriptions;
    const std::set<Finding> leftovers = SampleFindings(
        SectionList({kStaticDriversSection, kAssociationsSection, kServicesSection, kUninstallSection, kComSection}),
        &descriptions);
    const std::set<Finding> expected{
        {kAssociationsSection, kOpenWithKey, "a"},
        {kAssociationsSection, "SOFTWARE\\Classes\\TidrexSample.Document", ""},
        {kAssociationsSection, "SOFTWARE\\Classes\\Applications\\tidrex-sample.exe", ""},
        {kServicesSection, kServiceKey, "ImagePath"},
        {kUninstallSection, kUninstallKey, "UninstallString"},
        {kComSection, "CLSID\\" + kClassId + "\\InprocServer32", ""},
        {kComSection, "TypeLib\\" + kLibraryId + "\\1.0\\0\\win32", ""},
        {kComSection, "TypeLib\\" + kLibraryId + "\\1.0\\HELPDIR", ""},
    };
    EXPECT_EQ(leftovers, expected);
    // Each names what is gone: a path in the deleted folder, or the open-with entry's program.
    for (const std::string& description : descriptions) {
        EXPECT_TRUE(description.find(kInstallFolder) != std::string::npos ||
                    description.find("(tidrex-sample.exe)") != std::string::npos)
            << description;
    }

    // The extension itself is healthy while its program id is registered; an uninstaller that
    // removes its program id but leaves the extension (other programs may share it) leaves a
    // stale extension.
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "TidrexSample.Document");
    descriptions.clear();
    const std::set<Finding> associations = SampleFindings(SectionList({kAssociationsSection}), &descriptions);
    EXPECT_EQ(associations,
              (std::set<Finding>{{kAssociationsSection, kOpenWithKey, "a"},
                                 {kAssociationsSection, ".tidrexsample", ""},
                                 {kAssociationsSection, "SOFTWARE\\Classes\\Applications\\tidrex-sample.exe", ""}}));
    EXPECT_NE(std::find(descriptions.begin(), descriptions.end(), "The ProgramID (TidrexSample.Document) is Invalid."),
              descriptions.end());
    RemoveInstallation();
}
