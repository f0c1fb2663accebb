#include "cli/run_summary.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/exit_status.h"

namespace {
using Json = nlohmann::ordered_json;

Json Problems(int count) {
    Json problems = Json::array();
    for (int i = 0; i < count; ++i) problems.push_back({{"kind", "registry"}, {"keyPath", "SOFTWARE\\Vendor"}});
    return problems;
}

// A document as a scan's, with problems in the fonts and none in the sounds, and the account.
Json ScanDocument(int fonts, const std::string& user = "admin") {
    return {{"status", "complete"},
            {"totalProblems", fonts},
            {"affectedSections", fonts > 0 ? 1 : 0},
            {"sections",
             {{{"id", 3}, {"problems", Problems(fonts)}, {"unreadable", Json::array()}},
              {{"id", 4}, {"problems", Json::array()}, {"unreadable", Json::array({"HKEY_CURRENT_USER\\AppEvents"})}},
              {{"id", 7}, {"problems", Json::array()}, {"unreadable", Json::array()}}}},
            {"account", {{"user", user}, {"sid", "S-1-5-21-1"}, {"system", false}}},
            {"notes", Json::array()}};
}

Json CleanDocument(int fonts, const std::string& archive) {
    Json document = ScanDocument(fonts);
    document["archive"] = archive;
    document["removed"] = fonts - 1;
    document["kept"] = Problems(1);
    document["leftForReview"] = Json::array();
    return document;
}

Json Parsed(const std::string& line) {
    EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
    return Json::parse(line);
}
}  // namespace

struct StatusCase {
    bool clean;
    int exitStatus;
    int problems;
    const char* status;
};

class SummaryStatusWord : public testing::TestWithParam<StatusCase> {};

TEST_P(SummaryStatusWord, FollowsTheExitStatus) {
    const StatusCase& param = GetParam();
    EXPECT_STREQ(SummaryStatus(param.clean, param.exitStatus, param.problems), param.status);
}

INSTANTIATE_TEST_SUITE_P(Commands, SummaryStatusWord,
                         testing::Values(StatusCase{false, kExitClean, 0, "clean"},
                                         StatusCase{false, kExitProblemsFound, 3, "problems"},
                                         StatusCase{false, kExitAborted, 1, "aborted"},
                                         StatusCase{false, kExitReportNotWritten, 3, "failed"},
                                         StatusCase{true, kExitClean, 0, "clean"},
                                         StatusCase{true, kExitClean, 3, "removed"}, StatusCase{true, 1, 3, "kept"},
                                         StatusCase{true, 4, 3, "failed"}));

TEST(SummaryLine, HoldsTheStatusTotalsSectionsAndAccount) {
    const Json summary = Parsed(SummaryLine(ScanDocument(2), "scan", kExitProblemsFound));
    EXPECT_EQ(summary["command"], "scan");
    EXPECT_EQ(summary["status"], "problems");
    EXPECT_EQ(summary["exit"], 1);
    EXPECT_EQ(summary["totalProblems"], 2);
    EXPECT_EQ(summary["user"], "admin");
    EXPECT_EQ(summary["system"], false);
    EXPECT_EQ(summary["sections"], Json::parse(R"([{"id":3,"found":2},{"id":4,"found":0,"unreadable":1},
                                                  {"id":7,"found":0}])"));
    EXPECT_FALSE(summary.contains("archives"));
    EXPECT_FALSE(summary.contains("omitted"));
}

TEST(SummaryLine, CleanSumsEveryRoundAndNamesEachArchive) {
    const Json document = {{"rounds", {CleanDocument(5, "C:\\Backup\\1.zip"), CleanDocument(2, "C:\\Backup\\2.zip")}}};
    const Json summary = Parsed(SummaryLine(document, "clean", 1));
    EXPECT_EQ(summary["status"], "kept");
    EXPECT_EQ(summary["totalProblems"], 7);
    EXPECT_EQ(summary["removed"], 5);
    EXPECT_EQ(summary["kept"], 2);
    EXPECT_EQ(summary["leftForReview"], 0);
    EXPECT_EQ(summary["rounds"], 2);
    EXPECT_EQ(summary["archives"], Json::array({"C:\\Backup\\1.zip", "C:\\Backup\\2.zip"}));
    EXPECT_EQ(summary["sections"][0], Json::parse(R"({"id":3,"found":7})"));
}

// Whatever the counts, names and paths, the line fits, and what was left out is named.
struct OversizeCase {
    int problems;
    size_t userLength;
    size_t archiveLength;
    int rounds;
    std::vector<std::string> omitted;
};

class SummaryLineLimit : public testing::TestWithParam<OversizeCase> {};

TEST_P(SummaryLineLimit, StaysWithinTheLimitAndNamesWhatItLeftOut) {
    const OversizeCase& param = GetParam();
    Json rounds = Json::array();
    for (int round = 0; round < param.rounds; ++round) {
        Json document = CleanDocument(param.problems, "C:\\" + std::string(param.archiveLength, 'a'));
        document["account"]["user"] = std::string(param.userLength, 'u');
        document["notes"] = Json::array({std::string(300, 'n'), std::string(300, 'n')});
        rounds.push_back(std::move(document));
    }
    const Json document = param.rounds == 1 ? rounds[0] : Json{{"rounds", rounds}};
    const std::string line = SummaryLine(document, "clean", kExitClean);
    EXPECT_LE(line.size(), kSummaryLimit);
    const Json summary = Parsed(line);
    EXPECT_EQ(summary["totalProblems"], param.problems * param.rounds);
    EXPECT_EQ(summary.value("omitted", Json::array()), Json(param.omitted));
    if (summary.contains("archiveCount")) {
        EXPECT_EQ(summary["archiveCount"], param.rounds);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, SummaryLineLimit,
    testing::Values(
        OversizeCase{100000, 10, 50, 1, {}}, OversizeCase{10, 10, 450, 3, {"sections without problems", "notes"}},
        OversizeCase{10, 1200, 200, 3, {"sections without problems", "notes", "user"}},
        OversizeCase{10, 10, 1000, 2, {"sections without problems", "notes", "user", "sections", "archives"}},
        OversizeCase{10, 10, 4000, 1, {"sections without problems", "notes", "user", "sections", "archives"}}));
