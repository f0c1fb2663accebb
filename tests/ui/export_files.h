#pragma once
// Key exports the tool dialogs' tests make and read back: the registry editor's own export
// into a temporary backup folder, the files it left, and their import.
#include <windows.h>

#include <string>
#include <vector>

#include "base/unique_handles.h"

// An empty folder of its own below the temporary folder (archives and key exports removed).
inline std::string FreshFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + name;
    WIN32_FIND_DATAA found{};
    for (const char* files : {"\\*.zip", "\\*.reg", "\\BHOBackup\\*.reg", "\\AddRemoveBackup\\*.reg"}) {
        const std::string pattern = folder + files;
        const std::string sub = pattern.substr(0, pattern.rfind('\\'));
        UniqueFindHandle find(FindFirstFileA(pattern.c_str(), &found));
        for (bool more = static_cast<bool>(find); more; more = FindNextFileA(find.get(), &found)) {
            DeleteFileA((sub + "\\" + found.cFileName).c_str());
        }
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// The ".reg" files of the folder, by name.
inline std::vector<std::string> RegFiles(const std::string& folder) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found{};
    UniqueFindHandle find(FindFirstFileA((folder + "\\*.reg").c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileA(find.get(), &found)) {
        files.push_back(folder + "\\" + found.cFileName);
    }
    return files;
}

// The registry editor imports the file silently; its exit status.
inline DWORD ImportWithRegistryEditor(const std::string& file) {
    std::string command = "regedit.exe /s \"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return static_cast<DWORD>(-1);
    }
    const UniqueKernelObject processHandle(process.hProcess), threadHandle(process.hThread);
    DWORD status = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &status);
    return status;
}
