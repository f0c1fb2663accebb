#include "scanners/association_scanners.h"

#include "base/text_format.h"
#include "engine/section_table.h"
#include "registry/com_registration.h"
#include "registry/file_reference.h"
#include "registry/registry_key.h"
#include "registry/registry_lookup.h"
#include "scanners/scan_key.h"

namespace {
// Existence tests open for reading: a registration that refuses write access (as many do on
// current Windows) is still a registration.
LONG OpenForReading(HKEY parent, const std::string& path, UniqueHkey& key) {
    return RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, key.put());
}

void JudgeOpenWithList(ScanEngine& engine, const std::string& extension) {
    const std::string listPath = std::string(kFileExtsKey) + "\\" + extension + "\\OpenWithList";
    CRegistry list;
    if (!list.Open(HKEY_CURRENT_USER, listPath)) return;
    std::string name, program;
    DWORD type = 0;
    while (list.EnumValue(name, type)) {
        // The entries are named "a", "b", ...; "MRUList" and other longer names are not entries.
        if (name.size() != 1 || !list.ReadString(name.c_str(), program)) continue;
        if (!ApplicationIsUsable(program)) {
            ReportRegistryProblem(engine,
                                  {kAssociationsSection, kCurrentUser, listPath, name, program, RemovalScope::Value,
                                   Format("The File (%s) cannot be found at the specified location", program.c_str())});
        }
    }
}

// What an extension key relies on: its program id, else its persistent handler, else a shell
// registration of its own. judgedId receives the id that was judged (empty in the last case).
bool ExtensionIsBroken(const ScanEngine& engine, const std::string& extension, std::string& judgedId) {
    const auto has = [&](const char* subKey) { return RegKeyExists(HKEY_CLASSES_ROOT, extension + "\\" + subKey); };
    judgedId = ReadRegString(HKEY_CLASSES_ROOT, extension, "");
    if (!judgedId.empty()) return !ProgIdIsValid(judgedId, RegistryView::Bits64) && !has("ShellEx");
    judgedId = ReadRegString(HKEY_CLASSES_ROOT, extension + "\\PersistentHandler", "");
    if (!judgedId.empty()) return !ClassIdExists(judgedId) && !has("ShellEx");
    // Since Windows 8 many extensions are associated only through the program ids listed under
    // "OpenWithProgids" (or the programs under "OpenWithList"): such a key is in use too.
    return !has("Shell") && !has("ShellEx") && !has("DefaultIcon") && !has("OpenWithProgids") && !has("OpenWithList") &&
           !HasShellNewRegistration(engine, HKEY_CLASSES_ROOT, extension);
}
}  // namespace

bool ApplicationIsUsable(const std::string& program) {
    UniqueHkey applications;
    const LONG opened = OpenForReading(HKEY_CLASSES_ROOT, "Applications", applications);
    // What cannot be read cannot be judged.
    if (opened == ERROR_ACCESS_DENIED) return true;
    if (opened != ERROR_SUCCESS) return false;
    // Opening the name below "Applications" finds the sub-key of that name in any letter case;
    // a name with a backslash would reach a deeper key and is no sub-key name.
    if (program.empty() || program.find('\\') != std::string::npos) return false;
    UniqueHkey registration;
    const LONG found = OpenForReading(applications.get(), program, registration);
    if (found == ERROR_FILE_NOT_FOUND) return false;
    if (found != ERROR_SUCCESS) return true;
    UniqueHkey command;
    const LONG commandOpened = OpenForReading(registration.get(), "shell\\open\\command", command);
    if (commandOpened == ERROR_FILE_NOT_FOUND) return FoundOnSearchPath(program);
    if (commandOpened != ERROR_SUCCESS) return true;
    std::string commandLine = ReadCommandText(command.get());
    // A command beyond the buffers cannot be judged.
    if (!ExpandEnvironmentInPlace(commandLine)) return true;
    return FileReferenceExists(commandLine, RegistryView::Bits64);
}

bool HasShellNewRegistration(const ScanEngine& engine, HKEY root, const std::string& keyName) {
    UniqueHkey key;
    const LONG opened = OpenForReading(root, keyName, key);
    if (opened == ERROR_ACCESS_DENIED) return true;
    if (opened != ERROR_SUCCESS) return false;
    DWORD count = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    char name[255];
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        if (RegKeyExists(root, keyName + "\\" + std::string(name, length) + "\\ShellNew")) return true;
    }
    return false;
}

bool ScanOpenWithLists(ScanEngine& engine) {
    const ScanKey extensions = OpenStartingKey(engine, kAssociationsSection, HKEY_CURRENT_USER, kFileExtsKey);
    if (!extensions.IsOpen()) return engine.Running();
    const DWORD count = extensions.SubKeyCount();
    std::string extension;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (!extensions.SubKeyName(index, extension)) continue;
        JudgeOpenWithList(engine, extension);
        engine.ShowItem("HKEY_CURRENT_USER\\" + std::string(kFileExtsKey) + "\\" + extension);
        engine.Pump();
    }
    return engine.Running();
}

bool ScanExtensions(ScanEngine& engine) {
    const ScanKey classes = OpenStartingKey(engine, kAssociationsSection, HKEY_CLASSES_ROOT, "");
    if (!classes.IsOpen()) return engine.Running();
    const DWORD count = classes.SubKeyCount();
    std::string name, judgedId;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (!classes.SubKeyName(index, name) || name.empty() || name.front() != '.') continue;
        // A key that names a content type or a perceived type is a plain file type description.
        if (!ReadRegString(HKEY_CLASSES_ROOT, name, "Content Type").empty() ||
            !ReadRegString(HKEY_CLASSES_ROOT, name, "PerceivedType").empty())
            continue;
        if (ExtensionIsBroken(engine, name, judgedId)) {
            ReportRegistryProblem(engine,
                                  {kAssociationsSection, kClassesRoot, name, std::string(), judgedId, RemovalScope::Key,
                                   Format("The ProgramID (%s) is Invalid.", judgedId.c_str())});
        }
        engine.ShowItem("HKEY_CLASSES_ROOT\\" + name);
        engine.Pump();
    }
    return engine.Running();
}
