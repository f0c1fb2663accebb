#include "registry/reference_text.h"

#include <gtest/gtest.h>

namespace {
std::string Collapsed(std::string text) {
    CollapseDotSegments(text);
    return text;
}
std::string Dropped(std::string text, bool expectDropped) {
    EXPECT_EQ(DropTrailingNameOrBackslash(text), expectDropped);
    return text;
}
}  // namespace

TEST(ReferenceText, CollapsesDotSegmentsIncludingRuns) {
    EXPECT_EQ(Collapsed("C:\\a\\.\\b.exe"), "C:\\a\\b.exe");
    EXPECT_EQ(Collapsed("C:\\a\\.\\.\\.\\b.exe"), "C:\\a\\b.exe");
    EXPECT_EQ(Collapsed("C:\\a\\..\\b.exe"), "C:\\a\\..\\b.exe");
    EXPECT_EQ(Collapsed(".\\a.\\b"), ".\\a.\\b");
}

TEST(ReferenceText, UrlsNetworkPathsAndSystemHelpers) {
    EXPECT_TRUE(IsUrlOrNetworkPath("http://example.com/x"));
    EXPECT_TRUE(IsUrlOrNetworkPath("C:\\a//b"));
    EXPECT_TRUE(IsUrlOrNetworkPath("\\\\server\\share\\x.exe"));
    EXPECT_TRUE(IsUrlOrNetworkPath("C:\\a\\\\b.exe"));
    EXPECT_FALSE(IsUrlOrNetworkPath("C:\\a\\b/c.exe"));

    EXPECT_TRUE(NamesSystemHelper("C:\\Windows\\RunDll32.exe shell32.dll,Control_RunDLL"));
    EXPECT_TRUE(NamesSystemHelper("MSIEXEC /x {1234}"));
    EXPECT_TRUE(NamesSystemHelper("regSVR32 /s x.dll"));
    EXPECT_FALSE(NamesSystemHelper("rundll.exe"));
}

TEST(ReferenceText, DropsOneCharacterNameOrTrailingBackslash) {
    EXPECT_EQ(Dropped("C:\\dir\\x", true), "C:\\dir");
    EXPECT_EQ(Dropped("C:\\dir\\", true), "C:\\dir");
    EXPECT_EQ(Dropped("C:\\dir\\\\", true), "C:\\dir");
    EXPECT_EQ(Dropped("C:\\dir\\xy", false), "C:\\dir\\xy");
    EXPECT_EQ(Dropped("\\", true), "");
    EXPECT_EQ(Dropped("", false), "");
}

TEST(ReferenceText, ParentFolderLosesTrailingBackslashes) {
    std::string parent = "unchanged";
    EXPECT_FALSE(ParentFolderOf("notepad.exe", parent));
    EXPECT_EQ(parent, "unchanged");
    ASSERT_TRUE(ParentFolderOf("C:\\dir\\\\file.exe", parent));
    EXPECT_EQ(parent, "C:\\dir");
    ASSERT_TRUE(ParentFolderOf("C:\\dir\\sub\\", parent));
    EXPECT_EQ(parent, "C:\\dir\\sub");
    ASSERT_TRUE(ParentFolderOf("\\file.exe", parent));
    EXPECT_EQ(parent, "");
}

TEST(ReferenceText, ThirtyTwoBitMeaningsInAnyCase) {
    EXPECT_EQ(RedirectSystem32("C:\\Windows\\system32\\a\\SYSTEM32\\b.dll"),
              "C:\\Windows\\SysWOW64\\a\\SysWOW64\\b.dll");
    EXPECT_EQ(WithThirtyTwoBitFolderNames("\"%programfiles%\\a.exe\" %CommonProgramFiles%\\b %ProgramW6432%"),
              "\"%ProgramFiles(x86)%\\a.exe\" %CommonProgramFiles(x86)%\\b %ProgramW6432%");
    EXPECT_EQ(SysnativeAsSystem32("C:\\Windows\\SysNative\\a.dll C:\\sysnatives\\b C:\\x\\sysnative"),
              "C:\\Windows\\system32\\a.dll C:\\sysnatives\\b C:\\x\\system32");
}

TEST(ReferenceText, WordsThatCarryOnAFolderPath) {
    const std::string line = "C:\\Games Old\\x.exe C:\\d\\y \\\\server\\s %TEMP%\\z plain";
    EXPECT_TRUE(CarriesOnFolderPath(line, 8));    // "Old\x.exe"
    EXPECT_FALSE(CarriesOnFolderPath(line, 18));  // "C:\d\y": a path of its own
    EXPECT_FALSE(CarriesOnFolderPath(line, 25));  // a network path
    EXPECT_FALSE(CarriesOnFolderPath(line, 36));  // "%TEMP%\z"
    EXPECT_FALSE(CarriesOnFolderPath(line, 45));  // "plain"
    EXPECT_FALSE(CarriesOnFolderPath("C:\\Games ", 8));
}

TEST(ReferenceText, NormalizesCommandLines) {
    EXPECT_EQ(NormalizeCommandLine("\"C:\\Program Files\\app.exe\" /s"), "C:\\Program Files\\app.exe   s");
    EXPECT_EQ(NormalizeCommandLine("a;b|c*d?e<f>g^h/i"), "a b c d e f g h i");
    EXPECT_EQ(NormalizeCommandLine("\tC:\\app.exe \r\n"), "C:\\app.exe");
    // Only a colon at index 4 or later gets a blank before it; the drive colon stays.
    EXPECT_EQ(NormalizeCommandLine("C:\\app.exe:stream"), "C:\\app.exe :stream");
    EXPECT_EQ(NormalizeCommandLine("abc:d"), "abc:d");
    EXPECT_EQ(NormalizeCommandLine("abcd:e"), "abcd :e");
    EXPECT_EQ(NormalizeCommandLine("C:\\a:b:c"), "C:\\a :b:c");
    // The index counts in the text as given, before quotes and blanks go.
    EXPECT_EQ(NormalizeCommandLine("  \"C:\\app.exe\""), "C :\\app.exe");
    EXPECT_EQ(NormalizeCommandLine("\"\""), "");
}

TEST(ReferenceText, PrefixesEndBeforeEachBlankShortestFirst) {
    EXPECT_EQ(PrefixesBeforeBlanks("C:\\Program Files\\app.exe  -x"),
              (std::vector<std::string>{"C:\\Program", "C:\\Program Files\\app.exe", "C:\\Program Files\\app.exe "}));
    EXPECT_TRUE(PrefixesBeforeBlanks("C:\\app.exe").empty());
}

TEST(ReferenceText, StripsVersionDigitsAsCharacterSets) {
    EXPECT_EQ(StripVersionDigits("Word.Document.8"), "Word.Document");
    EXPECT_EQ(StripVersionDigits("A.B.12"), "A.B.1");
    EXPECT_EQ(StripVersionDigits("A.21"), "A");
    EXPECT_EQ(StripVersionDigits("A.B.1.0"), "A.B");
    EXPECT_EQ(StripVersionDigits("Shell.Explorer"), "Shell.Explorer");
    EXPECT_EQ(StripVersionDigits("1.2"), "1");
    EXPECT_EQ(StripVersionDigits("2.1"), "");
    EXPECT_EQ(StripVersionDigits(""), "");
}
