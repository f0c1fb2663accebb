#include "cli/report_file.h"

#include <windows.h>

#include <algorithm>

#include "backup/file_bytes.h"
#include "base/system_error_text.h"

namespace {
// The full path; or why it cannot name a report file.
struct FullPath {
    std::string path;
    size_t nameStart = 0;
    std::string error;
};

FullPath FullReportPath(const std::string& path) {
    FullPath result;
    char full[MAX_PATH] = {};
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
    if (length == 0 || length >= MAX_PATH || name == nullptr) {
        result.error = SystemErrorText(length == 0 ? GetLastError() : ERROR_INVALID_NAME);
        return result;
    }
    const DWORD attributes = GetFileAttributesA(full);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        result.error = "it is a folder";
        return result;
    }
    result.path = full;
    result.nameStart = static_cast<size_t>(name - full);
    return result;
}
}  // namespace

std::string ReportPathProblem(const std::string& path) {
    const FullPath file = FullReportPath(path);
    if (!file.error.empty()) return file.error;
    // The report is written beside its place first: a file of a name of its own must be possible there.
    char aside[MAX_PATH] = {};
    if (GetTempFileNameA(file.path.substr(0, file.nameStart).c_str(), "tdx", 0, aside) == 0) {
        return SystemErrorText(GetLastError());
    }
    DeleteFileA(aside);
    const std::string name = file.path.substr(file.nameStart);
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
    const FullPath file = FullReportPath(path);
    if (!file.error.empty()) return file.error;
    return PlaceFile(file.path, text, FileWriteMode::Replace);
}

std::string ReportNotWrittenLine(const std::string& path, const std::string& error) {
    return "tidrex: the report cannot be written to " + path + " (" + error + ")\n";
}
