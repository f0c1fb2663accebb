#include "scanners/registry_walk.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "base/ascii_case.h"
#include "base/unique_handles.h"
#include "engine/section_table.h"
#include "registry/file_reference.h"
#include "registry/view_keys.h"
#include "scanners/list_paths.h"
#include "scanners/registry_walk_text.h"
#include "scanners/scan_key.h"

namespace {

// The walk keeps its open keys on a stack of its own, so no depth of the registry can exhaust
// the thread's stack; one set of buffers serves every level.
class FullRegistryWalk {
public:
    explicit FullRegistryWalk(ScanEngine& engine) : engine_(engine), valueName_(kValueNameCapacity) {}

    bool Run(HKEY key, const std::string& walkPath);

private:
    struct Level {
        UniqueHkey owned;  // empty for the key the walk was given
        HKEY key;
        size_t pathLength;  // the walk path of this level is path_ cut to this length
        RegistryView view;  // 32-bit from a "Wow6432Node" key down
        DWORD subKeyCount = 0;
        DWORD valueCount = 0;
        DWORD nextSubKey = 0;
        DWORD nextValue = 0;
    };

    void EnterLevel(UniqueHkey owned, HKEY key, RegistryView view);
    void LeaveLevel();
    // Examines the next sub-key or value of the top level; false when that level is done.
    bool Step();
    void EnterSubKey(DWORD index);
    void ExamineValue(DWORD index);
    void Report(const std::string& valueName, const std::string& data, const std::string& derivedPath);

    ScanEngine& engine_;
    std::string path_;
    std::vector<Level> levels_;
    std::vector<char> valueName_;
    char subKeyName_[kSubKeyNameCapacity];
    BYTE data_[kValueDataCapacity];
};

bool FullRegistryWalk::Run(HKEY key, const std::string& walkPath) {
    if (!engine_.Running()) return false;
    path_ = walkPath;
    EnterLevel(UniqueHkey(), key, ViewOfKeyPath(walkPath));
    while (!levels_.empty()) {
        try {
            if (!Step()) LeaveLevel();
        } catch (...) {
            // The level that faulted ends; its parent goes on with its next sub-key.
            LeaveLevel();
            engine_.ShowFault(kWalkFaultText);
        }
    }
    return engine_.Running();
}

void FullRegistryWalk::EnterLevel(UniqueHkey owned, HKEY key, RegistryView view) {
    Level level{std::move(owned), key, path_.size(), view};
    // Counted once: keys and values added or removed during the walk are not seen.
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &level.subKeyCount, nullptr, nullptr, &level.valueCount,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        level.subKeyCount = level.valueCount = 0;
    }
    levels_.push_back(std::move(level));
}

void FullRegistryWalk::LeaveLevel() {
    levels_.pop_back();
    if (!levels_.empty()) path_.resize(levels_.back().pathLength);
}

bool FullRegistryWalk::Step() {
    if (!engine_.Running()) return false;
    Level& level = levels_.back();
    if (level.nextSubKey < level.subKeyCount) {
        EnterSubKey(level.nextSubKey++);
        return true;
    }
    if (level.nextValue < level.valueCount) {
        ExamineValue(level.nextValue++);
        return true;
    }
    return false;
}

void FullRegistryWalk::EnterSubKey(DWORD index) {
    const HKEY parent = levels_.back().key;
    DWORD nameLength = kSubKeyNameCapacity;
    if (RegEnumKeyExA(parent, index, subKeyName_, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    const std::string name(subKeyName_, nameLength);
    if (IsClassesKeyName(name)) return;
    // The 32-bit view links to the keys it shares with the 64-bit one, which the walk reads there.
    if (levels_.back().view == RegistryView::Bits32 && IsRegistryLink(parent, name)) return;
    UniqueHkey subKey;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, subKey.put()) != ERROR_SUCCESS) return;
    const HKEY handle = subKey.get();
    const RegistryView view = EqualsIgnoringAsciiCase(name, "Wow6432Node") ? RegistryView::Bits32 : levels_.back().view;
    path_ += '\\';
    path_ += name;
    EnterLevel(std::move(subKey), handle, view);
}

void FullRegistryWalk::ExamineValue(DWORD index) {
    DWORD nameLength = kValueNameCapacity;
    DWORD type = 0;
    DWORD dataLength = kValueDataCapacity;
    // Name, type and data in one call; data longer than the buffer fail the call and are not examined.
    if (RegEnumValueA(levels_.back().key, index, valueName_.data(), &nameLength, nullptr, &type, data_, &dataLength) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return;
    const std::string name(valueName_.data(), nameLength);
    const char* text = reinterpret_cast<const char*>(data_);
    const std::string data(text, strnlen(text, std::min(dataLength, kValueDataCapacity)));
    if (std::optional<std::string> path = DrivePathCandidate(data)) {
        // An expansion beyond the buffers cannot be judged.
        const RegistryView view = levels_.back().view;
        if (ExpandEnvironmentInPlace(*path, view)) {
            CutDerivedPath(*path);
            if (!FileOrFolderExists(*path, view)) Report(name, data, *path);
        }
    }
    engine_.ShowItem(path_ + "\\" + name);
    engine_.Pump();
}

void FullRegistryWalk::Report(const std::string& valueName, const std::string& data, const std::string& derivedPath) {
    WalkPathParts parts = SplitWalkPath(path_);
    ReportRegistryProblem(engine_, {kFullRegistrySection, parts.root, std::move(parts.keyPath), valueName, data,
                                    RemovalScope::Value, MissingFileDescription(derivedPath)});
}
}  // namespace

bool WalkRegistryKey(ScanEngine& engine, HKEY key, const std::string& walkPath) {
    return FullRegistryWalk(engine).Run(key, walkPath);
}

bool WalkLocalMachine(ScanEngine& engine) { return WalkRegistryKey(engine, HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"); }
bool WalkCurrentUser(ScanEngine& engine) { return WalkRegistryKey(engine, HKEY_CURRENT_USER, "HKEY_CURRENT_USER"); }
bool WalkUsers(ScanEngine& engine) { return WalkRegistryKey(engine, HKEY_USERS, "HKEY_USERS"); }
