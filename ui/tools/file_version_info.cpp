#include "ui/tools/file_version_info.h"

#include <cstring>
#include <vector>

namespace {
constexpr const char* kTextNames[] = {"CompanyName",    "FileDescription",  "FileVersion",  "InternalName",
                                      "LegalCopyright", "OriginalFileName", "ProductName",  "ProductVersion",
                                      "Comments",       "LegalTrademarks",  "PrivateBuild", "SpecialBuild"};
static_assert(std::size(kTextNames) == FileVersionInfo::TextCount);

std::vector<TranslationPair> TranslationTable(const std::vector<BYTE>& block) {
    void* data = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &data, &size) || !data) return {};
    std::vector<TranslationPair> table(size / sizeof(TranslationPair));
    if (!table.empty()) std::memcpy(table.data(), data, table.size() * sizeof(TranslationPair));
    return table;
}

// The text at the path, bounded by the length the resource gives; false when it is missing.
bool QueryText(const std::vector<BYTE>& block, const std::string& path, std::string& text) {
    void* data = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), &data, &length) || !data) return false;
    const auto* characters = static_cast<const char*>(data);
    text.assign(characters, strnlen(characters, length));
    return true;
}
}  // namespace

const char* FileVersionInfo::TextName(Text text) { return kTextNames[text]; }

void FileVersionInfo::Reset() {
    std::memset(&fixed_, 0, sizeof(fixed_));
    for (std::string& text : texts_) text.clear();
    translation_ = 0;
}

bool FileVersionInfo::Create(const std::string& path) { return Create(path, GetUserDefaultLangID()); }

bool FileVersionInfo::Create(const std::string& path, uint16_t userLanguage) {
    Reset();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return false;

    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueA(block.data(), "\\", &fixed, &fixedSize) && fixed && fixedSize == sizeof(fixed_)) {
        std::memcpy(&fixed_, fixed, sizeof(fixed_));
    }

    // Without a translation table the resource names no language: the first likely one that
    // holds any text is taken.
    const std::optional<TranslationPair> chosen = ChooseTranslation(TranslationTable(block), userLanguage);
    const std::vector<TranslationPair> candidates =
        chosen ? std::vector<TranslationPair>{*chosen} : FallbackTranslations(userLanguage);
    for (TranslationPair pair : candidates) {
        const std::string prefix = StringFileInfoPrefix(pair);
        bool any = false;
        for (int text = 0; text < TextCount; ++text) any |= QueryText(block, prefix + kTextNames[text], texts_[text]);
        if (any || chosen) {
            translation_ = pair;
            break;
        }
    }
    return true;
}
