#include "scanners/usage_history_scanner.h"

#include <gtest/gtest.h>

#include "engine/section_descriptors.h"
#include "scanners/usage_history_names.h"
#include "tests/scanners/list_scanner_fixture.h"
#include "tests/scanners/scanner_test_values.h"

namespace {
// A usage-history list of this test's own, with entries named in ROT13 as Explorer names them.
class UsageHistoryScanTest : public ListScannerTest {
protected:
    UsageHistoryScanTest()
        : list_(HKEY_CURRENT_USER, std::string(kUserAssistKey) + "\\{TidrexTest-" + TestName() + "}") {}

    static std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }
    std::string CountKey() const { return list_.Path() + "\\Count"; }
    // Adds the entry for the decoded name; returns the name as stored.
    std::string Entry(const std::string& decoded) const {
        const std::string stored = Rot13(decoded);
        const DWORD counter[4] = {1, 6, 0, 0};
        RegSetKeyValueA(HKEY_CURRENT_USER, CountKey().c_str(), stored.c_str(), REG_BINARY, counter, sizeof(counter));
        return stored;
    }

private:
    ScopedListSubKey list_;
};
}  // namespace

TEST_F(UsageHistoryScanTest, EntryIsJudgedOnItsProgramPath) {
    const std::string gone = Entry("UEME_RUNPATH:" + At("gone.exe"));
    const std::string present = Entry("UEME_RUNPATH:" + MakeFile(At("present.exe")));
    const std::string noDrive = Entry("UEME_RUNPATH:tidrex-gone.exe");
    const std::string knownFolder = Entry("UEME_RUNPATH:::csidl23:" + At("gone-too.exe"));
    ScanUsageHistory(engine);

    const ProblemRecord* problem = host.Find(CountKey(), gone);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kFullRegistrySection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kCurrentUser);
    EXPECT_EQ(problem->AsRegistry()->valueData, "UEME_RUNPATH:" + At("gone.exe"));
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Value);
    EXPECT_EQ(problem->checked, 0);
    EXPECT_EQ(problem->description, "The File (" + At("gone.exe") + ") cannot be found at the specified location.");
    EXPECT_EQ(host.Find(CountKey(), present), nullptr);
    EXPECT_EQ(host.Find(CountKey(), noDrive), nullptr);
    EXPECT_EQ(host.Find(CountKey(), knownFolder), nullptr);
    // No status line and no message pumps.
    EXPECT_TRUE(host.events.empty());
}

TEST_F(UsageHistoryScanTest, AbortedScanExaminesNothing) {
    Entry("UEME_RUNPATH:" + At("gone.exe"));
    engine.running = 0;
    ScanUsageHistory(engine);
    EXPECT_TRUE(host.problems.empty());
}
