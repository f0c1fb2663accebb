#include "backup/zip_reader.h"

#include <windows.h>

#include <unzip.h>

#include "backup/file_bytes.h"
#include "base/unique_handles.h"

namespace {
constexpr unsigned kExtractBlock = 20480;
constexpr size_t kNameBuffer = 260;
constexpr size_t kCommentBuffer = 255;
// Larger than any backup; a file beyond it is not opened.
constexpr uint64_t kArchiveLimit = 2ull << 30;

// A name that stays inside the target folder: relative, with no ".." part and no stream colon.
bool IsContainedName(const std::string& name) {
    if (name.empty() || name[0] == '\\' || name.find(':') != std::string::npos) return false;
    size_t start = 0;
    for (;;) {
        const size_t slash = name.find('\\', start);
        const std::string part = name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part == "..") return false;
        if (slash == std::string::npos) return true;
        start = slash + 1;
    }
}

// Creation and last-write times from the entry's local DOS date; a date that does not convert
// (such as the zero date of this program's own archives) leaves the times alone.
void SetTimesFromDosDate(HANDLE file, uint32_t dosDateTime) {
    const WORD date = HIWORD(dosDateTime), time = LOWORD(dosDateTime);
    if (((date >> 5) & 0x0F) == 0 || (date & 0x1F) == 0) return;
    FILETIME local, utc;
    if (!DosDateTimeToFileTime(date, time, &local) || !LocalFileTimeToFileTime(&local, &utc)) return;
    SetFileTime(file, &utc, nullptr, &utc);
}
// The library takes an end record at the very start of the file for none at all, so it cannot
// open an archive without entries; such an archive is only its end record (and a comment).
bool IsEmptyArchive(const std::string& bytes) {
    if (bytes.size() < 22 || bytes.compare(0, 4, "PK\x05\x06") != 0) return false;
    const auto word = [&](size_t at) {
        return static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8);
    };
    for (size_t field = 4; field < 20; field += 2) {
        if (word(field) != 0) return false;
    }
    return static_cast<size_t>(word(20)) == bytes.size() - 22;
}
}  // namespace

bool ZipReader::Open(const std::string& archivePath) {
    Close();
    FileRead file = ReadFileBytes(archivePath, kArchiveLimit);
    if (file.status != FileRead::Status::Read) return false;
    memory_.bytes = std::move(file.bytes);
    zlib_filefunc64_def functions;
    FillMemoryFileFunctions(&functions, memory_);
    zip_ = unzOpen2_64(archivePath.c_str(), &functions);
    if (!zip_) emptyArchive_ = IsEmptyArchive(memory_.bytes);
    if (!IsOpen()) memory_ = {};
    const size_t dot = archivePath.find_last_of('.');
    const size_t slash = archivePath.find_last_of('\\');
    defaultFolder_ = (dot != std::string::npos && (slash == std::string::npos || dot > slash))
                         ? archivePath.substr(0, dot)
                         : archivePath;
    return IsOpen();
}

int ZipReader::FileCount() const {
    unz_global_info64 info{};
    if (!zip_ || unzGetGlobalInfo64(zip_, &info) != UNZ_OK) return 0;
    return static_cast<int>(info.number_entry);
}

bool ZipReader::Matches(const char* extension) const {
    if (!extension) return true;
    ZipEntryInfo info;
    if (!GetEntryInfo(info)) return false;
    const size_t dot = info.name.find_last_of('.');
    return dot != std::string::npos && lstrcmpiA(info.name.c_str() + dot + 1, extension) == 0;
}

bool ZipReader::GoToFirst(const char* extension) {
    if (!zip_ || unzGoToFirstFile(zip_) != UNZ_OK) return false;
    return Matches(extension) || GoToNext(extension);
}

bool ZipReader::GoToNext(const char* extension) {
    if (!zip_) return false;
    while (unzGoToNextFile(zip_) == UNZ_OK) {
        if (Matches(extension)) return true;
    }
    return false;
}

