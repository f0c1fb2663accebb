#include "ui/tools/version_language.h"

#include <algorithm>

#include "base/text_format.h"

namespace {
constexpr uint16_t kNeutral = 0x00;
constexpr uint16_t kEnglish = 0x09;
constexpr uint16_t kUsEnglish = 0x0409;
constexpr uint16_t kUnicode = 1200;
constexpr uint16_t kWestern = 1252;

// A pair whose language is exactly the given one, else the first with the same low byte.
std::optional<TranslationPair> FindLanguage(const std::vector<TranslationPair>& table, uint16_t language) {
    auto exact = std::find_if(table.begin(), table.end(),
                              [language](TranslationPair pair) { return PairLanguage(pair) == language; });
    if (exact != table.end()) return *exact;
    auto sameLow = std::find_if(table.begin(), table.end(), [language](TranslationPair pair) {
        return (PairLanguage(pair) & 0xFF) == (language & 0xFF);
    });
    if (sameLow != table.end()) return *sameLow;
    return std::nullopt;
}
}  // namespace

std::optional<TranslationPair> ChooseTranslation(const std::vector<TranslationPair>& table, uint16_t userLanguage) {
    if (table.empty()) return std::nullopt;
    for (uint16_t language : {userLanguage, kNeutral, kEnglish}) {
        if (auto found = FindLanguage(table, language)) return found;
    }
    return table.front();
}

std::vector<TranslationPair> FallbackTranslations(uint16_t userLanguage) {
    std::vector<TranslationPair> pairs;
    for (uint16_t language : {userLanguage, kUsEnglish}) {
        for (uint16_t codePage : {kUnicode, kWestern}) {
            const TranslationPair pair = MakeTranslationPair(language, codePage);
            if (std::find(pairs.begin(), pairs.end(), pair) == pairs.end()) pairs.push_back(pair);
        }
    }
    return pairs;
}

std::string StringFileInfoPrefix(TranslationPair pair) {
    return Format("\\StringFileInfo\\%04X%04X\\", PairLanguage(pair), PairCodePage(pair));
}
