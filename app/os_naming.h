#pragma once
// The operating system's display name from its version record: the naming table, the
// domain-controller text of the product type and the service-pack rule. Windows 7 is the
// oldest system the program runs on.
#include <cstdint>
#include <string>

struct OsVersionFacts {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    std::string servicePack;  // the version record's service-pack text
    uint8_t productType = 0;  // 1 workstation, 2 domain controller, 3 server
};

inline constexpr uint8_t kProductWorkstation = 1;
inline constexpr uint8_t kProductDomainController = 2;
inline constexpr uint8_t kProductServer = 3;

// The smallest digit 1 to 9 whose text occurs in the service-pack text; 0 when none does.
int ServicePackNumber(const std::string& servicePack);

// 6.1 is Windows 7, 6.2 Windows 8, 6.3 Windows 8.1, 10.0 Windows 10, or Windows 11 from build
// 22000 on; empty for any other version.
std::string BaseOsName(uint32_t major, uint32_t minor, uint32_t build);

std::string OsName(const OsVersionFacts& facts);
