#include "app/os_naming.h"

namespace {
constexpr uint32_t kFirstWindows11Build = 22000;
}  // namespace

int ServicePackNumber(const std::string& servicePack) {
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (servicePack.find(digit) != std::string::npos) return digit - '0';
    }
    return 0;
}

std::string BaseOsName(uint32_t major, uint32_t minor, uint32_t build) {
    switch (major) {
        case 6:
            if (minor == 1) return "Windows 7";
            if (minor == 2) return "Windows 8";
            if (minor == 3) return "Windows 8.1";
            return "";
        case 10:
            if (minor != 0) return "";
            return build >= kFirstWindows11Build ? "Windows 11" : "Windows 10";
        default: return "";
    }
}

std::string OsName(const OsVersionFacts& facts) {
    std::string name = BaseOsName(facts.major, facts.minor, facts.build);
    if (facts.productType == kProductDomainController) name += " Domain Controller";
    if (ServicePackNumber(facts.servicePack) != 0) name += " " + facts.servicePack;
    return name;
}
