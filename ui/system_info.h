#pragma once
// The system summary gathered once at start-up: operating-system name and version, the
// user's name and the memory figures.
#include <cstdint>
#include <string>

#include "app/os_naming.h"

class SystemInfo {
public:
    // Gathers, in this order: the operating-system naming, the memory figures, the user name.
    SystemInfo();

    const std::string& OsName() const { return osName_; }
    const std::string& UserName() const { return userName_; }
    const OsVersionFacts& Version() const { return version_; }
    int ServicePack() const { return servicePack_; }

    uint32_t memoryLoad = 0;
    uint64_t totalPhysical = 0;
    uint64_t availablePhysical = 0;
    uint64_t totalPageFile = 0;
    uint64_t availablePageFile = 0;
    uint64_t totalVirtual = 0;
    uint64_t availableVirtual = 0;

private:
    void GatherOsName();
    void GatherMemory();
    void GatherUserName();

    OsVersionFacts version_;
    int servicePack_ = 0;
    std::string osName_;
    std::string userName_;
};

// "Free Disk Space : ... GB of ... GB" over the fixed disks, each truncated to whole gigabytes.
std::string DiskSpaceText();
