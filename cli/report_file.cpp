#include "cli/report_file.h"

#include <windows.h>

#include "backup/file_bytes.h"
#include "base/system_error_text.h"

namespace {
// The full path, and a new empty file of a name of its own beside it.
struct AsideFile {
    std::string path;
    std::string aside;
    std::string error;
};

AsideFile MakeAsideFile(const std::string& path) {
    AsideFile file;
    char full[MAX_PATH] = {};
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
    if (length == 0 || length >= MAX_PATH || name == nullptr) {
        file.error = SystemErrorText(length == 0 ? GetLastError() : ERROR_INVALID_NAME);
        return file;
    }
    file.path = full;
    const DWORD attributes = GetFileAttributesA(full);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        file.error = "it is a folder";
        return file;
    }
    char aside[MAX_PATH] = {};
    if (GetTempFileNameA(std::string(full, name).c_str(), "tdx", 0, aside) == 0) {
        file.error = SystemErrorText(GetLastError());
        return file;
    }
    file.aside = aside;
    return file;
}
}  // namespace

std::string ReportPathProblem(const std::string& path) {
    const AsideFile file = MakeAsideFile(path);
    if (!file.error.empty()) return file.error;
    DeleteFileA(file.aside.c_str());
    // The name itself must take a file: opened as it is when one is there, made and removed when not.
    const bool existed = GetFileAttributesA(file.path.c_str()) != INVALID_FILE_ATTRIBUTES;
    const UniqueHandle target(CreateFileA(file.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          existed ? OPEN_EXISTING : CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target) return SystemErrorText(GetLastError());
    if (!existed) DeleteFileA(file.path.c_str());
    return {};
}

std::string WriteReportFile(const std::string& path, const std::string& text) {
    const AsideFile file = MakeAsideFile(path);
    if (!file.error.empty()) return file.error;
    if (std::string error = WriteFileBytes(file.aside, text, FileWriteMode::Replace); !error.empty()) return error;
    if (MoveFileExA(file.aside.c_str(), file.path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {};
    }
    const DWORD error = GetLastError();
    DeleteFileA(file.aside.c_str());
    return SystemErrorText(error);
}

std::string ReportNotWrittenLine(const std::string& path, const std::string& error) {
    return "tidrex: the report cannot be written to " + path + " (" + error + ")\n";
}
