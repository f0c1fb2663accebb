#include "ui/dialog_template_font.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
void Word(std::vector<uint8_t>& bytes, uint16_t word) {
    bytes.push_back(static_cast<uint8_t>(word & 0xFF));
    bytes.push_back(static_cast<uint8_t>(word >> 8));
}
void Dword(std::vector<uint8_t>& bytes, uint32_t value) {
    Word(bytes, static_cast<uint16_t>(value & 0xFFFF));
    Word(bytes, static_cast<uint16_t>(value >> 16));
}
void Text(std::vector<uint8_t>& bytes, const std::u16string& text) {
    for (char16_t unit : text) Word(bytes, static_cast<uint16_t>(unit));
    Word(bytes, 0);
}
void Align(std::vector<uint8_t>& bytes) {
    while (bytes.size() % 4) bytes.push_back(0);
}

// An extended template with a title, a font and one item whose bytes are recognisable.
std::vector<uint8_t> Template(const std::u16string& typeface, uint32_t style = 0x40) {
    std::vector<uint8_t> bytes;
    Word(bytes, 1);
    Word(bytes, 0xFFFF);
    Dword(bytes, 0);
    Dword(bytes, 0);
    Dword(bytes, style);
    Word(bytes, 1);
    for (uint16_t v : {0, 0, 433, 222}) Word(bytes, v);
    Word(bytes, 0);  // no menu
    Word(bytes, 0);  // default class
    Text(bytes, u"Title");
    if (style & 0x40) {
        Word(bytes, 8);
        Word(bytes, 400);
        bytes.push_back(0);
        bytes.push_back(1);
        Text(bytes, typeface);
    }
    Align(bytes);
    for (uint8_t b : {0xAA, 0xBB, 0xCC, 0xDD, 0x11, 0x22}) bytes.push_back(b);
    return bytes;
}
}  // namespace

TEST(DialogPointSize, FollowsTheVerticalDpi) {
    EXPECT_EQ(DialogPointSize(96), 8);
    EXPECT_EQ(DialogPointSize(120), 7);
    EXPECT_EQ(DialogPointSize(144), 6);  // 5.5 rounds up
    EXPECT_EQ(DialogPointSize(0), 8);
}

TEST(WithDialogFont, ReplacesTypefaceAndSizeAndKeepsTheItems) {
    for (const std::u16string& original :
         {std::u16string(u"MS Shell Dlg"), std::u16string(u"Arial"), std::u16string(u"T")}) {
        const std::vector<uint8_t> source = Template(original);
        const std::vector<uint8_t> changed = WithDialogFont(source.data(), source.size(), u"Tahoma", 7);
        ASSERT_FALSE(changed.empty());
        const DialogTemplateFont font = ReadDialogFont(changed.data(), changed.size());
        EXPECT_EQ(font.typeface, u"Tahoma");
        EXPECT_EQ(font.pointSize, 7);
        // The items follow the font on a DWORD boundary, unchanged.
        ASSERT_GE(changed.size(), 6u);
        EXPECT_EQ(std::memcmp(changed.data() + changed.size() - 6, source.data() + source.size() - 6, 6), 0);
        EXPECT_EQ((changed.size() - 6) % 4, 0u);
        // Weight, italic and character set are kept.
        const DialogTemplateFont before = ReadDialogFont(source.data(), source.size());
        EXPECT_EQ(before.typeface, original);
    }
}

TEST(WithDialogFont, RefusesWhatItCannotReadSafely) {
    const std::vector<uint8_t> noFont = Template(u"", 0);
    EXPECT_TRUE(WithDialogFont(noFont.data(), noFont.size(), u"Tahoma", 8).empty());
    const std::vector<uint8_t> whole = Template(u"Arial");
    for (size_t cut : {0u, 10u, 27u, 40u, 52u}) {
        EXPECT_TRUE(WithDialogFont(whole.data(), cut, u"Tahoma", 8).empty()) << cut;
    }
    EXPECT_TRUE(WithDialogFont(nullptr, 100, u"Tahoma", 8).empty());
}
