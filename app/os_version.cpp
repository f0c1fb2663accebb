#include "app/os_version.h"

#include <windows.h>

#include <cstring>

OsVersionFacts ReadOsVersion() {
    OsVersionFacts version;
    version.isNt = GetVersion() < 0x80000000u;
    OSVERSIONINFOA basic{};
    basic.dwOSVersionInfoSize = sizeof(basic);
    if (!GetVersionExA(&basic)) return version;
    version.major = basic.dwMajorVersion;
    version.minor = basic.dwMinorVersion;
    version.build = basic.dwBuildNumber;
    version.servicePack.assign(basic.szCSDVersion, strnlen(basic.szCSDVersion, sizeof(basic.szCSDVersion)));
    if (UsesExtendedRecord(version)) {
        OSVERSIONINFOEXA extended{};
        extended.dwOSVersionInfoSize = sizeof(extended);
        if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
            version.hasExtended = true;
            version.productType = extended.wProductType;
            version.suiteMask = extended.wSuiteMask;
        }
    }
    return version;
}

std::string CurrentOsName() {
    const OsVersionFacts version = ReadOsVersion();
    return version.major == 0 ? std::string() : OsName(version);
}
