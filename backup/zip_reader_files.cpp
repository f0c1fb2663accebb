// The parts of ZipReader that touch the file system: opening an archive file and extracting
// entries into folders.
#include "backup/zip_reader.h"

#include <windows.h>

#include "backup/file_bytes.h"
#include "base/unique_handles.h"

namespace {
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
}  // namespace

bool ZipReader::Open(const std::string& archivePath) {
    Close();
    FileRead file = ReadFileBytes(archivePath, kArchiveLimit);
    if (file.status != FileRead::Status::Read) return false;
    const bool opened = OpenBytes(std::move(file.bytes));
    const size_t dot = archivePath.find_last_of('.');
    const size_t slash = archivePath.find_last_of('\\');
    defaultFolder_ = (dot != std::string::npos && (slash == std::string::npos || dot > slash))
                         ? archivePath.substr(0, dot)
                         : archivePath;
    return opened;
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
    if (!file) return false;
    const bool ok = ReadCurrentInBlocks([&](const char* block, size_t size) {
        DWORD written = 0;
        return WriteFile(file.get(), block, static_cast<DWORD>(size), &written, nullptr) &&
               written == static_cast<DWORD>(size);
    });
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
