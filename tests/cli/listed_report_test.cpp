#include "cli/listed_report.h"

#include <gtest/gtest.h>

namespace {
using Json = nlohmann::ordered_json;

const Json kFont = {{"kind", "registry"},
                    {"description", "The File (gone.ttf) cannot be found at the specified location."},
                    {"root", "HKEY_LOCAL_MACHINE"},
                    {"keyPath", "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"},
                    {"valueName", "Gone"},
                    {"valueData", "gone.ttf"},
                    {"removeValueOnly", true},
                    {"view", 64},
                    {"risk", "safe"},
                    {"riskReason", "Nothing needs it to start"}};
const Json kShortcut = {
    {"kind", "file"}, {"linkPath", "C:\\Users\\Public\\Desktop\\Old.lnk"}, {"targetPath", "C:\\Old"}};

Json Report(const std::vector<Json>& sections) {
    return {{"status", "complete"}, {"totalProblems", 2}, {"sections", Json(sections)}};
}

Json Section(int id, const Json& problems) { return {{"id", id}, {"name", "any"}, {"problems", problems}}; }

Json With(Json problem, const char* field, const Json& value) {
    if (value.is_null()) {
        problem.erase(field);
    } else {
        problem[field] = value;
    }
    return problem;
}
}  // namespace

TEST(ListedReport, ReadsTheSectionsAndProblemsOfAScansDocument) {
    std::string error;
    const std::optional<ListedReport> report = ReadListedReport(
        Report({Section(3, Json::array({kFont})), Section(14, Json::array({kShortcut})), Section(3, Json::array())})
            .dump(),
        error);
    ASSERT_TRUE(report) << error;
    EXPECT_EQ(report->sections, (std::vector<SectionId>{3, 14}));
    ASSERT_EQ(report->problems.size(), 2u);
    const RegistryProblem* font = report->problems[0].record.AsRegistry();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->rootKey, kLocalMachine);
    EXPECT_EQ(font->valueName, "Gone");
    EXPECT_EQ(font->scope, RemovalScope::Value);
    EXPECT_EQ(report->problems[1].record.AsFile()->linkPath, "C:\\Users\\Public\\Desktop\\Old.lnk");
    EXPECT_EQ(report->problems[1].record.sectionId, 14);
    EXPECT_EQ(report->problems[0].object, kFont);
}

class UnreadableReport : public testing::TestWithParam<std::string> {};

TEST_P(UnreadableReport, IsRefusedWithItsReason) {
    std::string error;
    EXPECT_FALSE(ReadListedReport(GetParam(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, UnreadableReport,
    testing::Values(
        "", "{\"sections\":[", "[1,2]", "{\"status\":\"complete\"}", "{\"sections\":{}}",
        Report({Section(12, Json::array())}).dump(), Report({{{"id", "3"}, {"problems", {}}}}).dump(),
        Report({{{"id", 3}}}).dump(), Report({Section(3, Json::array({With(kFont, "root", "HKEY_NOWHERE")}))}).dump(),
        Report({Section(3, Json::array({With(kFont, "keyPath", nullptr)}))}).dump(),
        Report({Section(3, Json::array({With(kFont, "removeValueOnly", "yes")}))}).dump(),
        Report({Section(3, Json::array({With(With(kFont, "removeValueOnly", false), "keyPath", "")}))}).dump(),
        Report({Section(3, Json::array({With(kFont, "kind", "service")}))}).dump(),
        Report({Section(14, Json::array({With(kShortcut, "linkPath", nullptr)}))}).dump(),
        Report({Section(14, Json::array({With(kShortcut, "linkPath", "")}))}).dump(),
        Report({Section(3, Json::array({7}))}).dump()));

TEST(ListedReport, IdentityIsTheSectionAndWhatTheRemovalTakes) {
    const std::string font = ProblemIdentity(3, kFont);
    // What the removal does not act on may change between scan and clean.
    EXPECT_EQ(ProblemIdentity(3, With(With(kFont, "valueData", "other.ttf"), "description", "other")), font);
    for (const Json& other : {With(kFont, "valueName", "gone"), With(kFont, "keyPath", "SOFTWARE\\Other"),
                              With(kFont, "root", "HKEY_CURRENT_USER"), With(kFont, "removeValueOnly", false)}) {
        EXPECT_NE(ProblemIdentity(3, other), font) << other.dump();
    }
    EXPECT_NE(ProblemIdentity(13, kFont), font);
    EXPECT_NE(ProblemIdentity(14, kShortcut), ProblemIdentity(14, With(kShortcut, "linkPath", "C:\\Other.lnk")));
    EXPECT_EQ(ProblemIdentity(3, With(kFont, "valueName", std::string("\xff\xfe"))), "");
}

TEST(ListedReport, KeepsOnlyTheListedProblemsAndCountsAgain) {
    Json document = Report(
        {Section(3, Json::array({kFont, With(kFont, "valueName", "Other")})), Section(14, Json::array({kShortcut}))});
    KeepListedProblems(document, {ProblemIdentity(3, kFont)});
    EXPECT_EQ(document["sections"][0]["problems"], Json::array({kFont}));
    EXPECT_TRUE(document["sections"][1]["problems"].empty());
    EXPECT_EQ(document["totalProblems"], 1);
    EXPECT_EQ(document["affectedSections"], 1);
    EXPECT_EQ(document["notListed"], 2);
}
