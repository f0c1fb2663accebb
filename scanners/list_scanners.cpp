#include "scanners/list_scanners.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "base/text_format.h"
#include "registry/file_reference.h"
#include "registry/reference_text.h"
#include "base/unique_handles.h"
#include "scanners/list_paths.h"

namespace {
constexpr SectionId kFontsSection = 3;
constexpr SectionId kSoundsSection = 4;
constexpr SectionId kHelpFilesSection = 7;
constexpr SectionId kSharedFilesSection = 8;
constexpr SectionId kApplicationPathsSection = 9;

constexpr DWORD kValueNameCapacity = 16383;
constexpr DWORD kValueDataCapacity = 260;
constexpr DWORD kDefaultValueCapacity = 255;
constexpr DWORD kSubKeyNameCapacity = 255;

// One open list key with its entry count, read once: entries added or removed during the
// walk are not seen.
class ListKey {
public:
    ListKey(HKEY root, const char* path) {
        if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, key_.put()) != ERROR_SUCCESS) key_.reset();
    }
    bool IsOpen() const { return static_cast<bool>(key_); }
    HKEY Get() const { return key_.get(); }
    DWORD ValueCount() const {
        DWORD values = 0;
        if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return 0;
        return values;
    }
    DWORD SubKeyCount() const {
        DWORD subKeys = 0;
        if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return 0;
        return subKeys;
    }

private:
    UniqueHkey key_;
};

// Value names of one walk, read into one buffer of the name capacity.
class ValueNameReader {
public:
    ValueNameReader() : buffer_(kValueNameCapacity) {}
    bool Read(HKEY key, DWORD index, std::string& name) {
        DWORD length = kValueNameCapacity;
        if (RegEnumValueA(key, index, buffer_.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        name.assign(buffer_.data(), length);
        return true;
    }

private:
    std::vector<char> buffer_;
};

// The value's data as text (its type is not checked), ended at the reported length. Data that
// do not fit the buffer with their terminating zero are not read: false, text empty.
bool ReadValueText(HKEY key, const char* valueName, DWORD capacity, std::string& text) {
    text.clear();
    std::vector<char> buffer(capacity, '\0');
    DWORD length = capacity;
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &length) !=
        ERROR_SUCCESS)
        return false;
    const size_t end = strnlen(buffer.data(), std::min<size_t>(length, capacity));
    if (end >= capacity) return false;
    text.assign(buffer.data(), end);
    return true;
}

std::string Unquoted(const std::string& text) {
    char buffer[kValueDataCapacity] = {};
    std::memcpy(buffer, text.c_str(), std::min<size_t>(text.size(), sizeof(buffer) - 1));
    PathUnquoteSpacesA(buffer);
    return buffer;
}

void ReportMissing(ScanEngine& engine, SectionId section, RootKeyValue root, const std::string& keyPath,
                   const std::string& valueName, const std::string& valueData, bool removeValueOnly,
                   const std::string& judgedPath) {
    auto problem = std::make_unique<RegistryProblem>();
    problem->checked = 0;
    problem->sectionId = section;
    problem->rootKey = root;
    problem->keyPath = keyPath;
    problem->valueName = valueName;
    problem->valueData = valueData;
    problem->removeValueOnly = removeValueOnly ? 1 : 0;
    problem->description = MissingFileDescription(judgedPath);
    engine.Report(std::move(problem));
}
}  // namespace

bool ScanFonts(ScanEngine& engine, unsigned delayMs) {
    ListKey list(HKEY_LOCAL_MACHINE, kFontsKey);
    if (!list.IsOpen()) return engine.Running();
    const DWORD count = list.ValueCount();
    const std::string windowsFolder = WindowsFolder();
    ValueNameReader names;
    std::string name, data;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (!names.Read(list.Get(), index, name)) continue;
        if (ReadValueText(list.Get(), name.c_str(), kValueDataCapacity, data) && !PathExists(data)) {
            const std::string inFontsFolder = FontsFolderPath(windowsFolder, data);
            // A path beyond the buffers cannot be judged.
            if (inFontsFolder.size() <= kMaxReferenceLength && !PathExists(inFontsFolder)) {
                ReportMissing(engine, kFontsSection, kLocalMachine, kFontsKey, name, data, true, inFontsFolder);
            }
        }
        engine.ItemExamined(Format("HKEY_LOCAL_MACHINE\\%s\\%s\\%s", kFontsKey, name.c_str(), data.c_str()),
                            delayMs);
    }
    return engine.Running();
}

