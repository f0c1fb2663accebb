#include "ui/tools/file_version_info.h"

#include <gtest/gtest.h>

#include "tests/ui/version_samples.h"

namespace {
std::string Sample(const std::string& name) {
    const std::string path = SampleFolder("tidrex-version-samples") + "\\" + name + ".exe";
    EXPECT_TRUE(PlaceSample(name, path)) << name;
    return path;
}

struct LanguageCase {
    const char* name;
    const char* sample;
    uint16_t user;
    uint16_t language;
    uint16_t codePage;
    const char* company;
};

class FileVersionInfoLanguage : public ::testing::TestWithParam<LanguageCase> {};
}  // namespace

TEST_P(FileVersionInfoLanguage, ReadsTheTextsOfTheChosenLanguage) {
    const LanguageCase& c = GetParam();
    FileVersionInfo info;
    ASSERT_TRUE(info.Create(Sample(c.sample), c.user));
    EXPECT_EQ(info.GetTranslation(), MakeTranslationPair(c.language, c.codePage));
    EXPECT_EQ(info.GetCompanyName(), c.company);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, FileVersionInfoLanguage,
    ::testing::Values(
        // Read under "\StringFileInfo\040704E4\".
        LanguageCase{"GermanUserOfEnglishAndGerman", "english_german", 0x0407, 0x0407, 1252, "Beispielwerke"},
        LanguageCase{"EnglishUserOfEnglishAndGerman", "english_german", 0x0409, 0x0409, 1252, "Sample Works"},
        LanguageCase{"AustrianUserTakesGermanByItsLowByte", "german_only", 0x0C07, 0x0407, 1200, "Nur Deutsch GmbH"},
        LanguageCase{"JapaneseUserOfEnglishAndGermanGetsEnglish", "english_german", 0x0411, 0x0409, 1252,
                     "Sample Works"},
        LanguageCase{"GermanUserOfOnlyJapaneseGetsIt", "japanese_only", 0x0407, 0x0411, 1200, "Japanese only"},
        LanguageCase{"GermanUserOfJapaneseAndKoreanGetsTheFirstPair", "japanese_korean", 0x0407, 0x0411, 932,
                     "Japanese texts"},
        LanguageCase{"KoreanUserOfJapaneseAndKorean", "japanese_korean", 0x0412, 0x0412, 949, "Korean texts"},
        LanguageCase{"NoTranslationTableFallsBackToUsEnglish", "no_translation", 0x0407, 0x0409, 1200,
                     "Untranslated Company"}),
    [](const ::testing::TestParamInfo<LanguageCase>& testInfo) { return std::string(testInfo.param.name); });

TEST(FileVersionInfo, ReadsTheFixedBlockAndTheTwelveTextsInOrder) {
    FileVersionInfo info;
    ASSERT_TRUE(info.Create(Sample("english_german"), 0x0409));
    const VS_FIXEDFILEINFO& fixed = info.GetFixedInfo();
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00030004u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00050006u);
    const char* expected[] = {"Sample Works", "Sample Tool",  "1.2.3.4", "sample",          "Copyright Sample Works",
                              "sample.exe",   "Sample Suite", "5.6",     "English comment", "Sample is a trademark",
                              "private-en",   "special-en"};
    for (int text = 0; text < FileVersionInfo::TextCount; ++text) {
        EXPECT_EQ(info.GetText(static_cast<FileVersionInfo::Text>(text)), expected[text])
            << FileVersionInfo::TextName(static_cast<FileVersionInfo::Text>(text));
    }
    EXPECT_EQ(info.GetFileDescription(), "Sample Tool");
    EXPECT_EQ(info.GetFileVersion(), "1.2.3.4");
    EXPECT_EQ(info.GetInternalName(), "sample");
    EXPECT_EQ(info.GetProductName(), "Sample Suite");
    EXPECT_EQ(info.GetProductVersion(), "5.6");
}

TEST(FileVersionInfo, AnEntryMissingInTheChosenLanguageStaysEmpty) {
    FileVersionInfo info;
    ASSERT_TRUE(info.Create(Sample("english_german"), 0x0407));
    EXPECT_EQ(info.GetText(FileVersionInfo::Comments), "");  // only the English table has it
    EXPECT_EQ(info.GetProductName(), "Beispielpaket");
    EXPECT_EQ(info.GetProductVersion(), "5.6 de");
}

TEST(FileVersionInfo, AFileWithoutVersionResourceLeavesEverythingEmpty) {
    FileVersionInfo info;
    ASSERT_TRUE(info.Create(Sample("english_german"), 0x0409));
    for (const std::string& path :
         {Sample("no_version"), std::string("C:\\no such folder\\missing.exe"), std::string("")}) {
        EXPECT_FALSE(info.Create(path, 0x0409)) << path;
        for (int text = 0; text < FileVersionInfo::TextCount; ++text) {
            EXPECT_EQ(info.GetText(static_cast<FileVersionInfo::Text>(text)), "");
        }
        EXPECT_EQ(info.GetCompanyName(), "");
        EXPECT_EQ(info.GetFixedInfo().dwSignature, 0u);
        EXPECT_EQ(info.GetFixedInfo().dwFileVersionMS, 0u);
        EXPECT_EQ(info.GetTranslation(), 0u);
    }
}

TEST(FileVersionInfo, WithoutALanguageTheUsersDefaultIsUsed) {
    FileVersionInfo byDefault, byUser;
    ASSERT_TRUE(byDefault.Create(Sample("english_german")));
    ASSERT_TRUE(byUser.Create(Sample("english_german"), GetUserDefaultLangID()));
    EXPECT_EQ(byDefault.GetTranslation(), byUser.GetTranslation());
    EXPECT_EQ(byDefault.GetCompanyName(), byUser.GetCompanyName());
}
