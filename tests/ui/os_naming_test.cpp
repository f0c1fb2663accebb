#include "app/os_naming.h"

#include <gtest/gtest.h>

namespace {
OsVersionFacts Nt(uint32_t major, uint32_t minor, const std::string& servicePack = "", uint8_t productType = 0,
                  uint16_t suiteMask = 0, uint32_t build = 0) {
    OsVersionFacts facts;
    facts.major = major;
    facts.minor = minor;
    facts.build = build;
    facts.servicePack = servicePack;
    facts.hasExtended = productType != 0;
    facts.productType = productType;
    facts.suiteMask = suiteMask;
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

TEST(OsName, XpHomeWithServicePackNamesEditionThenServicePack) {
    EXPECT_EQ(OsName(Nt(5, 1, "Service Pack 2", kProductWorkstation, 0x0200)),
              "Windows XP Home Edition Service Pack 2");
    EXPECT_EQ(OsName(Nt(5, 1, "", kProductWorkstation)), "Windows XP Professional Edition");
}

TEST(OsName, ServerEditionsKeepTheirOrderAndLeadingBlank) {
    EXPECT_EQ(OsName(Nt(5, 2, "", kProductServer)), " Server");
    EXPECT_EQ(OsName(Nt(5, 0, "", kProductServer, 0x0002 | 0x0080 | 0x0010 | 0x0004)),
              "Windows 2000 Advanced DataCenter Terminal BackOffice Server");
    EXPECT_EQ(OsName(Nt(5, 0, "", kProductDomainController)), "Windows 2000 Server Domain Controller");
    EXPECT_EQ(OsName(Nt(5, 0, "", kProductWorkstation)), "Windows 2000 Professional");
}

TEST(OsName, Nt4UsesTheExtendedRecordFromServicePack6Only) {
    EXPECT_EQ(OsName(Nt(4, 0, "Service Pack 5", kProductWorkstation)), "Windows NT 4.0 Service Pack 5");
    EXPECT_EQ(OsName(Nt(4, 0, "Service Pack 6", kProductWorkstation)), "Windows NT 4.0 Workstation Service Pack 6");
    EXPECT_EQ(OsName(Nt(4, 0, "Service Pack 6", kProductServer)), "Windows NT 4.0 Server Service Pack 6");
}

TEST(OsName, VistaSevenAndEightHaveNoEditionText) {
    EXPECT_EQ(OsName(Nt(6, 0, "", kProductWorkstation)), "Windows Vista");
    EXPECT_EQ(OsName(Nt(6, 1, "Service Pack 1", kProductWorkstation)), "Windows 7 Service Pack 1");
    EXPECT_EQ(OsName(Nt(6, 2, "", kProductWorkstation)), "Windows 8");
}

TEST(OsName, VersionsAfterEightAreNamedForWhatTheyAre) {
    EXPECT_EQ(OsName(Nt(6, 3, "", kProductWorkstation)), "Windows 8.1");
    EXPECT_EQ(OsName(Nt(10, 0, "", kProductWorkstation, 0, 19045)), "Windows 10");
    EXPECT_EQ(OsName(Nt(10, 0, "", kProductWorkstation, 0, 21999)), "Windows 10");
    EXPECT_EQ(OsName(Nt(10, 0, "", kProductWorkstation, 0, 22000)), "Windows 11");
    EXPECT_EQ(OsName(Nt(10, 0, "", kProductWorkstation, 0, 26100)), "Windows 11");
    EXPECT_EQ(OsName(Nt(10, 1)), "");
    EXPECT_EQ(OsName(Nt(3, 51)), "");
}

TEST(OsName, NineXAppendsTheServicePackTextWithoutBlank) {
    OsVersionFacts facts;
    facts.isNt = false;
    facts.major = 4;
    facts.minor = 10;
    facts.servicePack = " A ";
    EXPECT_EQ(OsName(facts), "Windows 98 A ");
    facts.minor = 90;
    facts.servicePack = "";
    EXPECT_EQ(OsName(facts), "Windows ME");
    facts.minor = 3;
    EXPECT_EQ(OsName(facts), "");
}

TEST(OsName, EditionNeedsTheExtendedRecord) {
    OsVersionFacts facts = Nt(5, 1, "", kProductWorkstation);
    facts.hasExtended = false;  // the extended query failed
    EXPECT_EQ(OsName(facts), "Windows XP");
}
