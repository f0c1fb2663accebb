#include "cli/report_file.h"

#include <windows.h>

#include <algorithm>

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
    const std::string name = file.path.substr(file.path.find_last_of('\\') + 1);
    const bool nameless = name.find_first_of("<>:\"/|?*") != std::string::npos ||
                          std::any_of(name.begin(), name.end(), [](char c) { return c > 0 && c < ' '; });
    if (nameless) return SystemErrorText(ERROR_INVALID_NAME);
    const DWORD attributes = GetFileAttributesA(file.path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    // A report there is replaced: it must open for writing (opening changes nothing of it). Windows
    // refuses to replace a read-only file, which Wine run by root would not.
    if (attributes & FILE_ATTRIBUTE_READONLY) return SystemErrorText(ERROR_ACCESS_DENIED);
    const UniqueHandle target(CreateFileA(file.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return target ? std::string() : SystemErrorText(GetLastError());
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
