#include "scanners/registry_walk_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {
struct CandidateCase {
    const char* data;
    std::optional<std::string> candidate;
};

class DrivePathCandidateTest : public ::testing::TestWithParam<CandidateCase> {};

TEST_P(DrivePathCandidateTest, StartsAtTheLetterOfTheFirstColonBackslash) {
    EXPECT_EQ(DrivePathCandidate(GetParam().data), GetParam().candidate);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DrivePathCandidateTest,
    ::testing::Values(CandidateCase{"\"C:\\Program Files\\App\\App.exe\" /run",
                                    "c:\\program files\\app\\app.exe\" /run"},
                      CandidateCase{"@%SystemRoot%\\x,1 D:\\Media\\Ding.WAV", "d:\\media\\ding.wav"},
                      CandidateCase{"C:\\", "c:\\"},
                      // Only the first ":\" counts: a digit or any other non-letter before it ends the look.
                      CandidateCase{"1:\\x C:\\App\\App.exe", std::nullopt}, CandidateCase{"_:\\x", std::nullopt},
                      CandidateCase{":\\App", std::nullopt}, CandidateCase{"C:App.exe", std::nullopt},
                      CandidateCase{"", std::nullopt},
                      // Bytes of multi-byte characters stay as they are.
                      CandidateCase{"E:\\M\xC3\x9CSIK\\\xC3\x9C.mp3", "e:\\m\xC3\x9Csik\\\xC3\x9C.mp3"}));

struct CutCase {
    const char* derived;
    const char* path;
};

class CutDerivedPathTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutDerivedPathTest, LeavesThePathAlone) {
    std::string path = GetParam().derived;
    CutDerivedPath(path);
    EXPECT_EQ(path, GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CutDerivedPathTest,
    ::testing::Values(CutCase{"c:\\windows\\system32\\shell32.dll,-21", "c:\\windows\\system32\\shell32.dll"},
                      CutCase{"c:\\app\\app.exe\" /run", "c:\\app\\app.exe"},
                      CutCase{"c:\\app\\app.exe,1\" \"%1\"", "c:\\app\\app.exe"},
                      CutCase{"c:\\a\\%unknown%\\b.exe", "c:\\a\\%unknown"},
                      CutCase{"c:\\app\\app.exe /s", "c:\\app\\app.exe "}, CutCase{"c:\\a.exe;c:\\b.exe", "c:\\a.exe"},
                      CutCase{"c:\\plain\\path.exe", "c:\\plain\\path.exe"}));

TEST(ClassesKeyName, AnyLetterCaseAnywhereInTheName) {
    for (const char* name : {"Classes", "CLASSES", "S-1-5-21-1000_Classes", "myclassesx"}) {
        EXPECT_TRUE(IsClassesKeyName(name)) << name;
    }
    for (const char* name : {"Class", "Clas ses", "Software", ""}) {
        EXPECT_FALSE(IsClassesKeyName(name)) << name;
    }
}

struct SplitCase {
    const char* walkPath;
    RootKeyValue root;
    const char* keyPath;
};

class SplitWalkPathTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitWalkPathTest, RootBeforeTheFirstBackslashKeyPathAfter) {
    const WalkPathParts parts = SplitWalkPath(GetParam().walkPath);
    EXPECT_EQ(parts.root, GetParam().root);
    EXPECT_EQ(parts.keyPath, GetParam().keyPath);
}

INSTANTIATE_TEST_SUITE_P(Values, SplitWalkPathTest,
                         ::testing::Values(SplitCase{"HKEY_LOCAL_MACHINE", kLocalMachine, ""},
                                           SplitCase{"HKEY_CURRENT_USER\\Software\\App", kCurrentUser, "Software\\App"},
                                           SplitCase{"HKEY_USERS\\S-1-5-21\\Software", kUsers, "S-1-5-21\\Software"},
                                           SplitCase{"HKEY_USERS\\\\\\S-1", kUsers, "S-1"},
                                           SplitCase{"HKEY_LOCAL_MACHINE\\", kLocalMachine, ""}));
}  // namespace
