#include "backup/backup_set.h"

#include <gtest/gtest.h>

#include "backup/backup_list.h"
#include "backup/backup_records.h"
#include "backup/descriptor_reader.h"
#include "backup/key_file_backup.h"
#include "backup/unpacked_backup.h"
#include "registry/key_import.h"
#include "tests/backup/legacy_descriptor_reader.h"
#include "tests/backup/removal_fixture.h"

namespace {
SYSTEMTIME FixedTime() {
    SYSTEMTIME time{};
    time.wYear = 2026, time.wMonth = 12, time.wDay = 7, time.wHour = 9, time.wMinute = 5, time.wSecond = 3;
    return time;
}

std::string DescriptorOf(const std::string& archive) {
    const UnpackResult unpacked = UnpackBackup(archive);
    EXPECT_TRUE(unpacked.backup) << unpacked.error;
    if (!unpacked.backup) return {};
    const std::string* descriptor = unpacked.backup->Find(kDescriptorName);
    return descriptor ? *descriptor : std::string();
}
}  // namespace

TEST(BackupSet, KeysAndValuesGetNumberedExportsAndRecordsInTheirOrder) {
    RemovalFixture f;
    for (const char* name : {"A", "B", "C"})
        f.SetValue(kCurrentUser, f.Below(kCurrentUser, name), L"v", REG_DWORD, {1, 0, 0, 0});
    f.SetValue(kCurrentUser, f.Below(kCurrentUser, "V"), L"Path", REG_SZ, WideBytes(L"C:\\Old\\tool.exe"));
    std::string error;
    ASSERT_TRUE(f.backup.BeginBackup(error)) << error;
    const RegistryProblem& a = f.KeyProblem(kCurrentUser, f.Below(kCurrentUser, "A"));
    const RegistryProblem& v = f.ValueProblem(kCurrentUser, f.Below(kCurrentUser, "V"), "Path", "C:\\Old\\tool.exe");
    const RegistryProblem& b = f.KeyProblem(kCurrentUser, f.Below(kCurrentUser, "B"));
    const RegistryProblem& c = f.KeyProblem(kCurrentUser, f.Below(kCurrentUser, "C"));
    for (const RegistryProblem* problem : {&a, &v, &b, &c}) {
        EXPECT_EQ(f.backup.BackupRegItem(*problem).status, ItemBackup::Status::Saved);
    }
    ASSERT_TRUE(f.backup.FinishBackup(error)) << error;

    const UnpackResult unpacked = UnpackBackup(f.backup.ArchivePath());
    ASSERT_TRUE(unpacked.backup);
    std::vector<std::string> names;
    for (const auto& [name, bytes] : unpacked.backup->entries) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"Config.ini", "RegKeyBkup0.reg", "RegKeyBkup1.reg", "RegKeyBkup2.reg"}));
    const std::string root = "HKEY_CURRENT_USER\\" + f.Area(kCurrentUser);
    EXPECT_EQ(DescriptorOf(f.backup.ArchivePath()), KeyRecord(root + "\\A", 0) +
                                                        ValueRecord(root + "\\V", "Path", "C:\\Old\\tool.exe") +
                                                        RawLine(REG_SZ, WideBytes(L"C:\\Old\\tool.exe")) +
                                                        KeyRecord(root + "\\B", 1) + KeyRecord(root + "\\C", 2));
    const std::string* export1 = unpacked.backup->Find("RegKeyBkup1.reg");
    ASSERT_TRUE(export1);
    EXPECT_EQ(export1->substr(0, 2), "\xFF\xFE");
}

