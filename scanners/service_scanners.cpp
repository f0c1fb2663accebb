#include "scanners/service_scanners.h"

#include <cstring>
#include <optional>

#include "engine/section_table.h"
#include "registry/file_reference.h"
#include "registry/registry_lookup.h"
#include "registry/view_keys.h"
#include "scanners/list_paths.h"
#include "scanners/scan_key.h"
#include "scanners/service_paths.h"

namespace {
struct DriverList {
    SectionId section;
    const char* key;
    const char* valueName;
    bool replaceSystemRoot;
};

// The pause after every index that was not skipped outright.
void Pause(ScanEngine& engine) {
    engine.Pause(0);
    engine.Pump();
}

bool ScanDriverList(ScanEngine& engine, const DriverList& list) {
    const ScanKey listKey = OpenStartingKey(engine, list.section, HKEY_LOCAL_MACHINE, list.key);
    if (!listKey.IsOpen()) return engine.Running();
    const DWORD count = listKey.SubKeyCount();
    const std::string windowsFolder = WindowsFolder();
    std::string name;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (!listKey.SubKeyName(index, name)) continue;
        const std::string keyPath = std::string(list.key) + "\\" + name;
        std::string stored = ReadRegString(HKEY_LOCAL_MACHINE, keyPath, list.valueName);
        if (!stored.empty()) {
            ExpandEnvironmentInPlace(stored);
            const std::optional<std::string> path = DriverFilePath(stored, windowsFolder, list.replaceSystemRoot);
            // Without a dot or a blank it names nothing to judge: the entry is passed over whole.
            if (!path) continue;
            if (!FileReferenceExists(*path, RegistryView::Bits64)) {
                ReportRegistryProblem(engine, {list.section, kLocalMachine, keyPath, list.valueName, *path,
                                               RemovalScope::Key, MissingFileDescription(*path)});
            }
            engine.ShowItem("HKEY_LOCAL_MACHINE\\" + keyPath);
            engine.Pump();
        }
        Pause(engine);
    }
    return engine.Running();
}

// "SystemComponent" = 1 hides an entry from the installed-programs list: a part of another
// program, never reported. Read as raw bytes; its first 32-bit word decides.
bool IsSystemComponent(HKEY entry) {
    unsigned char buffer[kValueDataCapacity] = {};
    DWORD length = sizeof(buffer);
    if (RegQueryValueExA(entry, "SystemComponent", nullptr, nullptr, buffer, &length) != ERROR_SUCCESS) return false;
    DWORD firstWord = 0;
    std::memcpy(&firstWord, buffer, sizeof(firstWord));
    return firstWord == 1;
}

void ScanUninstallList(ScanEngine& engine, const ScanKey& listKey, const ViewKey& view) {
    const DWORD count = listKey.SubKeyCount();
    std::string name, stored;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (!listKey.SubKeyName(index, name)) continue;
        const std::string keyPath = view.path + "\\" + name;
        const ScanKey entry(HKEY_LOCAL_MACHINE, keyPath);
        if (entry.IsOpen()) {
            if (IsSystemComponent(entry.Get())) continue;
            if (ReadValueText(entry.Get(), "UninstallString", kValueDataCapacity, stored)) {
                if (stored.empty()) continue;
                std::string expanded = stored;
                // An expansion beyond the buffers cannot be judged.
                if (ExpandEnvironmentInPlace(expanded, view.view) && !FileReferenceExists(expanded, view.view)) {
                    ReportRegistryProblem(engine, {kUninstallSection, kLocalMachine, keyPath, "UninstallString", stored,
                                                   RemovalScope::Key, MissingFileDescription(expanded)});
                }
                engine.ShowItem("HKEY_LOCAL_MACHINE\\" + keyPath);
                engine.Pump();
            }
        }
        Pause(engine);
    }
}
}  // namespace

bool ScanServices(ScanEngine& engine) {
    return ScanDriverList(engine, {kServicesSection, kServicesKey, "ImagePath", true});
}

bool ScanStaticDrivers(ScanEngine& engine) {
    return ScanDriverList(engine, {kStaticDriversSection, kStaticDriversKey, "StaticVXD", false});
}

bool ScanUninstallEntries(ScanEngine& engine) {
    for (const ViewKey& view : KeyInBothViews(HKEY_LOCAL_MACHINE, kUninstallKey)) {
        const ScanKey listKey = OpenStartingKey(engine, kUninstallSection, HKEY_LOCAL_MACHINE, view.path);
        if (listKey.IsOpen()) ScanUninstallList(engine, listKey, view);
        if (!engine.Running()) break;
    }
    return engine.Running();
}
