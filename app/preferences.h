#pragma once
// The user's settings as values of one key of the current user. Nothing is cached: every
// read opens the key, reads and closes it; every write likewise.
#include <cstdint>
#include <string>

#include "engine/problem_record.h"

inline constexpr const char* kSettingsKeyPath = "Software\\TidrexVelora";
inline constexpr const char* kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kStartupEntryName = "TidrexVelora";
inline constexpr const char* kVersionText = "v7.0";

inline constexpr const char* kPreferencesSavedText = "Preferences Saved";
inline constexpr const char* kEmptyLogPathText = "Log File Path Cannot be Empty";
inline constexpr const char* kSectionsSavedText = "Section Information Saved";

// The four settings of the advanced page.
struct PreferenceValues {
    int32_t runAtStartup = 0;
    int32_t selectAll = 0;
    int32_t autoBackup = 0;
    std::string logFilePath;
};

class Preferences {
public:
    // Both keys live under HKEY_CURRENT_USER; tests give keys of their own.
    explicit Preferences(std::string settingsKeyPath = kSettingsKeyPath, std::string runKeyPath = kRunKeyPath);

    int32_t ReadRunAtStartup() const;
    int32_t ReadSelectAll() const;
    int32_t ReadAutoBackup() const;
    std::string ReadLogFilePath() const;  // the default folder when missing or empty
    int32_t ReadSectionState(SectionId id) const;

    // Also sets the start-up entry to the quoted executable path, or deletes it.
    void WriteRunAtStartup(int32_t value) const;
    void WriteSelectAll(int32_t value) const;
    void WriteAutoBackup(int32_t value) const;
    void WriteLogFilePath(const std::string& folder) const;
    void WriteSectionState(SectionId id, int32_t value) const;

    // True when the settings key cannot be opened: the program has never run for this user.
    bool IsFirstRun() const;
    // Creates the key with the version and every section value (ids 1 to 14) set to 1.
    void ResetSettings() const;

    bool SetStartupEntry(const std::string& name, const std::string& command) const;
    bool DeleteStartupEntry(const std::string& name) const;

    PreferenceValues ReadAll() const;
    // "Save Preferences": nothing is saved and false returned when the log folder is empty
    // (the caller shows kEmptyLogPathText); otherwise the caller shows kPreferencesSavedText.
    bool Save(const PreferenceValues& values) const;

    static std::string DefaultLogFolder();
    const std::string& SettingsKeyPath() const { return settingsKeyPath_; }

private:
    int32_t ReadDwordSetting(const char* name) const;
    void WriteDwordSetting(const char* name, int32_t value) const;

    std::string settingsKeyPath_;
    std::string runKeyPath_;
};

// The start-up command: the executable path in double quotes; empty when that does not fit
// the 259 characters the entry has room for (a cut path would start nothing, or the wrong file).
std::string StartupCommand(const std::string& executablePath);
