#include "backup/backup_records.h"

#include <gtest/gtest.h>

#include "backup/descriptor_reader.h"
#include "tests/backup/legacy_descriptor_reader.h"

TEST(BackupRecords, ValueRecordIsTheFormatsOwnExampleByteForByte) {
    EXPECT_EQ(ValueRecord("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Tool", "Path", "C:\\Old\\tool.exe"),
              "[TYPE:REG_VALUE]\x0D\x0D\x0A"
              "[MAIN_KEY:HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Tool]\x0D\x0D\x0A"
              "[VALUE_NAME:Path]\x0D\x0D\x0A"
              "[VALUE:C:\\Old\\tool.exe]\x0D\x0D\x0A");
    EXPECT_EQ(std::string("[TYPE:REG_VALUE]").size(), 16u);
    EXPECT_EQ(KeyRecord("HKEY_CLASSES_ROOT\\.xyz", 2),
              "[TYPE:REG_KEY]\r\r\n[NAME:HKEY_CLASSES_ROOT\\.xyz]\r\r\n[PATH:\\RegKeyBkup2.reg]\r\r\n");
    EXPECT_EQ(FileRecord("C:\\Links\\a.lnk"), "[TYPE:FILE]\r\r\n[DEST_PATH:C:\\Links\\a.lnk]\r\r\n");
    EXPECT_EQ(RawLine(4, {0x01, 0x00, 0xab, 0xff}), "[RAW:4:0100abff]\r\r\n");
    EXPECT_EQ(RawLine(0xffffffff, {}), "[RAW:4294967295:]\r\r\n");
    EXPECT_EQ(StagedLine("StagedFile1"), "[STAGED:StagedFile1]\r\r\n");
    EXPECT_EQ(KeyExportName(12), "RegKeyBkup12.reg");
}

TEST(BackupRecords, LineBreaksAreRecognised) {
    EXPECT_TRUE(HasLineBreak("a\nb"));
    EXPECT_TRUE(HasLineBreak("a\r"));
    EXPECT_FALSE(HasLineBreak("a ] b TYPE:FILE"));
}

namespace {
// A descriptor with every record kind and both extra lines, as the backup writes it.
std::string MixedDescriptor() {
    return KeyRecord("HKEY_LOCAL_MACHINE\\SOFTWARE\\A", 0) +
           ValueRecord("HKEY_CURRENT_USER\\Software\\B", "Count", "") + RawLine(4, {7, 0, 0, 0}) +
           ValueRecord("HKEY_CURRENT_USER\\Software\\B", "Data]x", "C:\\x]y") + RawLine(1, {0x41, 0, 0, 0}) +
           FileRecord("C:\\One\\same.lnk") + FileRecord("C:\\Two\\same.lnk") + StagedLine("StagedFile1") +
           KeyRecord("HKEY_CLASSES_ROOT\\.xyz", 1);
}
}  // namespace

TEST(DescriptorReader, ReadsEveryRecordWithItsExtraLines) {
    const Descriptor descriptor = ReadDescriptor(MixedDescriptor());
    EXPECT_FALSE(descriptor.truncated);
    ASSERT_EQ(descriptor.records.size(), 6u);
    const auto& key = descriptor.records[0];
    EXPECT_EQ(key.kind, DescriptorRecord::Kind::Key);
    EXPECT_EQ(key.name, "HKEY_LOCAL_MACHINE\\SOFTWARE\\A");
    EXPECT_EQ(key.path, "\\RegKeyBkup0.reg");
    const auto& counter = descriptor.records[1];
    EXPECT_EQ(counter.mainKey, "HKEY_CURRENT_USER\\Software\\B");
    EXPECT_EQ(counter.valueName, "Count");
    EXPECT_EQ(counter.value, "");
    EXPECT_TRUE(counter.hasRaw && counter.rawValid);
    EXPECT_EQ(counter.rawType, 4u);
    EXPECT_EQ(counter.rawData, (std::vector<uint8_t>{7, 0, 0, 0}));
    EXPECT_EQ(descriptor.records[2].valueName, "Data]x");
    EXPECT_EQ(descriptor.records[2].value, "C:\\x]y");
    EXPECT_EQ(descriptor.records[3].path, "C:\\One\\same.lnk");
    EXPECT_EQ(descriptor.records[3].stagedName, "");
    EXPECT_EQ(descriptor.records[4].stagedName, "StagedFile1");
    EXPECT_EQ(descriptor.records[5].path, "\\RegKeyBkup1.reg");
}

