// Faults on the way of a removal or a restore: in every one, nothing is lost.
#include <gtest/gtest.h>

#include "backup/backup_records.h"
#include "tests/backup/handmade_archive.h"
#include "tests/backup/removal_fixture.h"

TEST(RemovalFaults, BackupFolderNotWritableRemovesNothingAndSaysWhy) {
    RemovalFixture f;
    const std::string key = f.Below(kCurrentUser, "Kept");
    f.SetValue(kCurrentUser, key, L"v", REG_DWORD, {1, 0, 0, 0});
    f.KeyProblem(kCurrentUser, key);
    f.ValueProblem(kCurrentUser, key, "v", "");
    f.ShortcutProblem("a.lnk", "link");
    // A file where the backup folder should be: nothing can be created in it.
    WriteTestFile(f.FilePath("NotAFolder"), "x");
    f.backup.SetBackupFolder(f.FilePath("NotAFolder"));
    const std::vector<std::string> before = f.Dump();

    const RemovalReport report = f.Remove();
    EXPECT_TRUE(report.backupFailed);
    EXPECT_EQ(report.removed, 0);
    EXPECT_EQ(report.kept.size(), 3u);
    EXPECT_EQ(f.Dump(), before);
    const std::string text = RemovalSummaryText(report);
    EXPECT_EQ(text.rfind("The backup could not be written, so nothing was removed.", 0), 0u) << text;
    EXPECT_NE(text.find(f.FilePath("NotAFolder")), std::string::npos) << text;
}

TEST(RemovalFaults, ArchiveThatCannotBeWrittenAtTheEndRemovesNothing) {
    RemovalFixture f;
    const std::string key = f.Below(kLocalMachine, "Kept");
    f.SetValue(kLocalMachine, key, L"v", REG_BINARY, {1, 2, 3});
    const RegistryProblem& problem = f.KeyProblem(kLocalMachine, key);
    const std::vector<std::string> before = f.Dump();
    std::string error;
    ASSERT_TRUE(f.backup.BeginBackup(error));
    ASSERT_EQ(f.backup.BackupRegItem(problem).status, ItemBackup::Status::Saved);
    // The claimed partial archive turns into a folder before it is written: the write must fail.
    DeleteFileA(f.backup.PartialPath().c_str());
    CreateDirectoryA(f.backup.PartialPath().c_str(), nullptr);
    EXPECT_FALSE(f.backup.FinishBackup(error));
    EXPECT_NE(error.find("could not be written"), std::string::npos) << error;
    RemoveDirectoryA(f.backup.PartialPath().c_str());
    EXPECT_EQ(f.Dump(), before);
    EXPECT_TRUE(f.Archives().empty());
}

TEST(RemovalFaults, StagingFolderNotWritableChangesNothingForBackupOrRestore) {
    RemovalFixture f;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string staging = std::string(temp) + "VeloraTemp";
    RemoveFolderTree(staging);
    WriteTestFile(staging, "a file where the staging folder would be");
    const std::string key = f.Below(kCurrentUser, "Key");
    FillEveryValueType(HKEY_CURRENT_USER, Widen(key));
    f.KeyProblem(kCurrentUser, key);
    f.ShortcutProblem("s.lnk", "link");
    const std::vector<std::string> before = f.Dump();
    const RemovalReport report = f.Remove();
    EXPECT_TRUE(report.AllRemoved()) << RemovalSummaryText(report);
    EXPECT_EQ(f.Restore(report.archivePath).status, RestoreReport::Status::Restored);
    EXPECT_EQ(f.Dump(), before);
    DeleteFileA(staging.c_str());
}

TEST(RemovalFaults, KeyDeletedBetweenScanAndRemovalIsNoError) {
    RemovalFixture f;
    f.KeyProblem(kCurrentUser, f.Below(kCurrentUser, "AlreadyGone"));
    f.ValueProblem(kCurrentUser, f.Below(kCurrentUser, "AlsoGone"), "v", "x");
    f.ShortcutProblem("gone.lnk", "x");
    DeleteFileA(f.FilePath("gone.lnk").c_str());
    const RemovalReport report = f.Remove();
    EXPECT_TRUE(report.AllRemoved());
    EXPECT_EQ(report.removed, 3);
    EXPECT_EQ(report.alreadyGone, 3);
    EXPECT_EQ(RemovalSummaryText(report), kItemsRemovedText);
}