TEST(BackupSet, OurDescriptorReadsTheSameThroughAnOlderReader) {
    RemovalFixture f;
    const std::string key = f.Below(kCurrentUser, "Counters");
    f.SetValue(kCurrentUser, key, L"c:\\shared\\a.dll", REG_DWORD, {2, 0, 0, 0});
    f.SetValue(kCurrentUser, f.Below(kCurrentUser, "Whole"), L"x", REG_SZ, WideBytes(L"y"));
    f.ValueProblem(kCurrentUser, key, "c:\\shared\\a.dll", "", kSharedFilesSection);
    f.ShortcutProblem("One\\Same.lnk", "one");
    f.ShortcutProblem("Two\\Same.lnk", "two");
    f.KeyProblem(kCurrentUser, f.Below(kCurrentUser, "Whole"));
    const RemovalReport report = f.Remove();
    ASSERT_TRUE(report.AllRemoved()) << RemovalSummaryText(report);

    const std::string descriptor = DescriptorOf(report.archivePath);
    const LegacyReading legacy = ReadLegacy(descriptor);
    const Descriptor ours = ReadDescriptor(descriptor);
    EXPECT_FALSE(legacy.cut);
    ASSERT_EQ(legacy.records.size(), 4u);
    ASSERT_EQ(ours.records.size(), 4u);
    EXPECT_EQ(legacy.records[0].values,
              (std::vector<std::string>{"HKEY_CURRENT_USER\\" + key, "c:\\shared\\a.dll", ""}));
    EXPECT_EQ(legacy.records[1].values[0], f.FilePath("One\\Same.lnk"));
    EXPECT_EQ(legacy.records[2].values[0], f.FilePath("Two\\Same.lnk"));
    EXPECT_EQ(legacy.records[3].values[1], "\\RegKeyBkup0.reg");
    EXPECT_EQ(ours.records[1].stagedName, "");
    EXPECT_FALSE(ours.records[2].stagedName.empty());
    EXPECT_EQ(ours.records[2].stagedName.find("TYPE"), std::string::npos);
}

TEST(BackupSet, ARemovalWithNothingToSaveStillWritesAnEmptyArchive) {
    RemovalFixture f;
    const RemovalReport report = f.Remove();
    EXPECT_TRUE(report.AllRemoved());
    EXPECT_EQ(RemovalSummaryText(report), kItemsRemovedText);
    ASSERT_FALSE(report.archivePath.empty());
    EXPECT_EQ(f.Restore(report.archivePath).Message().rfind(kInvalidBackupText, 0), 0u);
}

TEST(BackupSet, TwoRemovalsInOneSecondNeverShareAnArchive) {
    RemovalFixture f;
    f.backup.SetClock(FixedTime);
    const std::string first = f.Below(kCurrentUser, "First");
    const std::string second = f.Below(kCurrentUser, "Second");
    f.SetValue(kCurrentUser, first, L"v", REG_DWORD, {1, 0, 0, 0});
    f.SetValue(kCurrentUser, second, L"v", REG_DWORD, {2, 0, 0, 0});
    const std::vector<std::string> before = f.Dump();

    const RegistryProblem& one = f.KeyProblem(kCurrentUser, first);
    std::string error;
    ASSERT_TRUE(f.backup.BeginBackup(error));
    f.backup.BackupRegItem(one);
    ASSERT_TRUE(f.backup.FinishBackup(error));
    const std::string firstArchive = f.backup.ArchivePath();
    const RegistryProblem& two = f.KeyProblem(kCurrentUser, second);
    ASSERT_TRUE(f.backup.BeginBackup(error));
    f.backup.BackupRegItem(two);
    ASSERT_TRUE(f.backup.FinishBackup(error));

    EXPECT_EQ(firstArchive, f.BackupFolder() + "\\12,7,2026_9,5,3.zip");
    EXPECT_EQ(f.backup.ArchivePath(), f.BackupFolder() + "\\12,7,2026_9,5,3,1.zip");
    RegDeleteTreeA(HKEY_CURRENT_USER, first.c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, second.c_str());
    EXPECT_EQ(f.Restore(firstArchive).status, RestoreReport::Status::Restored);
    EXPECT_EQ(f.Restore(f.backup.ArchivePath()).status, RestoreReport::Status::Restored);
    EXPECT_EQ(f.Dump(), before);

    const std::vector<BackupArchive> listed = ListBackupArchives(f.BackupFolder());
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].fileName, "12,7,2026_9,5,3,1.zip");
    EXPECT_EQ(BackupListText(listed[0], EnglishDateNames()), "Monday, December 07, 2026 Time: 09:05:03 (2)");
    EXPECT_EQ(BackupListText(listed[1], EnglishDateNames()), "Monday, December 07, 2026 Time: 09:05:03");
}

