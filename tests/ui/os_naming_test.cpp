#include "app/os_naming.h"

#include <gtest/gtest.h>

namespace {
OsVersionFacts Version(uint32_t major, uint32_t minor, const std::string& servicePack = "",
                       uint8_t productType = kProductWorkstation, uint32_t build = 0) {
    OsVersionFacts facts;
    facts.major = major;
    facts.minor = minor;
    facts.build = build;
    facts.servicePack = servicePack;
    facts.productType = productType;
    return facts;
}
}  // namespace

TEST(ServicePackNumber, IsTheSmallestDigitThatOccursAnywhere) {
    EXPECT_EQ(ServicePackNumber(""), 0);
    EXPECT_EQ(ServicePackNumber("Service Pack 2"), 2);
    EXPECT_EQ(ServicePackNumber("Service Pack 6a"), 6);
    EXPECT_EQ(ServicePackNumber("Build 92"), 2);  // every digit counts, the smallest wins
    EXPECT_EQ(ServicePackNumber("Service Pack 0"), 0);
}

TEST(OsName, SevenAndEightHaveNoEditionText) {
    EXPECT_EQ(OsName(Version(6, 1, "Service Pack 1")), "Windows 7 Service Pack 1");
    EXPECT_EQ(OsName(Version(6, 1, "Service Pack 1", kProductServer)), "Windows 7 Service Pack 1");
    EXPECT_EQ(OsName(Version(6, 2)), "Windows 8");
    EXPECT_EQ(OsName(Version(6, 2, "", kProductDomainController)), "Windows 8 Domain Controller");
}

TEST(OsName, VersionsAfterEightAreNamedForWhatTheyAre) {
    EXPECT_EQ(OsName(Version(6, 3)), "Windows 8.1");
    EXPECT_EQ(OsName(Version(10, 0, "", kProductWorkstation, 19045)), "Windows 10");
    EXPECT_EQ(OsName(Version(10, 0, "", kProductWorkstation, 21999)), "Windows 10");
    EXPECT_EQ(OsName(Version(10, 0, "", kProductWorkstation, 22000)), "Windows 11");
    EXPECT_EQ(OsName(Version(10, 0, "", kProductWorkstation, 26100)), "Windows 11");
}

TEST(OsName, VersionsOutsideTheTableHaveNoName) {
    EXPECT_EQ(OsName(Version(10, 1)), "");
    EXPECT_EQ(OsName(Version(6, 0)), "");
    EXPECT_EQ(OsName(Version(5, 1)), "");
}