TEST(RemovalFaults, ItemsThatCannotBeBackedUpAreKeptAndNamed) {
    RemovalFixture f;
    const std::string key = f.Below(kCurrentUser, "Mixed");
    f.SetValue(kCurrentUser, key, L"Line\nBreak", REG_SZ, WideBytes(L"x"));
    f.SetValue(kCurrentUser, key, L"Fine", REG_SZ, WideBytes(L"C:\\gone.dll"));
    f.SetValue(kCurrentUser, key + "\\Locked", L"v", REG_SZ, WideBytes(L"x"));
    HKEY locked = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (key + "\\Locked").c_str(), 0, WRITE_DAC, &locked), ERROR_SUCCESS);
    ACL acl;
    InitializeAcl(&acl, sizeof(acl), ACL_REVISION);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE);
    RegSetKeySecurity(locked, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(locked);

    f.ValueProblem(kCurrentUser, key, "Line\nBreak", "x");
    f.ValueProblem(kCurrentUser, key, "Fine", "C:\\gone.dll");
    f.KeyProblem(kCurrentUser, key);                   // its sub-key cannot be read, so its export is incomplete
    f.KeyProblem(kCurrentUser, f.Area(kCurrentUser));  // the list key itself
    f.ShortcutProblem("read only.lnk", "x");
    SetFileAttributesA(f.FilePath("read only.lnk").c_str(), FILE_ATTRIBUTE_READONLY);

    const RemovalReport report = f.Remove();
    EXPECT_EQ(report.removed, 1);
    ASSERT_EQ(report.kept.size(), 4u);
    EXPECT_EQ(report.kept[0].reason, KeptReason::LineBreak);
    EXPECT_EQ(report.kept[1].reason, KeptReason::BackupIncomplete);
    EXPECT_NE(report.kept[1].detail.find("Mixed\\Locked"), std::string::npos) << report.kept[1].detail;
    EXPECT_EQ(report.kept[2].reason, KeptReason::OutsideListKey);
    EXPECT_EQ(report.kept[3].reason, KeptReason::AccessDenied);
    EXPECT_TRUE(FileExists(f.FilePath("read only.lnk")));
    const std::string text = RemovalSummaryText(report);
    EXPECT_NE(text.find("Removed: 1\r\nKept: 4\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("access denied: 1"), std::string::npos) << text;

    // Only the one value went, and it comes back.
    const std::vector<std::string> afterRemoval = f.Dump();
    EXPECT_EQ(f.Restore(report.archivePath).status, RestoreReport::Status::Restored);
    std::vector<std::string> withValue = f.Dump();
    EXPECT_EQ(withValue.size(), afterRemoval.size() + 1);
}

TEST(RemovalFaults, DeclinedBackupDeletesWithoutAnArchive) {
    RemovalFixture f;
    const std::string key = f.Below(kCurrentUser, "NoBackup");
    f.SetValue(kCurrentUser, key, L"v", REG_SZ, WideBytes(L"x"));
    f.KeyProblem(kCurrentUser, key);
    const RemovalReport report = f.Remove(false);
    EXPECT_TRUE(report.AllRemoved());
    EXPECT_TRUE(report.archivePath.empty());
    EXPECT_TRUE(f.Archives().empty());
    EXPECT_TRUE(DumpRegistryTree(HKEY_CURRENT_USER, key).empty());
}

TEST(RestoreFaults, TruncatedArchiveIsInvalidAndRestoresNothing) {
    RemovalFixture f;
    const std::string key = f.Below(kCurrentUser, "Truncated");
    FillEveryValueType(HKEY_CURRENT_USER, Widen(key));
    f.KeyProblem(kCurrentUser, key);
    const RemovalReport report = f.Remove();
    ASSERT_TRUE(report.AllRemoved());
    const std::string bytes = ReadTestFile(report.archivePath);
    WriteTestFile(report.archivePath, bytes.substr(0, bytes.size() / 2));
    const std::vector<std::string> removed = f.Dump();
    const RestoreReport restored = f.Restore(report.archivePath);
    EXPECT_EQ(restored.status, RestoreReport::Status::Invalid);
    EXPECT_EQ(restored.Message().rfind(kInvalidBackupText, 0), 0u);
    EXPECT_EQ(f.Dump(), removed);
}

TEST(RestoreFaults, ArchiveWithoutEntriesIsInvalid) {
    RemovalFixture f;
    const std::string archive = WriteArchive(f.FilePath("empty.zip"), {});
    EXPECT_EQ(f.Restore(archive).status, RestoreReport::Status::Invalid);
    const std::string noDescriptor = WriteArchive(f.FilePath("nodescriptor.zip"), {{"RegKeyBkup0.reg", "x"}});
    EXPECT_EQ(f.Restore(noDescriptor).status, RestoreReport::Status::Invalid);
    EXPECT_EQ(f.Restore(f.FilePath("missing.zip")).status, RestoreReport::Status::Invalid);
}

TEST(RestoreFaults, DescriptorCutInsideARecordRestoresTheRecordsBeforeIt) {
    RemovalFixture f;
    const std::string key = "HKEY_CURRENT_USER\\" + f.Below(kCurrentUser, "Cut");
    const std::string descriptor = ValueRecord(key, "First", "") + RawLine(REG_DWORD, {1, 0, 0, 0}) +
                                   "[TYPE:REG_VALUE]\r\r\n[MAIN_KEY:" + key + "]\r\r\n";
    const RestoreReport restored = f.Restore(WriteArchive(f.FilePath("cut.zip"), {{"Config.ini", descriptor}}));
    EXPECT_EQ(restored.status, RestoreReport::Status::Partial);
    EXPECT_TRUE(restored.truncated);
    EXPECT_EQ(restored.Message().rfind(kNotAllRestoredText, 0), 0u);
    EXPECT_EQ(restored.restored, 1);
    EXPECT_EQ(DumpRegistryTree(HKEY_CURRENT_USER, f.Below(kCurrentUser, "Cut")),
              (std::vector<std::string>{"[" + f.Below(kCurrentUser, "Cut") + "]", "  \"First\" type 4 01000000"}));
}

TEST(RestoreFaults, DamagedRawLineWritesNothingForThatValueButRestoresTheRest) {
    RemovalFixture f;
    const std::string key = "HKEY_CURRENT_USER\\" + f.Below(kCurrentUser, "Raw");
    const std::string descriptor = ValueRecord(key, "Damaged", "text") + "[RAW:4:01zz0000]\r\r\n" +
                                   ValueRecord(key, "Fine", "") + RawLine(REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8});
    const RestoreReport restored = f.Restore(WriteArchive(f.FilePath("raw.zip"), {{"Config.ini", descriptor}}));
    EXPECT_EQ(restored.status, RestoreReport::Status::Partial);
    ASSERT_EQ(restored.failures.size(), 1u);
    EXPECT_NE(restored.failures[0].find("Damaged"), std::string::npos);
    EXPECT_EQ(
        DumpRegistryTree(HKEY_CURRENT_USER, f.Below(kCurrentUser, "Raw")),
        (std::vector<std::string>{"[" + f.Below(kCurrentUser, "Raw") + "]", "  \"Fine\" type 11 0102030405060708"}));
}

TEST(RestoreFaults, StrayOrMissingKeyExportsAreNotImportedAndBadLinesAreLeftOut) {
    RemovalFixture f;
    const std::string key = "HKEY_CURRENT_USER\\" + f.Below(kCurrentUser, "Exports");
    const std::string descriptor = KeyRecord(key + "\\Malformed", 0) + KeyRecord(key + "\\Stray", 1) +
                                   KeyRecord(key + "\\Missing", 2) + KeyRecord(key + "\\Good", 3);
    const std::string archive =
        WriteArchive(f.FilePath("exports.zip"),
                     {{"Config.ini", descriptor},
                      {"RegKeyBkup0.reg", "REGEDIT4\r\n[" + key + "\\Malformed]\r\n\"a\"=dword:1\r\n\"b\"=hex:zz\r\n"},
                      {"RegKeyBkup1.reg", RegFileOf(key + "\\Elsewhere", u"v")},
                      {"RegKeyBkup3.reg", RegFileOf(key + "\\Good", u"v")}});
    const RestoreReport restored = f.Restore(archive);
    EXPECT_EQ(restored.status, RestoreReport::Status::Partial);
    ASSERT_EQ(restored.failures.size(), 3u);
    EXPECT_NE(restored.failures[0].find("RegKeyBkup0.reg line 4 left out"), std::string::npos) << restored.failures[0];
    EXPECT_EQ(restored.restored, 1);
    EXPECT_EQ(
        DumpRegistryTree(HKEY_CURRENT_USER, f.Below(kCurrentUser, "Exports")),
        (std::vector<std::string>{"[" + f.Below(kCurrentUser, "Exports") + "]",
                                  "[" + f.Below(kCurrentUser, "Exports\\Good") + "]", "  \"v\" type 4 07000000",
                                  "[" + f.Below(kCurrentUser, "Exports\\Malformed") + "]", "  \"a\" type 4 01000000"}));
}

TEST(RestoreFaults, AnOlderArchiveWithoutExtraLinesRestoresValuesAsStrings) {
    RemovalFixture f;
    const std::string key = "HKEY_CURRENT_USER\\" + f.Below(kCurrentUser, "Older");
    const std::string descriptor =
        ValueRecord(key, "Path", "C:\\a.dll") + "[TYPE:file]\n[DEST_PATH:" + f.FilePath("x\\old.lnk") + "]\n";
    const RestoreReport restored =
        f.Restore(WriteArchive(f.FilePath("older.zip"), {{"Config.ini", descriptor}, {"old.lnk", "link"}}));
    EXPECT_EQ(restored.status, RestoreReport::Status::Restored) << restored.Message();
    EXPECT_EQ(restored.restored, 2);
    EXPECT_EQ(ReadTestFile(f.FilePath("x\\old.lnk")), "link") << f.FilePath("x\\old.lnk");
    const std::vector<std::string> dump = DumpRegistryTree(HKEY_CURRENT_USER, f.Below(kCurrentUser, "Older"));
    ASSERT_EQ(dump.size(), 2u);
    EXPECT_EQ(dump[1], "  \"Path\" type 1 " + registry_dump_detail::Hex(WideBytes(L"C:\\a.dll").data(), 18));
}