// A removal killed while it writes leaves only its partial file, which no listing shows and no
// later removal takes over.
TEST(BackupSet, AnArchiveGetsItsNameOnlyOnceItReadsBackWhole) {
    RemovalFixture f;
    f.backup.SetClock(FixedTime);
    const std::string key = f.Below(kCurrentUser, "Key");
    FillEveryValueType(HKEY_CURRENT_USER, Widen(key));
    const RegistryProblem& problem = f.KeyProblem(kCurrentUser, key);
    CreateDirectoryA(f.BackupFolder().c_str(), nullptr);
    const std::string leftover = f.BackupFolder() + "\\12,7,2026_9,5,3.zip" + kPartialArchiveEnding;
    WriteTestFile(leftover, "");
    std::string error;
    ASSERT_TRUE(f.backup.BeginBackup(error)) << error;
    EXPECT_EQ(f.backup.ArchivePath(), f.BackupFolder() + "\\12,7,2026_9,5,3,1.zip");
    ASSERT_EQ(f.backup.BackupRegItem(problem).status, ItemBackup::Status::Saved);
    EXPECT_TRUE(FileExists(f.backup.PartialPath()));
    EXPECT_FALSE(FileExists(f.backup.ArchivePath()));
    EXPECT_TRUE(ListBackupArchives(f.BackupFolder()).empty());

    ASSERT_TRUE(f.backup.FinishBackup(error)) << error;
    EXPECT_FALSE(FileExists(f.backup.PartialPath()));
    const std::vector<BackupArchive> listed = ListBackupArchives(f.BackupFolder());
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].path, f.backup.ArchivePath());
    EXPECT_EQ(ReadTestFile(leftover), "");
    const std::vector<std::string> before = f.Dump();
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    EXPECT_EQ(f.Restore(listed[0].path).status, RestoreReport::Status::Restored);
    EXPECT_EQ(f.Dump(), before);
}

TEST(BackupList, ListsArchivesNewestFirstAndNotFolders) {
    const TempFolder folder("backup-list");
    for (const char* name : {"1,5,2027_8,0,0.zip", "12,7,2026_9,5,3.zip", "3,1,2027_23,59,59.zip", "notes.zip",
                             "12,7,2026_9,5,3,2.zip", "12,7,2026_10,0,0.reg"}) {
        WriteTestFile(folder.Sub(name), "");
    }
    CreateDirectoryA(folder.Sub("folder.zip").c_str(), nullptr);
    std::vector<std::string> names;
    for (const BackupArchive& archive : ListBackupArchives(folder.Path())) names.push_back(archive.fileName);
    EXPECT_EQ(names, (std::vector<std::string>{"3,1,2027_23,59,59.zip", "1,5,2027_8,0,0.zip", "12,7,2026_9,5,3,2.zip",
                                               "12,7,2026_9,5,3.zip", "notes.zip"}));
}

TEST(BackupKeyToFile, ExportsOneKeyAndNeverReplacesAFileOfTheSameSecond) {
    RemovalFixture f;
    const std::string key = f.Below(kCurrentUser, "Tool");
    FillEveryValueType(HKEY_CURRENT_USER, Widen(key));
    const std::vector<std::string> before = f.Dump();
    const KeyFileBackup first = BackupKeyToFile(f.BackupFolder(), kBhoBackupFolder, kCurrentUser, key, FixedTime());
    const KeyFileBackup second = BackupKeyToFile(f.BackupFolder(), kBhoBackupFolder, kCurrentUser, key, FixedTime());
    ASSERT_TRUE(first.ok) << first.error;
    ASSERT_TRUE(second.ok) << second.error;
    EXPECT_EQ(first.path, f.BackupFolder() + "\\BHOBackup\\12,7,2026_9,5,3.reg");
    EXPECT_EQ(second.path, f.BackupFolder() + "\\BHOBackup\\12,7,2026_9,5,3,1.reg");
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    EXPECT_TRUE(ImportRegFile(ReadTestFile(first.path)).ok);
    EXPECT_EQ(f.Dump(), before);
    const KeyFileBackup missing =
        BackupKeyToFile(f.BackupFolder(), kAddRemoveBackupFolder, kCurrentUser, key + "\\Missing", FixedTime());
    EXPECT_FALSE(missing.ok);
}
