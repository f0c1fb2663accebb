#pragma once
// The texts of the system summary on the home page, and the drive list they are summed over.
#include <cstdint>
#include <string>
#include <vector>

std::string ProfileText(const std::string& userName);
std::string OsText(const std::string& osName);
// Byte counts shown in whole megabytes (shifted right by 20 bits, truncated).
std::string MemoryText(uint64_t availableBytes, uint64_t totalBytes);
std::string DiskSpaceText(int64_t freeGigabytes, int64_t totalGigabytes);

// The number of drives a drive-string length stands for: every root is a letter, a colon,
// a backslash and its terminating zero.
int DriveCountFromLength(uint32_t length);

// At most maxRoots roots of a zero-separated, double-zero-terminated drive list, read only
// within its first size characters.
std::vector<std::string> DriveRoots(const char* list, size_t size, int maxRoots);

// Sums disks in whole gigabytes: each drive is truncated before it is added.
struct DiskSpaceSum {
    int64_t freeGigabytes = 0;
    int64_t totalGigabytes = 0;
    void AddDrive(uint64_t freeBytes, uint64_t totalBytes);
};
