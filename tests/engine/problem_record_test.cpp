#include "engine/problem_record.h"

#include <gtest/gtest.h>

#include "engine/section_descriptors.h"

TEST(ProblemRecord, OnlyRecordsThatNameWhatTheirRemovalTakesAreConsistent) {
    const auto registry = [](RootKeyValue root, const char* keyPath, RemovalScope scope) {
        return *MakeProblem(kFullRegistrySection, {}, RegistryProblem{root, keyPath, "v", "d", scope});
    };
    EXPECT_TRUE(IsConsistent(registry(kCurrentUser, "Software\\Gone", RemovalScope::Key)));
    EXPECT_TRUE(IsConsistent(registry(kCurrentUser, "", RemovalScope::Value)));
    // A key removal of an empty path would take the whole hive.
    EXPECT_FALSE(IsConsistent(registry(kCurrentUser, "", RemovalScope::Key)));
    EXPECT_FALSE(IsConsistent(registry(kPerformanceData, "Software\\Gone", RemovalScope::Value)));
    EXPECT_FALSE(IsConsistent(ProblemRecord{}));
    EXPECT_TRUE(IsConsistent(*MakeProblem(kShortcutsSection, {}, FileProblem{"C:\\Old.lnk", "C:\\gone.exe"})));
    EXPECT_FALSE(IsConsistent(*MakeProblem(kShortcutsSection, {}, FileProblem{"", "C:\\gone.exe"})));
}