TEST(DescriptorReader, AnOlderReaderSkipsTheExtraLinesAndSeesTheSameRecords) {
    const LegacyReading legacy = ReadLegacy(MixedDescriptor());
    EXPECT_FALSE(legacy.cut);
    ASSERT_EQ(legacy.records.size(), 6u);
    const std::vector<std::string> types = {"REG_KEY", "REG_VALUE", "REG_VALUE", "FILE", "FILE", "REG_KEY"};
    for (size_t i = 0; i < types.size(); ++i) EXPECT_EQ(legacy.records[i].type, types[i]);
    // The older reader takes the values with the line's stray carriage return cut at the "]".
    EXPECT_EQ(legacy.records[1].values, (std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\B", "Count", ""}));
    EXPECT_EQ(legacy.records[2].values[2], "C:\\x]y");
    EXPECT_EQ(legacy.records[4].values[0], "C:\\Two\\same.lnk");
    EXPECT_EQ(legacy.records[5].values[1], "\\RegKeyBkup1.reg");
}

struct DescriptorCase {
    const char* name;
    std::string text;
    size_t records;
    bool truncated;
};

class DescriptorEndings : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(DescriptorEndings, ReadsTheRecordsBeforeAnyCut) {
    const Descriptor descriptor = ReadDescriptor(GetParam().text);
    EXPECT_EQ(descriptor.records.size(), GetParam().records);
    EXPECT_EQ(descriptor.truncated, GetParam().truncated);
    for (const DescriptorRecord& record : descriptor.records) {
        if (record.kind == DescriptorRecord::Kind::File) {
            EXPECT_EQ(record.path, "C:\\a.lnk");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DescriptorEndings,
    ::testing::Values(
        DescriptorCase{"Empty", "", 0, false},
        DescriptorCase{"CrCrLf", "[TYPE:FILE]\r\r\n[DEST_PATH:C:\\a.lnk]\r\r\n", 1, false},
        DescriptorCase{"CrLf", "[TYPE:FILE]\r\n[DEST_PATH:C:\\a.lnk]\r\n", 1, false},
        DescriptorCase{"Lf", "[TYPE:FILE]\n[DEST_PATH:C:\\a.lnk]", 1, false},
        DescriptorCase{"LowerCaseType", "[TYPE:file]\n[DEST_PATH:C:\\a.lnk]\n", 1, false},
        DescriptorCase{"UnknownTypesSkipped", "junk\n[TYPE:OTHER]\n[TYPE:FILE]\n[DEST_PATH:C:\\a.lnk]\n", 1, false},
        DescriptorCase{"CutInsideValue",
                       "[TYPE:FILE]\n[DEST_PATH:C:\\a.lnk]\n[TYPE:REG_VALUE]\n[MAIN_KEY:HKEY_USERS\\x]\n", 1, true},
        DescriptorCase{"CutAfterType", "[TYPE:REG_KEY]\r\r\n", 0, true}),
    [](const ::testing::TestParamInfo<DescriptorCase>& testInfo) { return testInfo.param.name; });

struct RawCase {
    const char* name;
    const char* line;
};

class DamagedRawLine : public ::testing::TestWithParam<RawCase> {};

TEST_P(DamagedRawLine, IsTakenButMarkedInvalid) {
    const Descriptor descriptor =
        ReadDescriptor(ValueRecord("HKEY_USERS\\x", "v", "d") + GetParam().line + "\r\r\n" + FileRecord("C:\\a.lnk"));
    ASSERT_EQ(descriptor.records.size(), 2u);
    EXPECT_TRUE(descriptor.records[0].hasRaw);
    EXPECT_FALSE(descriptor.records[0].rawValid);
}

INSTANTIATE_TEST_SUITE_P(Lines, DamagedRawLine,
                         ::testing::Values(RawCase{"BadHex", "[RAW:4:01zz0000]"}, RawCase{"OddHex", "[RAW:4:010]"},
                                           RawCase{"NoType", "[RAW::00]"},
                                           RawCase{"TypeTooLarge", "[RAW:4294967296:00]"},
                                           RawCase{"NoColon", "[RAW:400]"}, RawCase{"NoBracket", "[RAW:4:00"},
                                           RawCase{"SignedType", "[RAW:-4:00]"}),
                         [](const ::testing::TestParamInfo<RawCase>& testInfo) { return testInfo.param.name; });

TEST(RecordValue, CutsAtTheLastBracketAndKeepsLinesWithoutTheKey) {
    EXPECT_EQ(RecordValue("[VALUE:a]b]\r", "VALUE"), "a]b");
    EXPECT_EQ(RecordValue("xx[NAME:n]", "NAME"), "n");
    EXPECT_EQ(RecordValue("no key here", "TYPE"), "no key here");
    EXPECT_EQ(RecordValue("[NAME:open\r", "NAME"), "open");
    EXPECT_EQ(RecordValue("[NAME", "NAME"), "");
    EXPECT_EQ(RecordValue("]x[NAME:", "NAME"), "");
}
