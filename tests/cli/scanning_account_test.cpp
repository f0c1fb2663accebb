#include "cli/scanning_account.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "engine/section_descriptors.h"

TEST(ScanningAccount, OnlyTheLocalSystemSidIsTheSystemAccount) {
    EXPECT_TRUE(IsSystemAccount({"SYSTEM", "S-1-5-18"}));
    EXPECT_TRUE(IsSystemAccount({"", "S-1-5-18"}));
    for (const char* sid : {"S-1-5-19", "S-1-5-20", "S-1-5-21-1-2-3-1000", "S-1-5-180", ""}) {
        EXPECT_FALSE(IsSystemAccount({"SYSTEM", sid})) << sid;
    }
}

TEST(ScanningAccount, TheSectionsThatReadTheCurrentUsersTreeAreThePerUserOnes) {
    std::vector<SectionId> perUser;
    for (const SectionDescriptor& section : SectionDescriptors()) {
        if (ReadsCurrentUser(section.id)) perUser.push_back(section.id);
    }
    EXPECT_EQ(perUser, (std::vector<SectionId>{kSoundsSection, kAssociationsSection, kFullRegistrySection}));
}

TEST(ScanningAccount, UnderTheSystemAccountThePerUserSectionsSaySo) {
    nlohmann::ordered_json document = {
        {"sections", {{{"id", kFontsSection}}, {{"id", kSoundsSection}}, {{"id", kFullRegistrySection}}}}};
    nlohmann::ordered_json person = document;
    AddAccount(document, {"SYSTEM", kSystemAccountSid});
    AddAccount(person, {"alice", "S-1-5-21-1-2-3-1001"});

    EXPECT_EQ(document["account"],
              nlohmann::ordered_json::parse(R"({"user":"SYSTEM","sid":"S-1-5-18","system":true})"));
    EXPECT_EQ(person["account"]["system"], false);
    EXPECT_EQ(person["account"]["user"], "alice");
    const std::string note = PerUserSectionNote({"SYSTEM", kSystemAccountSid});
    EXPECT_NE(note.find("SYSTEM account"), std::string::npos);
    EXPECT_EQ(PerUserSectionNote({"alice", "S-1-5-21-1-2-3-1001"}), "");
    for (size_t i = 0; i < 3; ++i) {
        const bool perUser = i > 0;
        EXPECT_EQ(document["sections"][i]["perUser"], perUser);
        EXPECT_EQ(document["sections"][i].value("note", ""), perUser ? note : "");
        EXPECT_FALSE(person["sections"][i].contains("note"));
    }
}
