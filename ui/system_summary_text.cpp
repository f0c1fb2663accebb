#include "ui/system_summary_text.h"

#include <cinttypes>

#include "base/text_format.h"

std::string ProfileText(const std::string& userName) { return Format("Profile : %s", userName.c_str()); }

std::string OsText(const std::string& osName) { return Format("OS : %s", osName.c_str()); }

std::string MemoryText(uint64_t availableBytes, uint64_t totalBytes) {
    return Format("Available Memory : %d MB of %d MB", static_cast<int>(availableBytes >> 20),
                  static_cast<int>(totalBytes >> 20));
}

std::string DiskSpaceText(int64_t freeGigabytes, int64_t totalGigabytes) {
    return Format("Free Disk Space : %" PRId64 " GB of %" PRId64 " GB", freeGigabytes, totalGigabytes);
}

int DriveCountFromLength(uint32_t length) { return static_cast<int>(length / 4); }

std::vector<std::string> DriveRoots(const char* list, size_t size, int maxRoots) {
    std::vector<std::string> roots;
    size_t position = 0;
    while (static_cast<int>(roots.size()) < maxRoots && position < size && list[position] != '\0') {
        size_t end = position;
        while (end < size && list[end] != '\0') ++end;
        if (end == size) break;  // an unterminated last root is not trusted
        roots.emplace_back(list + position, end - position);
        position = end + 1;
    }
    return roots;
}

void DiskSpaceSum::AddDrive(uint64_t freeBytes, uint64_t totalBytes) {
    freeGigabytes += static_cast<int64_t>(freeBytes >> 30);
    totalGigabytes += static_cast<int64_t>(totalBytes >> 30);
}
