#include "app/preferences.h"

#include <windows.h>

#include "app/executable_folder.h"
#include "engine/section_descriptors.h"
#include "registry/registry_key.h"

Preferences::Preferences(std::string settingsKeyPath, std::string runKeyPath)
    : settingsKeyPath_(std::move(settingsKeyPath)), runKeyPath_(std::move(runKeyPath)) {}

int32_t Preferences::ReadDwordSetting(const char* name) const {
    DWORD value = 0;
    CRegistry key(HKEY_CURRENT_USER, settingsKeyPath_);
    key.ReadDword(name, value);
    return static_cast<int32_t>(value);
}

void Preferences::WriteDwordSetting(const char* name, int32_t value) const {
    CRegistry key(HKEY_CURRENT_USER, settingsKeyPath_);
    if (key.IsOpen()) key.WriteDword(name, static_cast<DWORD>(value));
}

int32_t Preferences::ReadRunAtStartup() const { return ReadDwordSetting("RunAtStartup"); }
int32_t Preferences::ReadSelectAll() const { return ReadDwordSetting("Select All"); }
int32_t Preferences::ReadAutoBackup() const { return ReadDwordSetting("AutoBackup"); }
int32_t Preferences::ReadSectionState(SectionId id) const { return ReadDwordSetting(std::to_string(id).c_str()); }

std::string Preferences::DefaultLogFolder() { return ExecutableFolder() + "\\logs"; }

std::string Preferences::ReadLogFilePath() const {
    std::string folder;
    CRegistry key(HKEY_CURRENT_USER, settingsKeyPath_);
    if (!key.ReadString("LogFilePath", folder) || folder.empty()) return DefaultLogFolder();
    return folder;
}

void Preferences::WriteRunAtStartup(int32_t value) const {
    WriteDwordSetting("RunAtStartup", value);
    if (value) {
        SetStartupEntry(kStartupEntryName, StartupCommand(ExecutablePath()));
    } else {
        DeleteStartupEntry(kStartupEntryName);
    }
}

void Preferences::WriteSelectAll(int32_t value) const { WriteDwordSetting("Select All", value); }
void Preferences::WriteAutoBackup(int32_t value) const { WriteDwordSetting("AutoBackup", value); }

void Preferences::WriteSectionState(SectionId id, int32_t value) const {
    WriteDwordSetting(std::to_string(id).c_str(), value);
}

void Preferences::WriteLogFilePath(const std::string& folder) const {
    CRegistry key(HKEY_CURRENT_USER, settingsKeyPath_);
    if (key.IsOpen()) key.WriteString("LogFilePath", folder);
}

bool Preferences::IsFirstRun() const {
    const size_t slash = settingsKeyPath_.find_last_of('\\');
    const std::string parent = slash == std::string::npos ? std::string() : settingsKeyPath_.substr(0, slash);
    const std::string name = settingsKeyPath_.substr(slash == std::string::npos ? 0 : slash + 1);
    CRegistry key(HKEY_CURRENT_USER, parent);
    return !key.KeyExists(name);
}

void Preferences::ResetSettings() const {
    CRegistry key(HKEY_CURRENT_USER);
    if (!key.CreateKey(settingsKeyPath_, true)) return;
    key.WriteString("Version", kVersionText);
    // Every number from the first section to the last, the unused 12 too, as the settings always had.
    for (SectionId id = kStartupProgramsSection; id <= kShortcutsSection; ++id)
        key.WriteDword(std::to_string(id).c_str(), 1);
}

bool Preferences::SetStartupEntry(const std::string& name, const std::string& command) const {
    if (name.empty() || command.empty()) return false;
    CRegistry key(HKEY_CURRENT_USER, runKeyPath_);
    return key.IsOpen() && key.WriteString(name.c_str(), command);
}

bool Preferences::DeleteStartupEntry(const std::string& name) const {
    if (name.empty()) return false;
    CRegistry key(HKEY_CURRENT_USER, runKeyPath_);
    return key.IsOpen() && RegDeleteValueA(key.Key(), name.c_str()) == ERROR_SUCCESS;
}

PreferenceValues Preferences::ReadAll() const {
    return {ReadRunAtStartup() ? 1 : 0, ReadSelectAll() ? 1 : 0, ReadAutoBackup() ? 1 : 0, ReadLogFilePath()};
}

bool Preferences::Save(const PreferenceValues& values) const {
    if (values.logFilePath.empty()) return false;
    WriteRunAtStartup(values.runAtStartup);
    WriteSelectAll(values.selectAll);
    WriteAutoBackup(values.autoBackup);
    if (GetFileAttributesA(values.logFilePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        CreateDirectoryA(values.logFilePath.c_str(), nullptr);
    }
    WriteLogFilePath(values.logFilePath);
    return true;
}

std::string StartupCommand(const std::string& executablePath) {
    if (executablePath.empty() || executablePath.size() + 2 > 259) return {};
    return "\"" + executablePath + "\"";
}
