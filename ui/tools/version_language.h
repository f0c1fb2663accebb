#pragma once
// Which language of a version resource to read: the pairs of its translation table (language
// in the low 16 bits, code page in the high 16 bits) against the user's default language.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using TranslationPair = uint32_t;

inline constexpr uint16_t PairLanguage(TranslationPair pair) { return static_cast<uint16_t>(pair & 0xFFFF); }
inline constexpr uint16_t PairCodePage(TranslationPair pair) { return static_cast<uint16_t>(pair >> 16); }
inline constexpr TranslationPair MakeTranslationPair(uint16_t language, uint16_t codePage) {
    return static_cast<TranslationPair>(language) | static_cast<TranslationPair>(codePage) << 16;
}

// In order: the user's language exactly; the same primary language (low byte); neutral (0,
// else low byte 0); English (9, else low byte 9); the first pair. Nothing for an empty table.
std::optional<TranslationPair> ChooseTranslation(const std::vector<TranslationPair>& table, uint16_t userLanguage);

// The pairs to try, in order, when a resource has no translation table: the user's language,
// then U.S. English, each in Unicode (1200) and in the Western code page (1252).
std::vector<TranslationPair> FallbackTranslations(uint16_t userLanguage);

// "\StringFileInfo\LLLLCCCC\" for the pair, in upper-case hexadecimal.
std::string StringFileInfoPrefix(TranslationPair pair);