bool ZipReader::GetEntryInfo(ZipEntryInfo& info) const {
    if (!zip_) return false;
    unz_file_info64 raw{};
    char name[kNameBuffer] = {};
    char comment[kCommentBuffer] = {};
    if (unzGetCurrentFileInfo64(zip_, &raw, name, sizeof(name), nullptr, 0, comment, sizeof(comment)) != UNZ_OK ||
        raw.size_filename >= sizeof(name) || raw.size_file_comment >= sizeof(comment)) {
        return false;
    }
    info.name.assign(name, raw.size_filename);
    for (char& c : info.name) {
        if (c == '/') c = '\\';
    }
    info.comment.assign(comment, raw.size_file_comment);
    info.versionMadeBy = static_cast<uint16_t>(raw.version);
    info.versionNeeded = static_cast<uint16_t>(raw.version_needed);
    info.flags = static_cast<uint16_t>(raw.flag);
    info.method = static_cast<uint16_t>(raw.compression_method);
    info.dosDateTime = static_cast<uint32_t>(raw.dosDate);
    info.crc = static_cast<uint32_t>(raw.crc);
    info.compressedSize = raw.compressed_size;
    info.uncompressedSize = raw.uncompressed_size;
    info.internalAttributes = static_cast<uint16_t>(raw.internal_fa);
    info.externalAttributes = static_cast<uint32_t>(raw.external_fa);
    info.folder = !info.name.empty() && info.name.back() == '\\';
    return true;
}

bool ZipReader::ExtractCurrent(const std::string& folder, bool ignorePath) {
    ZipEntryInfo info;
    if (!GetEntryInfo(info)) return false;
    const std::string target = folder.empty() ? defaultFolder_ : folder;
    if (!CreateFolderTree(target)) return false;
    if (info.folder) return true;
    std::string name = info.name;
    if (ignorePath) name = name.substr(name.find_last_of('\\') + 1);
    if (!IsContainedName(name)) return false;
    const std::string path = target + (target.back() == '\\' ? "" : "\\") + name;
    const size_t slash = path.find_last_of('\\');
    if (!CreateFolderTree(path.substr(0, slash))) return false;
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || unzOpenCurrentFile(zip_) != UNZ_OK) return false;
    bool ok = true;
    char block[kExtractBlock];
    for (;;) {
        const int read = unzReadCurrentFile(zip_, block, kExtractBlock);
        if (read == 0) break;
        DWORD written = 0;
        if (read < 0 || !WriteFile(file.get(), block, static_cast<DWORD>(read), &written, nullptr) ||
            written != static_cast<DWORD>(read)) {
            ok = false;
            break;
        }
    }
    // Closing an entry read to its end checks its CRC.
    ok = unzCloseCurrentFile(zip_) == UNZ_OK && ok;
    if (ok) SetTimesFromDosDate(file.get(), info.dosDateTime);
    return ok;
}

bool ZipReader::ExtractAll(const std::string& folder, bool ignorePath) {
    if (!zip_ || !CreateFolderTree(folder) || FileCount() == 0 || !GoToFirst()) return false;
    do {
        if (!ExtractCurrent(folder, ignorePath)) return false;
    } while (GoToNext());
    return true;
}

bool ZipReader::ReadCurrent(std::string& bytes, uint64_t limit) {
    ZipEntryInfo info;
    if (!GetEntryInfo(info) || info.uncompressedSize > limit || unzOpenCurrentFile(zip_) != UNZ_OK) return false;
    std::string data;
    data.reserve(static_cast<size_t>(info.uncompressedSize));
    bool ok = true;
    char block[kExtractBlock];
    for (;;) {
        const int read = unzReadCurrentFile(zip_, block, kExtractBlock);
        if (read == 0) break;
        if (read < 0 || data.size() + static_cast<size_t>(read) > limit) {
            ok = false;
            break;
        }
        data.append(block, static_cast<size_t>(read));
    }
    ok = unzCloseCurrentFile(zip_) == UNZ_OK && ok && data.size() == info.uncompressedSize;
    if (ok) bytes = std::move(data);
    return ok;
}

void ZipReader::Close() {
    emptyArchive_ = false;
    if (zip_) {
        unzCloseCurrentFile(zip_);
        unzClose(zip_);
        zip_ = nullptr;
    }
    memory_ = {};
}