bool ScanSounds(ScanEngine& engine, unsigned delayMs) {
    ListKey list(HKEY_CURRENT_USER, kSoundsKey);
    if (!list.IsOpen()) return engine.Running();
    const DWORD count = list.ValueCount();
    ValueNameReader names;
    std::string name, data;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        data.clear();
        if (names.Read(list.Get(), index, name) &&
            ReadValueText(list.Get(), name.c_str(), kValueDataCapacity, data)) {
            const std::string path = Unquoted(data);
            if (!PathExists(path) && path != "," && !IsSoundSwitch(data)) {
                ReportMissing(engine, kSoundsSection, kCurrentUser, kSoundsKey, name, data, true, path);
            }
        }
        engine.ItemExamined(Joined({"HKEY_CURRENT_USER\\", kSoundsKey, "\\", data}), delayMs);
    }
    return engine.Running();
}

bool ScanHelpFiles(ScanEngine& engine, unsigned delayMs) {
    ListKey list(HKEY_LOCAL_MACHINE, kHelpFilesKey);
    if (!list.IsOpen()) return engine.Running();
    const DWORD count = list.ValueCount();
    ValueNameReader names;
    std::string name, data;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (!names.Read(list.Get(), index, name)) continue;
        if (ReadValueText(list.Get(), name.c_str(), kValueDataCapacity, data)) {
            const std::string path = HelpFilePath(data, name);
            if (path.size() <= kMaxReferenceLength && !PathExists(path)) {
                ReportMissing(engine, kHelpFilesSection, kLocalMachine, kHelpFilesKey, name, data, true, path);
            }
        }
        engine.ItemExamined(Joined({"HKEY_LOCAL_MACHINE\\", kHelpFilesKey, "\\", name}), delayMs);
    }
    return engine.Running();
}

bool ScanSharedFiles(ScanEngine& engine, unsigned delayMs) {
    ListKey list(HKEY_LOCAL_MACHINE, kSharedFilesKey);
    if (!list.IsOpen()) return engine.Running();
    const DWORD count = list.ValueCount();
    ValueNameReader names;
    std::string name;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (!names.Read(list.Get(), index, name)) {
            name.clear();
        } else if (name.size() <= kMaxReferenceLength && !PathExists(name)) {
            ReportMissing(engine, kSharedFilesSection, kLocalMachine, kSharedFilesKey, name, std::string(), true,
                          name);
        }
        engine.ItemExamined(Joined({"HKEY_LOCAL_MACHINE\\", kSharedFilesKey, "\\", name}), delayMs);
    }
    return engine.Running();
}

bool ScanApplicationPaths(ScanEngine& engine, unsigned delayMs) {
    ListKey list(HKEY_LOCAL_MACHINE, kApplicationPathsKey);
    if (!list.IsOpen()) return engine.Running();
    const DWORD count = list.SubKeyCount();
    char nameBuffer[kSubKeyNameCapacity];
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        DWORD nameLength = kSubKeyNameCapacity;
        if (RegEnumKeyExA(list.Get(), index, nameBuffer, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            continue;
        const std::string keyPath = std::string(kApplicationPathsKey) + "\\" + std::string(nameBuffer, nameLength);
        UniqueHkey subKey;
        std::string data;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_ALL_ACCESS, subKey.put()) == ERROR_SUCCESS &&
            ReadValueText(subKey.get(), "", kDefaultValueCapacity, data)) {
            std::string path = data;
            // An expansion beyond the buffers cannot be judged.
            if (ExpandEnvironmentInPlace(path)) {
                path = Unquoted(path);
                if (!PathExists(path)) {
                    ReportMissing(engine, kApplicationPathsSection, kLocalMachine, keyPath, std::string(), data,
                                  false, path);
                }
            }
            engine.ShowItem("HKEY_LOCAL_MACHINE\\" + keyPath);
        }
        subKey.reset();
        engine.Pump();
        engine.Pause(delayMs);
        engine.Pump();
    }
    return engine.Running();
}
