#include "ui/system_info.h"

#include <windows.h>

#include "app/os_version.h"
#include "ui/system_summary_text.h"

SystemInfo::SystemInfo() {
    GatherOsName();
    GatherMemory();
    GatherUserName();
}

void SystemInfo::GatherOsName() {
    version_ = ReadOsVersion();
    if (version_.major == 0) return;  // the version could not be read
    servicePack_ = ServicePackNumber(version_.servicePack);
    osName_ = ::OsName(version_);
}

void SystemInfo::GatherMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status)) return;
    memoryLoad = status.dwMemoryLoad;
    totalPhysical = status.ullTotalPhys;
    availablePhysical = status.ullAvailPhys;
    totalPageFile = status.ullTotalPageFile;
    availablePageFile = status.ullAvailPageFile;
    totalVirtual = status.ullTotalVirtual;
    availableVirtual = status.ullAvailVirtual;
}

void SystemInfo::GatherUserName() {
    char name[150] = {};
    DWORD size = 100;
    if (GetUserNameA(name, &size)) userName_ = name;
}

std::string DiskSpaceText() {
    char counted[256] = {};
    const DWORD countLength = GetLogicalDriveStringsA(255, counted);
    const int driveCount = countLength <= 255 ? DriveCountFromLength(countLength) : 0;
    char list[500] = {};
    const DWORD listLength = GetLogicalDriveStringsA(sizeof(list) - 1, list);
    DiskSpaceSum sum;
    if (listLength > 0 && listLength < sizeof(list)) {
        for (const std::string& root : DriveRoots(list, listLength + 1, driveCount)) {
            if (GetDriveTypeA(root.c_str()) != DRIVE_FIXED) continue;
            ULARGE_INTEGER available{}, total{}, totalFree{};
            if (GetDiskFreeSpaceExA(root.c_str(), &available, &total, &totalFree)) {
                sum.AddDrive(totalFree.QuadPart, total.QuadPart);
            }
        }
    }
    return DiskSpaceText(sum.freeGigabytes, sum.totalGigabytes);
}
