#include "ui/registry_editor_export.h"

#include "base/text_format.h"
#include "base/unique_handles.h"
#include "registry/registry_key.h"

namespace {
constexpr DWORD kEditorWait = 120000;

// Creates the first free file name of this second, so no other export can take it.
std::string ReserveExportFile(const std::string& folder) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::string stem =
        Format("%s\\%d,%d,%d_%d,%d,%d", folder.c_str(), now.wMonth, now.wDay, now.wYear, now.wHour, now.wMinute,
               now.wSecond);
    for (int copy = 1; copy < 1000; ++copy) {
        const std::string path = copy == 1 ? stem + ".reg" : Format("%s (%d).reg", stem.c_str(), copy);
        const UniqueHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return path;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}

bool RunEditor(std::string commandLine, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return false;
    }
    const UniqueKernelObject processHandle(process.hProcess);
    const UniqueKernelObject threadHandle(process.hThread);
    DWORD status = 1;
    return WaitForSingleObject(process.hProcess, kEditorWait) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process.hProcess, &status) && status == 0;
}

bool FileHasData(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
           (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
}
}  // namespace

KeyExporter RegistryEditorExporter(const std::string& backupFolder) {
    return [backupFolder](HKEY root, const std::string& keyPath, const std::string& subFolder,
                          std::string* writtenFile) {
        const std::string rootName = RootKeyName(root);
        if (rootName.empty() || keyPath.empty()) return false;
        CreateDirectoryA(backupFolder.c_str(), nullptr);
        const std::string folder = backupFolder + "\\" + subFolder;
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string file = ReserveExportFile(folder);
        if (file.empty()) return false;
        const bool exported =
            RunEditor(Format("regedit.exe /e \"%s\" \"%s\\%s\" ", file.c_str(), rootName.c_str(), keyPath.c_str()),
                      folder) &&
            FileHasData(file);
        if (!exported) {
            DeleteFileA(file.c_str());
            return false;
        }
        if (writtenFile) *writtenFile = file;
        return true;
    };
}
