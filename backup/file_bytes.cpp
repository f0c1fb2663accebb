#include "backup/file_bytes.h"

#include <windows.h>

#include <algorithm>

#include "base/system_error_text.h"
#include "base/text_format.h"
#include "base/unique_handles.h"

FileRead ReadFileBytes(const std::string& path, uint64_t limit) {
    FileRead result;
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) result.status = FileRead::Status::Gone;
        else result.error = SystemErrorText(error);
        return result;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        result.error = SystemErrorText(GetLastError());
        return result;
    }
    if (static_cast<uint64_t>(size.QuadPart) > limit) {
        result.error = Format("the file is larger than %llu bytes", static_cast<unsigned long long>(limit));
        return result;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!ReadFile(file.get(), bytes.data() + done, wanted, &read, nullptr) || read == 0) {
            result.error = read == 0 ? "the file ended early" : SystemErrorText(GetLastError());
            return result;
        }
        done += read;
    }
    result.status = FileRead::Status::Read;
    result.bytes = std::move(bytes);
    return result;
}

DWORD WriteWholeAndClose(UniqueHandle& file, const std::string& bytes) {
    DWORD error = ERROR_SUCCESS;
    size_t done = 0;
    while (done < bytes.size() && error == ERROR_SUCCESS) {
        DWORD written = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!WriteFile(file.get(), bytes.data() + done, wanted, &written, nullptr)) error = GetLastError();
        else if (written == 0) error = ERROR_WRITE_FAULT;
        done += written;
    }
    if (error == ERROR_SUCCESS && !(SetEndOfFile(file.get()) && FlushFileBuffers(file.get()))) error = GetLastError();
    if (!CloseHandle(file.release()) && error == ERROR_SUCCESS) error = GetLastError();
    return error;
}

std::string WriteFileBytes(const std::string& path, const std::string& bytes, FileWriteMode mode) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                  mode == FileWriteMode::CreateNew ? CREATE_NEW : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) return SystemErrorText(GetLastError());
    const DWORD error = WriteWholeAndClose(file, bytes);
    if (error == ERROR_SUCCESS) return {};
    DeleteFileA(path.c_str());
    return SystemErrorText(error);
}

std::string PlaceFile(const std::string& path, const std::string& bytes, FileWriteMode mode) {
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return SystemErrorText(ERROR_INVALID_NAME);
    char aside[MAX_PATH] = {};
    if (GetTempFileNameA(path.substr(0, slash + 1).c_str(), "tdx", 0, aside) == 0) {
        return SystemErrorText(GetLastError());
    }
    if (std::string error = WriteFileBytes(aside, bytes, FileWriteMode::Replace); !error.empty()) return error;
    const DWORD replace = mode == FileWriteMode::Replace ? MOVEFILE_REPLACE_EXISTING : 0;
    if (MoveFileExA(aside, path.c_str(), MOVEFILE_WRITE_THROUGH | replace)) return {};
    const DWORD error = GetLastError();
    DeleteFileA(aside);
    return SystemErrorText(error);
}

bool CreateFolderTree(const std::string& folder) {
    if (folder.empty()) return false;
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t slash = folder.find_last_of('\\');
    if (slash != std::string::npos && slash > 0 && folder[slash - 1] != ':' && folder[slash - 1] != '\\') {
        if (!CreateFolderTree(folder.substr(0, slash))) return false;
    }
    return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string BareFileName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }
