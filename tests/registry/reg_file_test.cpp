#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/reg_file_reader.h"
#include "registry/reg_file_writer.h"
#include "registry/utf16_text.h"

namespace {
std::vector<uint8_t> Wide(std::u16string text, bool terminated = true) {
    if (terminated) text.push_back(u'\0');
    std::vector<uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

// The written file as 8-bit text (its characters are ASCII here), after checking the BOM.
std::string AsciiOf(const std::string& bytes) {
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        EXPECT_EQ(bytes[i + 1], '\0');
        text += bytes[i];
    }
    return text;
}

std::string Utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

RegFileDocument OneKey(std::vector<RegFileValue> values) {
    return {{{u"HKEY_CURRENT_USER\\Software\\T", false, std::move(values)}}};
}
}  // namespace

TEST(RegFileWriter, WritesEveryFormAsTheRegistryEditorDoes) {
    std::vector<uint8_t> binary(30);
    for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<uint8_t>(i);
    const RegFileDocument document{{
        {u"HKEY_LOCAL_MACHINE\\Software\\Vendor",
         false,
         {
             {u"", 1, Wide(u"default"), false},
             {u"Path", 1, Wide(u"C:\\Old \"x\"\\tool.exe"), false},
             {u"Count", 4, {1, 0, 0, 0x80}, false},
             {u"Blob", 3, binary, false},
             {u"Exp", 2, Wide(u"%a%"), false},
             {u"Multi", 7, Wide(std::u16string(u"a\0b\0", 4)), false},
             {u"None", 0, {}, false},
             {u"Q", 0xb, {1, 2, 3, 4, 5, 6, 7, 8}, false},
             {u"Odd type", 0x12345, {0xff}, false},
             {u"Zero inside", 1, Wide(std::u16string(u"a\0b", 3)), false},
             {u"Cut", 1, {0x41, 0x00, 0x42}, false},
             {u"Line\nname", 1, Wide(u"x\ry"), false},
             {u"Short", 4, {1, 2}, false},
         }},
        {u"HKEY_LOCAL_MACHINE\\Software\\Vendor\\Sub ]", false, {}},
    }};
    const RegFileWrite written = WriteRegFile(document);
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(AsciiOf(written.bytes),
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\r\n"
              "@=\"default\"\r\n"
              "\"Path\"=\"C:\\\\Old \\\"x\\\"\\\\tool.exe\"\r\n"
              "\"Count\"=dword:80000001\r\n"
              "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
              "  16,17,18,19,1a,1b,1c,1d\r\n"
              "\"Exp\"=hex(2):25,00,61,00,25,00,00,00\r\n"
              "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
              "\"None\"=hex(0):\r\n"
              "\"Q\"=hex(b):01,02,03,04,05,06,07,08\r\n"
              "\"Odd type\"=hex(12345):ff\r\n"
              "\"Zero inside\"=hex(1):61,00,00,00,62,00,00,00\r\n"
              "\"Cut\"=hex(1):41,00,42\r\n"
              "\"Line\\nname\"=hex(1):78,00,0d,00,79,00,00,00\r\n"
              "\"Short\"=hex(4):01,02\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Sub ]]\r\n"
              "\r\n");
}

TEST(RegFileWriter, RefusesAKeyNameWithALineBreak) {
    const RegFileWrite written = WriteRegFile({{{u"HKEY_CURRENT_USER\\a\nb", false, {}}}});
    EXPECT_FALSE(written.ok);
    EXPECT_NE(written.error.find("line break"), std::string::npos);
}

class RegFileRoundTrip : public ::testing::TestWithParam<RegFileDocument> {};

TEST_P(RegFileRoundTrip, ParsesBackToTheSameDocument) {
    const RegFileWrite written = WriteRegFile(GetParam());
    ASSERT_TRUE(written.ok) << written.error;
    const RegFileParse parsed = ParseRegFile(written.bytes);
    ASSERT_TRUE(parsed.document) << parsed.line << ": " << parsed.error;
    EXPECT_EQ(*parsed.document, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, RegFileRoundTrip,
    ::testing::Values(RegFileDocument{}, OneKey({}), OneKey({{u"", 1, Wide(u""), false}}),
                      OneKey({{u"Empty", 1, {}, false}}),
                      OneKey({{u"\u2603 \xd834\xdd1e \xdc00", 1, Wide(u"\u00dc\xd800 end"), false}}),
                      OneKey({{u"q\"\\\r\n", 1, Wide(u"\\\"\\"), false}}),
                      OneKey({{u"big", 3, std::vector<uint8_t>(5000, 0xab), false}}),
                      OneKey({{u"maxtype", 0xffffffff, {1}, false}, {u"none", 0, {}, false}}),
                      OneKey({{u"gone", 0, {}, true}}),
                      RegFileDocument{{{u"HKEY_CLASSES_ROOT\\.xyz", true, {}},
                                       {u"HKEY_USERS", false, {{u"v", 4, {0, 0, 0, 0}, false}}}}}));

TEST(RegFileReader, ReadsRegedit4WithItsEightBitStrings) {
    const RegFileParse parsed = ParseRegFile(
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\T]\r\n"
        "\"S\"=\"caf\xC3\xA9\"\r\n"
        "\"E\"=hex(2):25,61,25,00\r\n"
        "\"M\"=hex(7):61,00,62,00,00\r\n"
        "\"B\"=hex:c3,a9\r\n");
    ASSERT_TRUE(parsed.document) << parsed.error;
    EXPECT_EQ(*parsed.document, OneKey({{u"S", 1, Wide(u"caf\u00e9"), false},
                                        {u"E", 2, Wide(u"%a%"), false},
                                        {u"M", 7, Wide(std::u16string(u"a\0b\0", 4)), false},
                                        {u"B", 3, {0xc3, 0xa9}, false}}));
}

TEST(RegFileReader, AcceptsShortRootsCommentsBlanksAndContinuations) {
    const RegFileParse parsed =
        ParseRegFile(Utf16File(u"Windows Registry Editor Version 5.00\n; a comment\n\n  [hkcu\\Software\\T]  \n"
                               u"  \"A\" = dword:1\n\"B\"=HEX:01,\\\n   02 , 3,\\\n  ff\r\n@=\"d\"\r"));
    ASSERT_TRUE(parsed.document) << parsed.line << ": " << parsed.error;
    EXPECT_EQ(*parsed.document,
              OneKey({{u"A", 4, {1, 0, 0, 0}, false}, {u"B", 3, {1, 2, 3, 0xff}, false}, {u"", 1, Wide(u"d"), false}}));
}

struct MalformedFile {
    const char* name;
    std::u16string text;
    size_t line;
};

class RegFileMalformed : public ::testing::TestWithParam<MalformedFile> {};

TEST_P(RegFileMalformed, GivesNoDocumentAndNamesTheLine) {
    const RegFileParse parsed = ParseRegFile(Utf16File(GetParam().text));
    EXPECT_FALSE(parsed.document);
    EXPECT_FALSE(parsed.error.empty());
    EXPECT_EQ(parsed.line, GetParam().line);
}

constexpr const char16_t* kHead = u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\T]\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, RegFileMalformed,
    ::testing::Values(MalformedFile{"Empty", u"", 0}, MalformedFile{"NoHeader", u"[HKEY_CURRENT_USER\\T]\r\n", 1},
                      MalformedFile{"ValueBeforeKey", u"REGEDIT4\r\n\"a\"=\"b\"\r\n", 2},
                      MalformedFile{"UnknownRoot", u"REGEDIT4\r\n[HKEY_NOWHERE\\T]\r\n", 2},
                      MalformedFile{"EmptyKeyName", u"REGEDIT4\r\n[HKEY_CURRENT_USER\\a\\\\b]\r\n", 2},
                      MalformedFile{"TrailingBackslash", u"REGEDIT4\r\n[HKEY_CURRENT_USER\\a\\]\r\n", 2},
                      MalformedFile{"NoClosingBracket", u"REGEDIT4\r\n[HKEY_CURRENT_USER\\a\r\n", 2},
                      MalformedFile{"UnclosedQuote", std::u16string(kHead) + u"\"a\"=\"b\r\n", 3},
                      MalformedFile{"NoEquals", std::u16string(kHead) + u"\"a\" \"b\"\r\n", 3},
                      MalformedFile{"BadHexByte", std::u16string(kHead) + u"\"a\"=hex:01,zz\r\n", 3},
                      MalformedFile{"HexWithoutCommas", std::u16string(kHead) + u"\"a\"=hex:01 02\r\n", 3},
                      MalformedFile{"LongDword", std::u16string(kHead) + u"\"a\"=dword:123456789\r\n", 3},
                      MalformedFile{"EmptyDword", std::u16string(kHead) + u"\"a\"=dword:\r\n", 3},
                      MalformedFile{"UnknownForm", std::u16string(kHead) + u"\"a\"=str:x\r\n", 3},
                      MalformedFile{"GarbageLine", std::u16string(kHead) + u"garbage\r\n", 3},
                      MalformedFile{"ContinuedAtEnd", std::u16string(kHead) + u"\"a\"=hex:01,\\\r\n", 3},
                      MalformedFile{"TextAfterString", std::u16string(kHead) + u"\"a\"=\"b\" x\r\n", 3},
                      MalformedFile{"ZeroInName", std::u16string(kHead) + std::u16string(u"\"a\0b\"=\"c\"\r\n", 11),
                                    3}),
    [](const ::testing::TestParamInfo<MalformedFile>& testInfo) { return testInfo.param.name; });

TEST_P(RegFileMalformed, LeftOutWhenAskedAndTheLinesAfterItAreRead) {
    const RegFileParse parsed =
        ParseRegFileSkippingLines(Utf16File(GetParam().text + u"[HKEY_CURRENT_USER\\After]\r\n\"b\"=dword:2\r\n"));
    if (GetParam().line <= 1) {
        EXPECT_FALSE(parsed.document);
        return;
    }
    ASSERT_TRUE(parsed.document) << parsed.error;
    ASSERT_FALSE(parsed.skipped.empty());
    EXPECT_EQ(parsed.skipped[0].line, GetParam().line);
    EXPECT_FALSE(parsed.skipped[0].reason.empty());
    EXPECT_EQ(parsed.document->keys.back(),
              (RegFileKey{u"HKEY_CURRENT_USER\\After", false, {{u"b", 4, {2, 0, 0, 0}, false}}}));
}

TEST(RegFileReader, LeavesOutBadLinesAndTheValuesOfABadKeyLine) {
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\T]\r\n\"a\"=dword:1\r\ngarbage\r\n"
        u"\"b\"=hex:01,\\\r\n  zz\r\n[HKEY_NOWHERE\\U]\r\n\"c\"=dword:3\r\n[HKEY_CURRENT_USER\\V]\r\n\"d\"=dword:4\r\n";
    const RegFileParse parsed = ParseRegFileSkippingLines(Utf16File(text));
    ASSERT_TRUE(parsed.document) << parsed.error;
    EXPECT_EQ(*parsed.document,
              (RegFileDocument{{{u"HKEY_CURRENT_USER\\T", false, {{u"a", 4, {1, 0, 0, 0}, false}}},
                                {u"HKEY_CURRENT_USER\\V", false, {{u"d", 4, {4, 0, 0, 0}, false}}}}}));
    std::vector<std::pair<size_t, std::u16string>> lines;
    for (const RegFileSkippedLine& line : parsed.skipped) lines.push_back({line.line, line.text});
    EXPECT_EQ(
        lines,
        (std::vector<std::pair<size_t, std::u16string>>{
            {4, u"garbage"}, {5, u"\"b\"=hex:01,\\"}, {6, u"  zz"}, {7, u"[HKEY_NOWHERE\\U]"}, {8, u"\"c\"=dword:3"}}));
    EXPECT_FALSE(ParseRegFile(Utf16File(text)).document);
    const RegFileParse longLine =
        ParseRegFileSkippingLines(Utf16File(u"REGEDIT4\r\n" + std::u16string(300, u'x') + u"\r\n"));
    ASSERT_EQ(longLine.skipped.size(), 1u);
    EXPECT_EQ(longLine.skipped[0].text, std::u16string(100, u'x') + u"...");
}

TEST(RegFileReader, OddUtf16ByteCountIsRefused) {
    EXPECT_FALSE(ParseRegFile(Utf16File(u"REGEDIT4\r\n") + "x").document);
}

TEST(Utf8Text, RoundTripsValidTextAndReplacesBrokenBytes) {
    EXPECT_EQ(EncodeUtf8(DecodeUtf8("a\xC3\xA9\xE2\x98\x83\xF0\x9D\x84\x9E")), "a\xC3\xA9\xE2\x98\x83\xF0\x9D\x84\x9E");
    EXPECT_EQ(DecodeUtf8("\xC3"), u"\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(EncodeUtf8(u"\xd800x"), "\xEF\xBF\xBDx");
}
