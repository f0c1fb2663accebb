#include "backup/zip_writer.h"

#include <windows.h>

#include <zip.h>

#include <algorithm>

#include "backup/file_bytes.h"

namespace {
constexpr DWORD kReadBlock = 2048;

bool HasDriveColon(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.data(), static_cast<int>(prefix.size()),
                          prefix.data(), static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

std::string FolderPart(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
}  // namespace

bool ZipWriter::Open(const std::string& archivePath, const std::string& rootFolder, bool append) {
    Close();
    root_ = rootFolder.empty() ? FolderPart(archivePath) : rootFolder;
    if (!root_.empty() && root_.back() != '\\') root_ += '\\';
    filesAdded_ = foldersAdded_ = 0;
    bytesRead_ = 0;
    lastError_ = 0;
    memory_ = {};
    if (append) {
        FileRead existing = ReadFileBytes(archivePath, UINT32_MAX);
        if (existing.status != FileRead::Status::Read) return false;
        memory_.bytes = std::move(existing.bytes);
    }
    file_.reset(CreateFileA(archivePath.c_str(), GENERIC_WRITE, 0, nullptr, append ? OPEN_EXISTING : CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) {
        lastError_ = GetLastError();
        return false;
    }
    zlib_filefunc64_def functions;
    FillMemoryFileFunctions(&functions, memory_);
    zip_ =
        zipOpen2_64(archivePath.c_str(), append ? APPEND_STATUS_ADDINZIP : APPEND_STATUS_CREATE, nullptr, &functions);
    if (!zip_) file_.reset();
    return zip_ != nullptr;
}

std::string ZipWriter::AbsolutePath(const std::string& path) const { return HasDriveColon(path) ? path : root_ + path; }

// Deflate at the default level with its window and hash sized to the entry: a window as large as
// the data compresses exactly as a larger one would, and a small entry then does not pay for the
// 256 KB of tables the largest sizes take (most entries of a backup are a few kilobytes).
bool ZipWriter::StartEntry(const std::string& entryName, uint64_t size) {
    int windowBits = 9;
    while (windowBits < MAX_WBITS && (uint64_t{1} << windowBits) < size) ++windowBits;
    const int memoryLevel = std::clamp(windowBits - 6, 3, 8);
    return zipOpenNewFileInZip3(zip_, entryName.c_str(), nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                Z_DEFAULT_COMPRESSION, 0, -windowBits, memoryLevel, Z_DEFAULT_STRATEGY, nullptr,
                                0) == ZIP_OK;
}

bool ZipWriter::AddFile(const std::string& path, bool ignorePath) {
    if (!zip_ || (!ignorePath && path.rfind("..\\", 0) == 0)) return false;
    const std::string absolute = AbsolutePath(path);
    std::string entryName;
    if (ignorePath) {
        const size_t slash = absolute.find_last_of("\\/");
        entryName = slash == std::string::npos ? absolute : absolute.substr(slash + 1);
    } else if (HasDriveColon(path)) {
        if (!StartsWithIgnoringCase(path, root_)) return false;
        entryName = path.substr(root_.size());
    } else {
        entryName = path.rfind(".\\", 0) == 0 ? path.substr(2) : path;
    }
    UniqueHandle source(CreateFileA(absolute.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!source || !GetFileSizeEx(source.get(), &size) ||
        !StartEntry(entryName, static_cast<uint64_t>(size.QuadPart))) {
        return false;
    }
    ++filesAdded_;
    bool ok = true;
    char block[kReadBlock];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(source.get(), block, kReadBlock, &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0) break;
        bytesRead_ += read;
        if (zipWriteInFileInZip(zip_, block, read) != ZIP_OK) {
            ok = false;
            break;
        }
    }
    return zipCloseFileInZip(zip_) == ZIP_OK && ok;
}

bool ZipWriter::AddFolder(const std::string& path, bool ignorePath) {
    if (!zip_) return false;
    ++foldersAdded_;
    std::string folder = AbsolutePath(path);
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    WIN32_FIND_DATAA found;
    UniqueFindHandle search(FindFirstFileA((folder + "\\*.*").c_str(), &found));
    if (!search) return true;
    do {
        if (found.cFileName[0] == '.') continue;
        const std::string child = folder + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) AddFolder(child, ignorePath);
        else AddFile(child, ignorePath);
    } while (FindNextFileA(search.get(), &found));
    return true;
}

bool ZipWriter::AddData(const std::string& entryName, std::string_view bytes) {
    if (!zip_ || !StartEntry(entryName, bytes.size())) return false;
    ++filesAdded_;
    bool ok = true;
    // zipWriteInFileInZip takes an unsigned length: large data goes in slices.
    constexpr size_t kSlice = 1u << 30;
    for (size_t offset = 0; offset < bytes.size() && ok; offset += kSlice) {
        const size_t length = std::min(kSlice, bytes.size() - offset);
        ok = zipWriteInFileInZip(zip_, bytes.data() + offset, static_cast<unsigned>(length)) == ZIP_OK;
    }
    return zipCloseFileInZip(zip_) == ZIP_OK && ok;
}

bool ZipWriter::Close() {
    if (!zip_) return true;
    const bool closed = zipClose(zip_, nullptr) == ZIP_OK;
    zip_ = nullptr;
    if (!closed) {
        lastError_ = GetLastError();
        file_.reset();
        memory_ = {};
        return false;
    }
    lastError_ = WriteWholeAndClose(file_, memory_.bytes);
    memory_ = {};
    return lastError_ == ERROR_SUCCESS;
}
