#include "app/os_version.h"

#include <windows.h>

#include <cstring>

OsVersionFacts ReadOsVersion() {
    OsVersionFacts version;
    OSVERSIONINFOEXA record{};
    record.dwOSVersionInfoSize = sizeof(record);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&record))) return version;
    version.major = record.dwMajorVersion;
    version.minor = record.dwMinorVersion;
    version.build = record.dwBuildNumber;
    version.servicePack.assign(record.szCSDVersion, strnlen(record.szCSDVersion, sizeof(record.szCSDVersion)));
    version.productType = record.wProductType;
    return version;
}

std::string CurrentOsName() {
    const OsVersionFacts version = ReadOsVersion();
    return version.major == 0 ? std::string() : OsName(version);
}
