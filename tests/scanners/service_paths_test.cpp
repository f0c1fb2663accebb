#include "scanners/service_paths.h"

#include <gtest/gtest.h>

namespace {
const std::string kWindows = "C:\\windows";

struct DerivationCase {
    const char* stored;  // after environment expansion
    bool replaceSystemRoot;
    std::optional<std::string> judged;
};

class DriverFilePathTest : public ::testing::TestWithParam<DerivationCase> {};
}  // namespace

TEST_P(DriverFilePathTest, DerivesTheJudgedPath) {
    const DerivationCase& c = GetParam();
    EXPECT_EQ(DriverFilePath(c.stored, kWindows, c.replaceSystemRoot), c.judged) << c.stored;
}

INSTANTIATE_TEST_SUITE_P(
    Services, DriverFilePathTest,
    ::testing::Values(
        // "\SystemRoot\..." becomes "\C:\windows\...", and the cut before the drive letter drops the "\".
        DerivationCase{"\\SystemRoot\\system32\\drivers\\x.sys", true, "C:\\windows\\system32\\drivers\\x.sys"},
        DerivationCase{"\\systemroot\\x.sys", true, "C:\\windows\\x.sys"},
        // Only the two spellings are replaced; others are judged relative to the Windows folder.
        DerivationCase{"\\SYSTEMROOT\\x.sys", true, "C:\\windows\\SYSTEMROOT\\x.sys"},
        DerivationCase{"\\??\\C:\\drivers\\x.sys", true, "C:\\drivers\\x.sys"},
        DerivationCase{"\"C:\\Program Files\\x.exe\" -k", true, "C:\\Program Files\\x.exe\" -k"},
        DerivationCase{"system32\\drivers\\x.sys", true, "C:\\windows\\system32\\drivers\\x.sys"},
        DerivationCase{"\\drivers\\x.sys", true, "C:\\windows\\drivers\\x.sys"},
        // No dot: the path before the first blank is a program.
        DerivationCase{"system32\\svchost -k netsvcs", true, "C:\\windows\\system32\\svchost.exe"},
        // Neither dot nor blank: nothing to judge.
        DerivationCase{"system32\\drivers\\x", true, std::nullopt}, DerivationCase{"", true, std::nullopt},
        // A ":" in front keeps the whole text.
        DerivationCase{":x.sys", true, ":x.sys"}));

INSTANTIATE_TEST_SUITE_P(StaticDrivers, DriverFilePathTest,
                         ::testing::Values(DerivationCase{"\\SystemRoot\\x.vxd", false,
                                                          "C:\\windows\\SystemRoot\\x.vxd"},
                                           DerivationCase{"C:\\vxd\\x.vxd", false, "C:\\vxd\\x.vxd"},
                                           DerivationCase{"vxd\\loader arg", false, "C:\\windows\\vxd\\loader.exe"}));
