#include "engine/problem_risk.h"

#include <optional>

#include "base/ascii_case.h"
#include "engine/section_descriptors.h"

namespace {
constexpr std::string_view kDefaultReason = "Nothing needs it to start";

// Whether path is key itself or lies below it, in any letter case.
bool IsAtOrBelow(std::string_view path, std::string_view key) {
    if (path.size() < key.size() || !EqualsIgnoringAsciiCase(path.substr(0, key.size()), key)) return false;
    return path.size() == key.size() || path[key.size()] == '\\';
}

// The part of path after key and its backslash; empty when path is key itself.
std::string_view Below(std::string_view path, std::string_view key) {
    return path.size() > key.size() ? path.substr(key.size() + 1) : std::string_view();
}

std::string_view FirstName(std::string_view path) { return path.substr(0, path.find('\\')); }

std::string_view LastName(std::string_view path) {
    const size_t separator = path.rfind('\\');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

// "CurrentControlSet", or a numbered set such as "ControlSet001" that it stands for.
bool IsControlSetName(std::string_view name) {
    if (EqualsIgnoringAsciiCase(name, "CurrentControlSet")) return true;
    constexpr std::string_view kNumbered = "ControlSet";
    if (name.size() != kNumbered.size() + 3 || !EqualsIgnoringAsciiCase(name.substr(0, kNumbered.size()), kNumbered))
        return false;
    for (char digit : name.substr(kNumbered.size())) {
        if (digit < '0' || digit > '9') return false;
    }
    return true;
}

// The key path below HKEY_LOCAL_MACHINE\SYSTEM\<control set>; none outside a control set.
std::optional<std::string_view> BelowControlSet(const RegistryProblem& problem) {
    if (problem.rootKey != kLocalMachine || !IsAtOrBelow(problem.keyPath, "SYSTEM")) return std::nullopt;
    const std::string_view inSystem = Below(problem.keyPath, "SYSTEM");
    const std::string_view set = FirstName(inSystem);
    if (!IsControlSetName(set)) return std::nullopt;
    return Below(inSystem, set);
}

// What the rules look at: the section, the registry entry and where Windows lives.
struct Entry {
    SectionId section;
    const RegistryProblem& problem;
    std::string_view windowsFolder;
};

bool IsService(const Entry& entry) { return entry.section == kServicesSection; }
bool IsStaticDriver(const Entry& entry) { return entry.section == kStaticDriversSection; }

bool IsBelowServiceKey(const Entry& entry) {
    const std::optional<std::string_view> inSet = BelowControlSet(entry.problem);
    return inSet && IsAtOrBelow(*inSet, "Services") && !Below(*inSet, "Services").empty();
}

// The registrations whose default value names a file: the servers and the library files.
bool IsFileRegistrationKey(std::string_view name) {
    for (std::string_view fileKey :
         {"InprocServer32", "InprocServer", "InprocHandler32", "LocalServer32", "win16", "win32", "win64", "HELPDIR"}) {
        if (EqualsIgnoringAsciiCase(name, fileKey)) return true;
    }
    return false;
}

// Where the file lies: in the Windows folder by its path or by the names that stand for it. A
// bare file name is looked for in the system folder first.
bool LiesInWindowsFolder(std::string_view path, std::string_view windowsFolder) {
    const size_t start = path.find_first_not_of("\" ");
    if (start == std::string_view::npos) return false;
    path.remove_prefix(start);
    if (!windowsFolder.empty() && IsAtOrBelow(path, windowsFolder)) return true;
    for (std::string_view name : {"%SystemRoot%", "%windir%", "\\SystemRoot", "system32", "SysWOW64"}) {
        if (IsAtOrBelow(path, name)) return true;
    }
    if (ContainsIgnoringAsciiCase(path, "\\system32\\") || ContainsIgnoringAsciiCase(path, "\\syswow64\\")) {
        return true;
    }
    return path.find_first_of(":\\/") == std::string_view::npos;
}

// A class or type library whose file would lie in the Windows folder. Program ids and library
// ids hold no backslash; a text without one is a file only where the key names one.
bool IsWindowsComponent(const Entry& entry) {
    if (entry.section != kComSection) return false;
    const std::string_view data = entry.problem.valueData;
    const bool namesFile =
        data.find('\\') != std::string_view::npos || IsFileRegistrationKey(LastName(entry.problem.keyPath));
    return namesFile && LiesInWindowsFolder(data, entry.windowsFolder);
}

// The stale-file-type step's program ids and verbs, below either root's class tree.
bool IsFileTypeCommand(const Entry& entry) {
    const RootKeyValue root = entry.problem.rootKey;
    return entry.section == kAssociationsSection && (root == kCurrentUser || root == kLocalMachine) &&
           IsAtOrBelow(entry.problem.keyPath, "Software\\Classes");
}

// The logon settings (the shell, the user's start-up program) of the machine, a user, either view.
bool IsLogonSetting(const Entry& entry) {
    constexpr std::string_view kLogonKey = "\\microsoft\\windows nt\\currentversion\\winlogon";
    const std::string path = LowerAscii(entry.problem.keyPath);
    const size_t at = path.find(kLogonKey);
    if (at == std::string::npos) return false;
    const size_t end = at + kLogonKey.size();
    return end == path.size() || path[end] == '\\';
}

bool IsInSystemHive(const Entry& entry) {
    return entry.problem.rootKey == kLocalMachine && IsAtOrBelow(entry.problem.keyPath, "SYSTEM");
}

// HKLM\SOFTWARE, HKCU\Software and each user's HKU\<sid>\Software hold the programs' settings;
// the class trees are made of them.
bool IsInSoftwareTree(const RegistryProblem& problem) {
    switch (problem.rootKey) {
        case kClassesRoot: return true;
        case kLocalMachine:
        case kCurrentUser: return IsAtOrBelow(problem.keyPath, "Software");
        case kUsers: return IsAtOrBelow(Below(problem.keyPath, FirstName(problem.keyPath)), "Software");
        default: return false;
    }
}

bool IsFullScanValueOutsideSoftware(const Entry& entry) {
    return entry.section == kFullRegistrySection && !IsInSoftwareTree(entry.problem);
}

bool IsOpenWithEntry(const Entry& entry) {
    return entry.section == kAssociationsSection && entry.problem.rootKey == kCurrentUser &&
           EqualsIgnoringAsciiCase(LastName(entry.problem.keyPath), "OpenWithList");
}

bool IsExtensionKey(const Entry& entry) {
    return entry.section == kAssociationsSection && entry.problem.rootKey == kClassesRoot &&
           entry.problem.keyPath.starts_with('.');
}

struct Rule {
    bool (*applies)(const Entry&);
    RiskJudgement judgement;
};

// In order: the first rule that applies decides. README.md shows this table.
constexpr Rule kRules[] = {
    {IsService, {Risk::Review, "A service: Windows or a program may need it to start"}},
    {IsStaticDriver, {Risk::Review, "A driver: Windows may need it to start"}},
    {IsBelowServiceKey, {Risk::Review, "A service's setting: the service may need it to start"}},
    {IsWindowsComponent, {Risk::Review, "A part of Windows: programs may need it, and Windows makes it again"}},
    {IsFileTypeCommand, {Risk::Review, "A file type's command: files of that type may no longer open"}},
    {IsLogonSetting, {Risk::Review, "A logon setting: Windows may not start without it"}},
    {IsInSystemHive, {Risk::Review, "A setting of Windows: Windows may need it to start"}},
    {IsFullScanValueOutsideSoftware, {Risk::Review, "Not a program's setting: Windows may rely on it"}},
    {IsOpenWithEntry, {Risk::Safe, "An entry of an Open With list: only the list changes"}},
    {IsExtensionKey, {Risk::Safe, "Its program id is gone: no program opens these files now"}},
};
}  // namespace

RiskJudgement JudgeRisk(const ProblemRecord& record, std::string_view windowsFolder) {
    const RegistryProblem* problem = record.AsRegistry();
    if (problem == nullptr) return {Risk::Safe, kDefaultReason};
    const Entry entry{record.sectionId, *problem, windowsFolder};
    for (const Rule& rule : kRules) {
        if (rule.applies(entry)) return rule.judgement;
    }
    return {Risk::Safe, kDefaultReason};
}

bool IsSystemSetting(const ProblemRecord& record) {
    const RegistryProblem* problem = record.AsRegistry();
    if (problem == nullptr) return false;
    const std::optional<std::string_view> inSet = BelowControlSet(*problem);
    return inSet && IsAtOrBelow(*inSet, "Control");
}
