#include "backup/zip_reader.h"

#include <unzip.h>

#include "base/ascii_case.h"

namespace {
constexpr unsigned kReadBlock = 20480;
constexpr size_t kNameBuffer = 260;
constexpr size_t kCommentBuffer = 255;

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

bool ZipReader::OpenBytes(std::string bytes) {
    Close();
    memory_.bytes = std::move(bytes);
    zlib_filefunc64_def functions;
    FillMemoryFileFunctions(&functions, memory_);
    zip_ = unzOpen2_64("", &functions);
    if (!zip_) emptyArchive_ = IsEmptyArchive(memory_.bytes);
    if (!IsOpen()) memory_ = {};
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
    return dot != std::string::npos && EqualsIgnoringAsciiCase(std::string_view(info.name).substr(dot + 1), extension);
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

bool ZipReader::ReadCurrentInBlocks(const std::function<bool(const char* block, size_t size)>& sink) {
    if (!zip_ || unzOpenCurrentFile(zip_) != UNZ_OK) return false;
    bool ok = true;
    char block[kReadBlock];
    for (;;) {
        const int read = unzReadCurrentFile(zip_, block, kReadBlock);
        if (read == 0) break;
        if (read < 0 || !sink(block, static_cast<size_t>(read))) {
            ok = false;
            break;
        }
    }
    // Closing an entry read to its end checks its CRC.
    return unzCloseCurrentFile(zip_) == UNZ_OK && ok;
}

bool ZipReader::ReadCurrent(std::string& bytes, uint64_t limit) {
    ZipEntryInfo info;
    if (!GetEntryInfo(info) || info.uncompressedSize > limit) return false;
    std::string data;
    data.reserve(static_cast<size_t>(info.uncompressedSize));
    const bool ok = ReadCurrentInBlocks([&](const char* block, size_t size) {
        if (data.size() + size > limit) return false;
        data.append(block, size);
        return true;
    });
    if (!ok || data.size() != info.uncompressedSize) return false;
    bytes = std::move(data);
    return true;
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
