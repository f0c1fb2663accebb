#pragma once
// What the scan operations share: a key opened with full access whose entry counts are read
// once, sub-key names read into the scans' 255-character buffer, value names read into one
// buffer of the registry's longest name, the opening of a scan's starting key, and the filing
// of a registry problem.
#include <windows.h>

#include <string>
#include <vector>

#include "base/unique_handles.h"
#include "engine/scan_engine.h"

// The scans' buffers: a sub-key name, the registry's longest value name, a value's data, and a
// key's default value.
constexpr DWORD kSubKeyNameCapacity = 255;
constexpr DWORD kValueNameCapacity = 16383;
constexpr DWORD kValueDataCapacity = 260;
constexpr DWORD kDefaultValueCapacity = 255;

class ScanKey {
public:
    // Opens with full access: the scans only examine what they could remove.
    ScanKey(HKEY root, const std::string& path);

    bool IsOpen() const { return static_cast<bool>(key_); }
    HKEY Get() const { return key_.get(); }
    // The Windows error of the open (ERROR_SUCCESS when open).
    LONG OpenResult() const { return openResult_; }
    // Counts are read once: entries added or removed during a walk are not seen. 0 on failure.
    DWORD ValueCount() const;
    DWORD SubKeyCount() const;
    // The sub-key name at the index; false when it cannot be read into 255 characters.
    bool SubKeyName(DWORD index, std::string& name) const;

private:
    UniqueHkey key_;
    LONG openResult_;
};

// Value names of one walk, read into one buffer of the name capacity.
class ValueNameReader {
public:
    ValueNameReader() : buffer_(kValueNameCapacity) {}
    bool Read(HKEY key, DWORD index, std::string& name);

private:
    std::vector<char> buffer_;
};

// Opens a scan operation's starting key. One that exists but refuses full access is told to
// the engine as unreadable for the section, so that a scan without rights never reads as clean.
ScanKey OpenStartingKey(ScanEngine& engine, SectionId section, HKEY root, const std::string& path);

// The fields of a registry problem, filed unchecked.
struct RegistryFinding {
    SectionId section;
    RootKeyValue root;
    std::string keyPath;
    std::string valueName;
    std::string valueData;
    RemovalScope scope;
    std::string description;
};
void ReportRegistryProblem(ScanEngine& engine, RegistryFinding finding);

// The value's data as text (its type is not checked), ended at the reported length or its first
// zero. Data that do not fit the buffer of capacity bytes with a terminating zero are not read:
// false, text empty, so that nothing is judged on a text that was cut.
bool ReadValueText(HKEY key, const char* valueName, DWORD capacity, std::string& text);

// The key's default value as a string of any length, an expandable one as stored; empty when it
// cannot be read as one.
std::string ReadCommandText(HKEY key);
