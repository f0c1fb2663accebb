#pragma once
// Shortcut files and folder links for the shortcut scan tests.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "base/runtime_function.h"
#include "base/unique_handles.h"

// A shortcut saved by the shell's link object; the target need not exist.
inline bool MakeShortcut(const std::string& linkPath, const std::string& target) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void())))
        return false;
    link->SetPath(target.c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;
    wchar_t widePath[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH);
    return SUCCEEDED(file->Save(widePath, TRUE));
}

// A shortcut written byte by byte whose location block holds only a local base path, which need
// not look like a path at all: links to shell objects carry such targets.
inline void WriteShortcutWithBasePath(const std::string& linkPath, const std::string& basePath) {
    std::string bytes;
    auto put32 = [&](uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
    };
    put32(0x4C);
    bytes.append("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);  // the shell link class
    put32(0x02);                                                                           // has a location block
    bytes.append(4 + 3 * 8 + 4 + 4, '\0');  // attributes, three times, size, icon
    put32(1);                               // show normal
    bytes.resize(0x4C, '\0');               // hot key and reserved fields
    constexpr uint32_t kHeader = 0x1C, kVolume = 0x11;
    const uint32_t pathOffset = kHeader + kVolume;
    const uint32_t suffixOffset = pathOffset + static_cast<uint32_t>(basePath.size()) + 1;
    for (const uint32_t field : {suffixOffset + 1, kHeader, 1u /* volume and local base path */, kHeader, pathOffset,
                                 0u, suffixOffset, kVolume, static_cast<uint32_t>(DRIVE_FIXED), 0u, 0x10u}) {
        put32(field);
    }
    bytes += '\0';  // empty volume label
    bytes += basePath;
    bytes += '\0';
    bytes += '\0';  // empty path suffix
    put32(0);       // no extra data
    std::ofstream(linkPath, std::ios::binary) << bytes;
}

// Zeros after the link's data, which the shell ignores, until the file has the size.
inline void PadFile(const std::string& path, size_t size) {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out | std::ios::ate);
    const size_t current = static_cast<size_t>(file.tellp());
    if (size > current) file << std::string(size - current, '\0');
}

namespace shortcut_files_detail {
using UnixFileName = char*(CDECL*)(LPCWSTR);

// Wine's name of a path on the Unix side; null outside Wine.
inline UnixFileName WineUnixFileName() {
    return FindFunction<UnixFileName>(GetModuleHandleA("kernel32"), "wine_get_unix_file_name");
}

inline std::string UnixName(UnixFileName unixFileName, const std::string& path) {
    wchar_t widePath[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    const UniqueHeapBlock name(unixFileName(widePath));
    return name ? std::string(static_cast<const char*>(name.get())) : std::string();
}

// Starts a Unix program of the host (Wine starts those from "\\?\unix\" paths). Its process
// cannot be waited for: the callers watch for its effect with SettlesWithin.
inline bool StartUnixCommand(std::string command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    const UniqueKernelObject processHandle(process.hProcess), threadHandle(process.hThread);
    return true;
}

template <typename Condition>
bool SettlesWithin(DWORD milliseconds, Condition condition) {
    for (DWORD waited = 0; !condition(); waited += 10) {
        if (waited >= milliseconds) return false;
        Sleep(10);
    }
    return true;
}

inline bool IsReparsePoint(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}
}  // namespace shortcut_files_detail

// A folder link: a symbolic link on the Unix side under Wine (what the user folders are there), a
// directory symbolic link on Windows. True when the link is there and shows as a reparse point.
// Link only to folders the test owns: a removal that followed the link would empty its target.
inline bool MakeFolderLink(const std::string& linkPath, const std::string& target) {
    using namespace shortcut_files_detail;
    if (const UnixFileName unixFileName = WineUnixFileName()) {
        if (!StartUnixCommand("\\\\?\\unix\\bin\\ln -s " + UnixName(unixFileName, target) + " " +
                              UnixName(unixFileName, linkPath)))
            return false;
    } else {
        CreateSymbolicLinkA(linkPath.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
    }
    return SettlesWithin(5000, [&] { return IsReparsePoint(linkPath); });
}

// Removes a folder and everything below it without ever following a link: links go, their
// targets stay.
inline void RemoveTreeKeepingLinkTargets(const std::string& folder) {
    using namespace shortcut_files_detail;
    WIN32_FIND_DATAA entry;
    const UniqueFindHandle search(FindFirstFileA((folder + "\\*.*").c_str(), &entry));
    if (search) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
                const UnixFileName unixFileName = WineUnixFileName();
                if (unixFileName && StartUnixCommand("\\\\?\\unix\\bin\\rm " + UnixName(unixFileName, path))) {
                    SettlesWithin(5000, [&] { return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; });
                } else {
                    RemoveDirectoryA(path.c_str());
                }
            } else if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTreeKeepingLinkTargets(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search.get(), &entry));
    }
    RemoveDirectoryA(folder.c_str());
}
