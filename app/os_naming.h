#pragma once
// The operating system's display name from its version records: the naming table, the
// edition texts of the extended record and the service-pack rule.
#include <cstdint>
#include <string>

struct OsVersionFacts {
    bool isNt = true;
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    std::string servicePack;  // the version record's service-pack text
    // From the extended record; only read when UsesExtendedRecord holds and it was obtained.
    bool hasExtended = false;
    uint8_t productType = 0;  // 1 workstation, 2 domain controller, 3 server
    uint16_t suiteMask = 0;
};

inline constexpr uint8_t kProductWorkstation = 1;
inline constexpr uint8_t kProductDomainController = 2;
inline constexpr uint8_t kProductServer = 3;

// The smallest digit 1 to 9 whose text occurs in the service-pack text; 0 when none does.
int ServicePackNumber(const std::string& servicePack);

// Whether the extended version record decides the edition text.
bool UsesExtendedRecord(const OsVersionFacts& facts);

// Versions after Windows 7 get their own names: 6.3 is Windows 8.1, 10.0 is Windows 10,
// or Windows 11 from build 22000 on.
std::string BaseOsName(uint32_t major, uint32_t minor, uint32_t build);

std::string OsName(const OsVersionFacts& facts);
