#include "engine/problem_risk.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/section_descriptors.h"

namespace {
constexpr const char* kWindows = "C:\\windows";

struct RiskCase {
    const char* name;
    SectionId section;
    RootKeyValue root;
    const char* keyPath;
    const char* valueData;
    Risk risk;
    const char* reason;
};

constexpr const char* kService = "A service: Windows or a program may need it to start";
constexpr const char* kDriver = "A driver: Windows may need it to start";
constexpr const char* kServiceSetting = "A service's setting: the service may need it to start";
constexpr const char* kWindowsPart = "A part of Windows: programs may need it, and Windows makes it again";
constexpr const char* kFileType = "A file type's command: files of that type may no longer open";
constexpr const char* kLogon = "A logon setting: Windows may not start without it";
constexpr const char* kSystem = "A setting of Windows: Windows may need it to start";
constexpr const char* kNotProgram = "Not a program's setting: Windows may rely on it";
constexpr const char* kOpenWith = "An entry of an Open With list: only the list changes";
constexpr const char* kExtension = "Its program id is gone: no program opens these files now";
constexpr const char* kNothing = "Nothing needs it to start";

ProblemPtr Record(const RiskCase& c) {
    return MakeProblem(c.section, {}, RegistryProblem{c.root, c.keyPath, "v", c.valueData, RemovalScope::Key});
}

class RiskRules : public ::testing::TestWithParam<RiskCase> {};

TEST_P(RiskRules, JudgeTheEntry) {
    const RiskJudgement judged = JudgeRisk(*Record(GetParam()), kWindows);
    EXPECT_EQ(judged.risk, GetParam().risk);
    EXPECT_EQ(judged.reason, GetParam().reason);
}

constexpr RiskCase kRiskCases[] = {
    {"Service", kServicesSection, kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\OldSvc", "C:\\Old\\svc.exe",
     Risk::Review, kService},
    {"StaticDriver", kStaticDriversSection, kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\VXD\\Old",
     "C:\\Old\\old.vxd", Risk::Review, kDriver},
    {"FullScanBelowAService", kFullRegistrySection, kLocalMachine,
     "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters", "c:\\windows\\system32\\srvsvc.dll", Risk::Review,
     kServiceSetting},
    {"FullScanBelowANumberedSetsService", kFullRegistrySection, kLocalMachine, "system\\ControlSet002\\services\\x",
     "c:\\x.dll", Risk::Review, kServiceSetting},
    {"ComServerInSystem32", kComSection, kClassesRoot, "CLSID\\{1}\\InprocServer32", "C:\\WINDOWS\\System32\\gone.dll",
     Risk::Review, kWindowsPart},
    {"ComServerOfAThirtyTwoBitProgram", kComSection, kClassesRoot, "Wow6432Node\\CLSID\\{1}\\LocalServer32",
     "\"C:\\Windows\\SysWOW64\\gone.exe\" /automation", Risk::Review, kWindowsPart},
    {"ComServerByItsBareName", kComSection, kClassesRoot, "CLSID\\{1}\\InprocServer32", "gone.dll", Risk::Review,
     kWindowsPart},
    {"ComServerBySystemRoot", kComSection, kClassesRoot, "CLSID\\{1}\\InprocServer32",
     "%SystemRoot%\\System32\\gone.dll", Risk::Review, kWindowsPart},
    {"ComServerBelowSystem32Elsewhere", kComSection, kClassesRoot, "CLSID\\{1}\\InprocServer32",
     "D:\\Win\\system32\\gone.dll", Risk::Review, kWindowsPart},
    {"TypeLibraryFileInWindows", kComSection, kClassesRoot, "TypeLib\\{2}\\1.0\\0\\win32", "c:\\windows\\gone.tlb",
     Risk::Review, kWindowsPart},
    {"TypeLibraryHelpFolderInWindows", kComSection, kClassesRoot, "TypeLib\\{2}\\1.0\\HELPDIR", "C:\\windows\\help",
     Risk::Review, kWindowsPart},
    {"ComServerOfAProgram", kComSection, kClassesRoot, "CLSID\\{1}\\InprocServer32", "C:\\Program Files\\Old\\old.dll",
     Risk::Safe, kNothing},
    {"ComServerBesideTheWindowsFolder", kComSection, kClassesRoot, "CLSID\\{1}\\InprocServer32",
     "C:\\windowsapps\\old.dll", Risk::Safe, kNothing},
    {"ComProgramId", kComSection, kClassesRoot, "CLSID\\{1}\\VersionIndependentProgId", "Old.App", Risk::Safe,
     kNothing},
    {"ComTypeLibraryId", kComSection, kClassesRoot, "CLSID\\{1}\\TypeLib", "{00000000-0000-0000-0000-000000000001}",
     Risk::Safe, kNothing},
    {"FileTypeVerbOfTheUser", kAssociationsSection, kCurrentUser, "Software\\Classes\\Old.Document\\shell\\open",
     "\"C:\\Old\\old.exe\" \"%1\"", Risk::Review, kFileType},
    {"FileTypeProgramIdOfTheMachine", kAssociationsSection, kLocalMachine,
     "SOFTWARE\\Classes\\Wow6432Node\\Applications\\old.exe", "C:\\Old\\old.exe", Risk::Review, kFileType},
    {"OpenWithListEntry", kAssociationsSection, kCurrentUser,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.old\\OpenWithList", "old.exe", Risk::Safe,
     kOpenWith},
    {"ExtensionKey", kAssociationsSection, kClassesRoot, ".old", "Old.Document", Risk::Safe, kExtension},
    {"LogonSetting", kFullRegistrySection, kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
     "c:\\windows\\system32\\userinit.exe,", Risk::Review, kLogon},
    {"LogonSettingOfThirtyTwoBitView", kFullRegistrySection, kLocalMachine,
     "SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify", "c:\\x.dll", Risk::Review,
     kLogon},
    {"BesideTheLogonKey", kFullRegistrySection, kLocalMachine,
     "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinlogonHelper", "c:\\x.dll", Risk::Safe, kNothing},
    {"SystemHive", kFullRegistrySection, kLocalMachine, "SYSTEM\\Setup", "c:\\x.exe", Risk::Review, kSystem},
    {"SystemHiveOfAnySection", kHelpFilesSection, kLocalMachine, "System\\Help", "c:\\x.hlp", Risk::Review, kSystem},
    {"FullScanOfTheUsersEnvironment", kFullRegistrySection, kCurrentUser, "Environment", "c:\\tools", Risk::Review,
     kNotProgram},
    {"FullScanOfHardware", kFullRegistrySection, kLocalMachine, "HARDWARE\\DEVICEMAP", "c:\\x", Risk::Review,
     kNotProgram},
    {"FullScanOfAnotherUsersPanel", kFullRegistrySection, kUsers, ".DEFAULT\\Control Panel\\Desktop", "c:\\x.bmp",
     Risk::Review, kNotProgram},
    {"FullScanOfAUserKeyItself", kFullRegistrySection, kUsers, "S-1-5-21-1", "c:\\x", Risk::Review, kNotProgram},
    {"FullScanNamedLikeSoftware", kFullRegistrySection, kCurrentUser, "SoftwareOld", "c:\\x", Risk::Review,
     kNotProgram},
    {"FullScanOfTheUsersSoftware", kFullRegistrySection, kCurrentUser, "Software\\Vendor\\App", "c:\\old\\app.exe",
     Risk::Safe, kNothing},
    {"FullScanOfAnotherUsersSoftware", kFullRegistrySection, kUsers, "S-1-5-21-1\\Software\\Vendor", "c:\\x",
     Risk::Safe, kNothing},
    {"FullScanOfTheMachinesSoftware", kFullRegistrySection, kLocalMachine, "SOFTWARE\\Vendor", "c:\\x", Risk::Safe,
     kNothing},
    {"Font", kFontsSection, kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
     "c:\\windows\\fonts\\gone.ttf", Risk::Safe, kNothing},
};

INSTANTIATE_TEST_SUITE_P(Entries, RiskRules, ::testing::ValuesIn(kRiskCases),
                         [](const ::testing::TestParamInfo<RiskCase>& entry) { return std::string(entry.param.name); });

TEST(RiskRules, ShortcutsAreSafe) {
    const ProblemPtr shortcut = MakeProblem(kShortcutsSection, {}, FileProblem{"C:\\a.lnk", "C:\\gone.exe"});
    EXPECT_EQ(JudgeRisk(*shortcut, kWindows).risk, Risk::Safe);
}

TEST(RiskRules, WithoutTheWindowsFolderItsNamesStillCount) {
    const auto server = [](const char* file) {
        return MakeProblem(kComSection, {},
                           RegistryProblem{kClassesRoot, "CLSID\\{1}\\InprocServer32", {}, file, RemovalScope::Key});
    };
    EXPECT_EQ(JudgeRisk(*server("C:\\windows\\gone.dll"), "").risk, Risk::Safe);
    EXPECT_EQ(JudgeRisk(*server("C:\\windows\\gone.dll"), "c:\\WINDOWS").risk, Risk::Review);
    EXPECT_EQ(JudgeRisk(*server("%windir%\\gone.dll"), "").risk, Risk::Review);
}

struct SettingCase {
    RootKeyValue root;
    const char* keyPath;
    bool systemSetting;
};

class SystemSettings : public ::testing::TestWithParam<SettingCase> {};

TEST_P(SystemSettings, AreTheControlKeysOfTheControlSets) {
    const ProblemPtr record = MakeProblem(
        kFullRegistrySection, {},
        RegistryProblem{GetParam().root, GetParam().keyPath, "PagingFiles", "c:\\pagefile.sys", RemovalScope::Value});
    EXPECT_EQ(IsSystemSetting(*record), GetParam().systemSetting) << GetParam().keyPath;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SystemSettings,
    ::testing::Values(SettingCase{kLocalMachine,
                                  "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management", true},
                      SettingCase{kLocalMachine, "system\\currentcontrolset\\control", true},
                      SettingCase{kLocalMachine, "SYSTEM\\ControlSet001\\Control\\Print", true},
                      SettingCase{kLocalMachine, "SYSTEM\\CurrentControlSet\\ControlPanel", false},
                      SettingCase{kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Control", false},
                      SettingCase{kLocalMachine, "SYSTEM\\ControlSet01\\Control", false},
                      SettingCase{kLocalMachine, "SYSTEM\\ControlSet0001\\Control", false},
                      SettingCase{kLocalMachine, "SYSTEM\\ControlSetABC\\Control", false},
                      SettingCase{kLocalMachine, "SOFTWARE\\CurrentControlSet\\Control", false},
                      SettingCase{kCurrentUser, "SYSTEM\\CurrentControlSet\\Control", false}));

TEST(SystemSettings, NeverShortcuts) {
    EXPECT_FALSE(IsSystemSetting(*MakeProblem(kShortcutsSection, {}, FileProblem{"C:\\a.lnk", "C:\\gone.exe"})));
}
}  // namespace
