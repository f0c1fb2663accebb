#include "registry/path_knowledge.h"

#include <gtest/gtest.h>

using Answer = PathKnowledge::Answer;

TEST(PathKnowledge, AFoundNameShowsTheFoldersOnItsWay) {
    PathKnowledge known;
    known.Learn("C:\\a\\b\\c.dll", Answer::Found);
    EXPECT_EQ(known.IsFolder("C:\\a\\b"), true);
    EXPECT_EQ(known.IsFolder("C:\\a"), true);
    EXPECT_EQ(known.IsFolder("C:\\a\\b\\c.dll"), std::nullopt);
    EXPECT_EQ(known.IsFolder("C:\\a\\bc"), std::nullopt);
    EXPECT_FALSE(known.IsKnownMissing("C:\\a\\b\\x.dll"));
}

TEST(PathKnowledge, AMissingFileShowsItsFolderAndOnlyItselfMissing) {
    PathKnowledge known;
    known.Learn("C:\\a\\gone.dll", Answer::FileNotFound);
    EXPECT_EQ(known.IsFolder("C:\\a"), true);
    EXPECT_TRUE(known.IsKnownMissing("C:\\a\\gone.dll"));
    EXPECT_FALSE(known.IsKnownMissing("C:\\a\\other.dll"));
    EXPECT_FALSE(known.IsKnownMissing("C:\\a\\gone.dll2"));
}

TEST(PathKnowledge, AMissingPathShowsNothingBelowItsFolderExists) {
    PathKnowledge known;
    known.Learn("C:\\gone\\x.dll", Answer::PathNotFound);
    EXPECT_EQ(known.IsFolder("C:\\gone"), false);
    EXPECT_EQ(known.IsFolder("C:\\gone\\deeper"), false);
    EXPECT_TRUE(known.IsKnownMissing("C:\\gone\\x.dll"));
    EXPECT_TRUE(known.IsKnownMissing("C:\\gone\\app 9\\app.exe"));
    // The folder itself may still be a file: an executable followed by an argument.
    EXPECT_FALSE(known.IsKnownMissing("C:\\gone"));
    EXPECT_FALSE(known.IsKnownMissing("C:\\gone2\\x.dll"));
}

TEST(PathKnowledge, OtherAnswersTeachNothing) {
    PathKnowledge known;
    known.Learn("C:\\locked\\x.dll", Answer::Other);
    EXPECT_EQ(known.IsFolder("C:\\locked"), std::nullopt);
    EXPECT_FALSE(known.IsKnownMissing("C:\\locked\\x.dll"));
}

// Where Windows reads a path other than as written (dot segments, trailing dots and blanks,
// streams, wildcards, other separators), or letter case differs, nothing is inferred.
TEST(PathKnowledge, OnlyPlainPathsTakePart) {
    for (const char* path : {"C:\\a\\..\\b\\x", "C:\\a\\.\\x", "C:\\a.\\x", "C:\\a \\x", "C:\\a\\\\x", "C:/a/x",
                             "C:\\a\\x:stream", "C:\\a*\\x", "\\\\server\\share\\x", "relative\\x", "C:\\", "C:"}) {
        EXPECT_FALSE(IsPlainPath(path)) << path;
        PathKnowledge known;
        known.Learn(path, Answer::PathNotFound);
        known.Learn(path, Answer::FileNotFound);
        EXPECT_FALSE(known.IsKnownMissing(path)) << path;
    }
    EXPECT_TRUE(IsPlainPath("c:\\program files\\app 9\\app.exe"));
    PathKnowledge known;
    known.Learn("C:\\Gone\\x.dll", Answer::PathNotFound);
    EXPECT_FALSE(known.IsKnownMissing("c:\\gone\\y.dll"));
}
