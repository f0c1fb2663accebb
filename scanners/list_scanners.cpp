#include "scanners/list_scanners.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "base/text_format.h"
#include "base/unique_handles.h"
#include "engine/section_table.h"
#include "registry/file_reference.h"
#include "registry/reference_text.h"
#include "registry/view_keys.h"
#include "scanners/list_paths.h"
#include "scanners/scan_key.h"

namespace {

std::string Unquoted(const std::string& text) {
    char buffer[kValueDataCapacity] = {};
    std::memcpy(buffer, text.c_str(), std::min<size_t>(text.size(), sizeof(buffer) - 1));
    PathUnquoteSpacesA(buffer);
    return buffer;
}

void ReportMissing(ScanEngine& engine, SectionId section, RootKeyValue root, const std::string& keyPath,
                   const std::string& valueName, const std::string& valueData, RemovalScope scope,
                   const std::string& judgedPath) {
    ReportRegistryProblem(engine,
                          {section, root, keyPath, valueName, valueData, scope, MissingFileDescription(judgedPath)});
}
}  // namespace

bool ScanFonts(ScanEngine& engine) {
    const ScanKey list = OpenStartingKey(engine, kFontsSection, HKEY_LOCAL_MACHINE, kFontsKey);
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
                ReportMissing(engine, kFontsSection, kLocalMachine, kFontsKey, name, data, RemovalScope::Value,
                              inFontsFolder);
            }
        }
        engine.ItemExamined(Format("HKEY_LOCAL_MACHINE\\%s\\%s\\%s", kFontsKey, name.c_str(), data.c_str()));
    }
    return engine.Running();
}

bool ScanSounds(ScanEngine& engine) {
    const ScanKey list = OpenStartingKey(engine, kSoundsSection, HKEY_CURRENT_USER, kSoundsKey);
    if (!list.IsOpen()) return engine.Running();
    const DWORD count = list.ValueCount();
    ValueNameReader names;
    std::string name, data;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        data.clear();
        if (names.Read(list.Get(), index, name) && ReadValueText(list.Get(), name.c_str(), kValueDataCapacity, data)) {
            const std::string path = Unquoted(data);
            if (!PathExists(path) && path != "," && !IsSoundSwitch(data)) {
                ReportMissing(engine, kSoundsSection, kCurrentUser, kSoundsKey, name, data, RemovalScope::Value, path);
            }
        }
        engine.ItemExamined(Joined({"HKEY_CURRENT_USER\\", kSoundsKey, "\\", data}));
    }
    return engine.Running();
}

namespace {
// The list's key in each view where it exists; one whose key refuses full access is told as
// unreadable for the section.
template <typename ScanList>
bool ScanBothViews(ScanEngine& engine, SectionId section, const char* listKey, ScanList scanList) {
    for (const ViewKey& view : KeyInBothViews(HKEY_LOCAL_MACHINE, listKey)) {
        const ScanKey list = OpenStartingKey(engine, section, HKEY_LOCAL_MACHINE, view.path);
        if (list.IsOpen()) scanList(list, view);
        if (!engine.Running()) break;
    }
    return engine.Running();
}
}  // namespace

bool ScanHelpFiles(ScanEngine& engine) {
    return ScanBothViews(engine, kHelpFilesSection, kHelpFilesKey, [&](const ScanKey& list, const ViewKey& view) {
        const DWORD count = list.ValueCount();
        ValueNameReader names;
        std::string name, data;
        for (DWORD index = 0; index < count && engine.Running(); ++index) {
            if (!names.Read(list.Get(), index, name)) continue;
            if (ReadValueText(list.Get(), name.c_str(), kValueDataCapacity, data)) {
                const std::string path = HelpFilePath(data, name);
                if (path.size() <= kMaxReferenceLength && !PathExistsInView(path, view.view)) {
                    ReportMissing(engine, kHelpFilesSection, kLocalMachine, view.path, name, data, RemovalScope::Value,
                                  path);
                }
            }
            engine.ItemExamined(Joined({"HKEY_LOCAL_MACHINE\\", view.path, "\\", name}));
        }
    });
}

bool ScanSharedFiles(ScanEngine& engine) {
    return ScanBothViews(engine, kSharedFilesSection, kSharedFilesKey, [&](const ScanKey& list, const ViewKey& view) {
        const DWORD count = list.ValueCount();
        ValueNameReader names;
        std::string name;
        for (DWORD index = 0; index < count && engine.Running(); ++index) {
            if (!names.Read(list.Get(), index, name)) {
                name.clear();
            } else if (name.size() <= kMaxReferenceLength && !PathExistsInView(name, view.view)) {
                ReportMissing(engine, kSharedFilesSection, kLocalMachine, view.path, name, std::string(),
                              RemovalScope::Value, name);
            }
            engine.ItemExamined(Joined({"HKEY_LOCAL_MACHINE\\", view.path, "\\", name}));
        }
    });
}

bool ScanApplicationPaths(ScanEngine& engine) {
    return ScanBothViews(
        engine, kApplicationPathsSection, kApplicationPathsKey, [&](const ScanKey& list, const ViewKey& view) {
            const DWORD count = list.SubKeyCount();
            std::string name;
            for (DWORD index = 0; index < count && engine.Running(); ++index) {
                if (!list.SubKeyName(index, name)) continue;
                const std::string keyPath = view.path + "\\" + name;
                UniqueHkey subKey;
                std::string data;
                if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_ALL_ACCESS, subKey.put()) ==
                        ERROR_SUCCESS &&
                    ReadValueText(subKey.get(), "", kDefaultValueCapacity, data)) {
                    std::string path = data;
                    // An expansion beyond the buffers cannot be judged.
                    if (ExpandEnvironmentInPlace(path, view.view)) {
                        path = Unquoted(path);
                        if (!PathExistsInView(path, view.view)) {
                            ReportMissing(engine, kApplicationPathsSection, kLocalMachine, keyPath, std::string(), data,
                                          RemovalScope::Key, path);
                        }
                    }
                    engine.ShowItem("HKEY_LOCAL_MACHINE\\" + keyPath);
                }
                subKey.reset();
                engine.Pump();
                engine.Pause(0);
                engine.Pump();
            }
        });
}
