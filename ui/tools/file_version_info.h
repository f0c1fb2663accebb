#pragma once
// The version resource of an executable or library: its fixed block and twelve standard texts,
// read in the language of the resource that best matches the user's.
#include <windows.h>

#include <array>
#include <string>

#include "ui/tools/version_language.h"

class FileVersionInfo {
public:
    // The twelve texts, in the order they are read and held.
    enum Text {
        CompanyName,
        FileDescription,
        FileVersion,
        InternalName,
        LegalCopyright,
        OriginalFileName,
        ProductName,
        ProductVersion,
        Comments,
        LegalTrademarks,
        PrivateBuild,
        SpecialBuild,
        TextCount
    };

    FileVersionInfo() { Reset(); }
    virtual ~FileVersionInfo() = default;
    virtual void Reset();

    // False when the file has no version resource or it cannot be read; the fields are then
    // empty. Texts missing in the chosen language stay empty.
    bool Create(const std::string& path);
    bool Create(const std::string& path, uint16_t userLanguage);

    std::string GetCompanyName() const { return texts_[CompanyName]; }
    std::string GetFileDescription() const { return texts_[FileDescription]; }
    std::string GetFileVersion() const { return texts_[FileVersion]; }
    std::string GetInternalName() const { return texts_[InternalName]; }
    std::string GetProductName() const { return texts_[ProductName]; }
    std::string GetProductVersion() const { return texts_[ProductVersion]; }
    const std::string& GetText(Text text) const { return texts_[text]; }
    const VS_FIXEDFILEINFO& GetFixedInfo() const { return fixed_; }
    // The language and code page the texts were read in; 0 when nothing was read.
    TranslationPair GetTranslation() const { return translation_; }

    static const char* TextName(Text text);

private:
    VS_FIXEDFILEINFO fixed_;
    std::array<std::string, TextCount> texts_;
    TranslationPair translation_ = 0;
};
