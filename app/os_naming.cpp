#include "app/os_naming.h"

namespace {
constexpr uint16_t kSuiteEnterprise = 0x0002;
constexpr uint16_t kSuiteBackOffice = 0x0004;
constexpr uint16_t kSuiteTerminal = 0x0010;
constexpr uint16_t kSuiteDataCenter = 0x0080;
constexpr uint16_t kSuitePersonal = 0x0200;
constexpr uint32_t kFirstWindows11Build = 22000;

std::string NineXName(uint32_t minor) {
    switch (minor) {
        case 0: return "Windows 95";
        case 10: return "Windows 98";
        case 90: return "Windows ME";
        default: return "";
    }
}

std::string EditionText(const OsVersionFacts& facts) {
    std::string text;
    if (facts.productType == kProductWorkstation) {
        if (facts.major == 5 && facts.minor == 1) {
            text = (facts.suiteMask & kSuitePersonal) ? " Home Edition" : " Professional Edition";
        } else if (facts.major == 5 && facts.minor == 0) {
            text = " Professional";
        } else if (facts.major == 4) {
            text = " Workstation";
        }
    } else if (facts.productType == kProductServer || facts.productType == kProductDomainController) {
        if (facts.major == 5) {
            if (facts.suiteMask & kSuiteEnterprise) text += " Advanced";
            if (facts.suiteMask & kSuiteDataCenter) text += " DataCenter";
            if (facts.suiteMask & kSuiteTerminal) text += " Terminal";
            if (facts.suiteMask & kSuiteBackOffice) text += " BackOffice";
            text += " Server";
        } else if (facts.major == 4 && facts.minor == 0) {
            text += " Server";
        }
        if (facts.productType == kProductDomainController) text += " Domain Controller";
    }
    return text;
}
}  // namespace

int ServicePackNumber(const std::string& servicePack) {
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (servicePack.find(digit) != std::string::npos) return digit - '0';
    }
    return 0;
}

bool UsesExtendedRecord(const OsVersionFacts& facts) {
    return facts.isNt && (facts.major >= 5 || ServicePackNumber(facts.servicePack) >= 6);
}

std::string BaseOsName(uint32_t major, uint32_t minor, uint32_t build) {
    switch (major) {
        case 4: return "Windows NT 4.0";
        case 5:
            if (minor == 0) return "Windows 2000";
            if (minor == 1) return "Windows XP";
            return "";
        case 6:
            if (minor == 1) return "Windows 7";
            if (minor == 2) return "Windows 8";
            if (minor == 3) return "Windows 8.1";
            return "Windows Vista";
        case 10:
            if (minor != 0) return "";
            return build >= kFirstWindows11Build ? "Windows 11" : "Windows 10";
        default: return "";
    }
}

std::string OsName(const OsVersionFacts& facts) {
    if (!facts.isNt) return NineXName(facts.minor) + facts.servicePack;
    std::string name = BaseOsName(facts.major, facts.minor, facts.build);
    if (UsesExtendedRecord(facts) && facts.hasExtended) name += EditionText(facts);
    if (ServicePackNumber(facts.servicePack) != 0) name += " " + facts.servicePack;
    return name;
}
