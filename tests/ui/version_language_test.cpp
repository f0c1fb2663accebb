#include "ui/tools/version_language.h"

#include <gtest/gtest.h>

namespace {
constexpr uint16_t kWestern = 1252;

TranslationPair Pair(uint16_t language) { return MakeTranslationPair(language, kWestern); }

struct ChoiceCase {
    const char* name;
    std::vector<uint16_t> languages;
    uint16_t user;
    uint16_t chosen;
};

class TranslationChoice : public ::testing::TestWithParam<ChoiceCase> {};
}  // namespace

TEST_P(TranslationChoice, FollowsTheFiveSteps) {
    std::vector<TranslationPair> table;
    for (uint16_t language : GetParam().languages) table.push_back(Pair(language));
    const std::optional<TranslationPair> chosen = ChooseTranslation(table, GetParam().user);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(PairLanguage(*chosen), GetParam().chosen);
    EXPECT_EQ(PairCodePage(*chosen), kWestern);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TranslationChoice,
    ::testing::Values(ChoiceCase{"UserLanguageExactly", {0x0409, 0x0407}, 0x0407, 0x0407},
                      ChoiceCase{"ExactAnywhereBeatsAnEarlierLowByte", {0x0C07, 0x0807, 0x0407}, 0x0407, 0x0407},
                      ChoiceCase{"SameLowByte", {0x0409, 0x0407}, 0x0C07, 0x0407},
                      ChoiceCase{"FirstOfTheSameLowByte", {0x0411, 0x0807, 0x0407}, 0x0C07, 0x0807},
                      ChoiceCase{"LowByteOfTheUserBeforeNeutral", {0x0000, 0x0807}, 0x0407, 0x0807},
                      ChoiceCase{"Neutral", {0x0411, 0x0000, 0x0409}, 0x0407, 0x0000},
                      ChoiceCase{"NeutralExactBeatsNeutralLowByte", {0x0411, 0x0400, 0x0000}, 0x0407, 0x0000},
                      ChoiceCase{"NeutralLowByte", {0x0411, 0x0400, 0x0409}, 0x0407, 0x0400},
                      ChoiceCase{"EnglishExactBeatsEnglishLowByte", {0x0411, 0x0809, 0x0009}, 0x0407, 0x0009},
                      ChoiceCase{"EnglishLowByte", {0x0411, 0x0809, 0x0409}, 0x0407, 0x0809},
                      ChoiceCase{"FirstPairWhenNothingMatches", {0x0411, 0x0412}, 0x0407, 0x0411},
                      ChoiceCase{"OnlyPairOfAnotherLanguage", {0x0411}, 0x0407, 0x0411}),
    [](const ::testing::TestParamInfo<ChoiceCase>& testInfo) { return std::string(testInfo.param.name); });

TEST(TranslationChoiceEdges, AnEmptyTableChoosesNothingAndTheCodePageTravelsWithItsLanguage) {
    EXPECT_FALSE(ChooseTranslation({}, 0x0407).has_value());
    const std::vector<TranslationPair> table{MakeTranslationPair(0x0409, 1200), MakeTranslationPair(0x0407, 932)};
    EXPECT_EQ(ChooseTranslation(table, 0x0407), MakeTranslationPair(0x0407, 932));
}

TEST(StringFileInfoPrefix, IsFourUpperCaseHexDigitsOfLanguageThenCodePage) {
    EXPECT_EQ(StringFileInfoPrefix(MakeTranslationPair(0x0407, 1252)), "\\StringFileInfo\\040704E4\\");
    EXPECT_EQ(StringFileInfoPrefix(MakeTranslationPair(0x0C0A, 0x04B0)), "\\StringFileInfo\\0C0A04B0\\");
    EXPECT_EQ(StringFileInfoPrefix(MakeTranslationPair(0, 0)), "\\StringFileInfo\\00000000\\");
}

TEST(FallbackTranslations, UserLanguageThenUsEnglishWithoutRepeats) {
    EXPECT_EQ(FallbackTranslations(0x0407),
              (std::vector<TranslationPair>{MakeTranslationPair(0x0407, 1200), MakeTranslationPair(0x0407, 1252),
                                            MakeTranslationPair(0x0409, 1200), MakeTranslationPair(0x0409, 1252)}));
    EXPECT_EQ(FallbackTranslations(0x0409),
              (std::vector<TranslationPair>{MakeTranslationPair(0x0409, 1200), MakeTranslationPair(0x0409, 1252)}));
}
