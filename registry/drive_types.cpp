#include "registry/drive_types.h"

#include <windows.h>

#include "base/runtime_function.h"

namespace {
thread_local DriveTypeMemo* t_memo = nullptr;

int LetterIndex(char letter) {
    if (letter >= 'a' && letter <= 'z') return letter - 'a';
    if (letter >= 'A' && letter <= 'Z') return letter - 'A';
    return -1;
}
}  // namespace

DriveTypeMemo::DriveTypeMemo() : outer_(t_memo) {
    types_.fill(kNotRead);
    t_memo = this;
}

DriveTypeMemo::~DriveTypeMemo() { t_memo = outer_; }

unsigned DriveTypeMemo::TypeOf(char driveLetter) {
    const int index = LetterIndex(driveLetter);
    const char root[] = {driveLetter, ':', '\\', '\0'};
    if (index < 0) return GetDriveTypeA(root);
    unsigned& type = types_[static_cast<size_t>(index)];
    if (type == kNotRead) type = GetDriveTypeA(root);
    return type;
}

unsigned DriveTypeOfRoot(const std::string& root) {
    // Only a plain "X:\" root is remembered; anything else is asked as it is.
    if (t_memo != nullptr && root.size() == 3 && root[1] == ':' && root[2] == '\\') return t_memo->TypeOf(root[0]);
    return GetDriveTypeA(root.c_str());
}

std::string UnixRootDriveLetters() {
    using UnixNameFunction = char*(CDECL*)(const wchar_t*);
    // Only Wine's ntdll has wine_get_version; Windows has no Unix file system to protect.
    if (!FindFunction<FARPROC>(GetModuleHandleA("ntdll"), "wine_get_version")) return std::string();
    const auto unixName = FindFunction<UnixNameFunction>(GetModuleHandleA("kernel32"), "wine_get_unix_file_name");
    if (!unixName) return std::string();
    std::string letters;
    const DWORD drives = GetLogicalDrives();
    for (int index = 0; index < 26; ++index) {
        if ((drives & (1u << index)) == 0) continue;
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + index), L':', L'\\', L'\0'};
        char* name = unixName(root);
        if (!name) continue;
        const std::string path = name;
        HeapFree(GetProcessHeap(), 0, name);
        if (path.find_first_not_of("/.") == std::string::npos) letters += static_cast<char>('A' + index);
    }
    return letters;
}
