#include "app/executable_folder.h"

#include <windows.h>

std::string ExecutablePath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(path, length);
}

std::string ExecutableFolder() {
    const std::string path = ExecutablePath();
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string DefaultBackupFolder() { return ExecutableFolder() + "\\Backup"; }
