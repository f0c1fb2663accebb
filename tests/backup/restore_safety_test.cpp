// A restore writes only where the program's removals take things from, never over what is there
// without saving it first, and brings back what it can of a damaged archive.
#include <windows.h>
#include <psapi.h>
#include <zip.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "backup/backup_list.h"
#include "backup/backup_records.h"
#include "backup/file_bytes.h"
#include "backup/zip_memory_file.h"
#include "tests/backup/handmade_archive.h"
#include "tests/backup/removal_fixture.h"

namespace {
std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

std::string StartupFolder() {
    char appData[MAX_PATH] = {};
    GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
    return std::string(appData) + "\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Files a restore must not write, removed again whatever it did.
class ForbiddenFiles {
public:
    explicit ForbiddenFiles(std::vector<std::string> paths) : paths_(std::move(paths)) { Remove(); }
    ForbiddenFiles(const ForbiddenFiles&) = delete;
    ForbiddenFiles& operator=(const ForbiddenFiles&) = delete;
    ~ForbiddenFiles() { Remove(); }
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    void Remove() const {
        for (const std::string& path : paths_) DeleteFileA(path.c_str());
    }
    std::vector<std::string> paths_;
};
}  // namespace

TEST(RestoreSafety, AHandedArchiveWritesOnlyShortcutsOnFixedDisksOutsideTheWindowsFolder) {
    RemovalFixture f;
    const std::string winIni = WindowsFolder() + "\\win.ini";
    const std::string winIniBefore = ReadTestFile(winIni);
    const ForbiddenFiles forbidden({WindowsFolder() + "\\system32\\tidrexrestore.dll",
                                    StartupFolder() + "\\tidrexrestore.bat",
                                    "\\\\?\\unix\\tmp\\tidrexrestore" + std::to_string(GetCurrentProcessId()) + ".lnk",
                                    WindowsFolder() + "\\tidrexwindows.lnk", "d:\\tidrexcdrom.lnk"});
    std::string descriptor = FileRecord(winIni) + FileRecord(f.FilePath("Desktop\\Tool.lnk"));
    std::vector<std::pair<std::string, std::string>> entries = {{"win.ini", "[evil]"}, {"Tool.lnk", "link"}};
    for (const std::string& path : forbidden.Paths()) {
        descriptor += FileRecord(path);
        entries.push_back({BareFileName(path), "evil"});
    }
    entries.insert(entries.begin(), {"Config.ini", descriptor});

    const RestoreReport restored = f.Restore(WriteArchive(f.FilePath("handed.zip"), entries));
    EXPECT_EQ(restored.status, RestoreReport::Status::Partial);
    EXPECT_EQ(restored.restored, 1);
    EXPECT_EQ(ReadTestFile(f.FilePath("Desktop\\Tool.lnk")), "link");
    EXPECT_EQ(ReadTestFile(winIni), winIniBefore);
    ASSERT_EQ(restored.failures.size(), 6u) << restored.Message();
    EXPECT_TRUE(StartsWith(restored.failures[0], winIni + ": only shortcut files")) << restored.failures[0];
    for (size_t i = 0; i < forbidden.Paths().size(); ++i) {
        EXPECT_FALSE(FileExists(forbidden.Paths()[i])) << forbidden.Paths()[i];
        EXPECT_TRUE(StartsWith(restored.failures[i + 1], forbidden.Paths()[i] + ": ")) << restored.failures[i + 1];
    }
    EXPECT_NE(restored.failures.back().find("not on a fixed disk"), std::string::npos) << restored.failures.back();
}

TEST(RestoreSafety, AFileThereNowIsKeptAndTheSameFileCountsAsRestored) {
    RemovalFixture f;
    WriteTestFile(f.FilePath("Menu\\Other.lnk"), "newer link");
    WriteTestFile(f.FilePath("Menu\\Same.lnk"), "same link");
    const std::string descriptor = FileRecord(f.FilePath("Menu\\Other.lnk")) +
                                   FileRecord(f.FilePath("Menu\\Same.lnk")) + FileRecord(f.FilePath("Menu\\New.lnk"));
    const RestoreReport restored = f.Restore(WriteArchive(
        f.FilePath("files.zip"),
        {{"Config.ini", descriptor}, {"Other.lnk", "archived"}, {"Same.lnk", "same link"}, {"New.lnk", "new link"}}));
    EXPECT_EQ(restored.status, RestoreReport::Status::Partial);
    EXPECT_EQ(restored.restored, 2);
    ASSERT_EQ(restored.failures.size(), 1u);
    EXPECT_EQ(restored.failures[0], f.FilePath("Menu\\Other.lnk") + ": a different file is there now, and it is kept");
    // Nothing written aside is left behind.
    EXPECT_EQ(DumpFolder(f.FilePath("Menu")),
              (std::vector<std::string>{"New.lnk: new link", "Other.lnk: newer link", "Same.lnk: same link"}));
}

TEST(RestoreSafety, RecordsOutsideTheKeysTheProgramRemovesFromWriteNothing) {
    RemovalFixture f;
    const std::string machineArea = "HKEY_LOCAL_MACHINE\\" + f.Area(kLocalMachine);
    const std::string userArea = "HKEY_CURRENT_USER\\" + f.Area(kCurrentUser);
    const std::string userClasses = "Software\\Classes\\TidrexTests.Restore." + TestId();
    const std::string descriptor =
        KeyRecord("HKEY_LOCAL_MACHINE", 0) + KeyRecord("HKEY_LOCAL_MACHINE\\SOFTWARE", 1) +
        KeyRecord(userArea + "\\Vendor", 2) +
        ValueRecord("HKEY_CLASSES_ROOT\\" + f.Area(kClassesRoot) + "\\shell\\open\\command", "", "C:\\evil.exe") +
        ValueRecord("HKEY_CURRENT_USER\\" + userClasses, "v", "x") + ValueRecord(userArea + "\\Walked", "v", "kept");
    const std::string archive =
        WriteArchive(f.FilePath("scope.zip"), {{"Config.ini", descriptor},
                                               {"RegKeyBkup0.reg", RegFileOf(machineArea + "\\FromRoot", u"v")},
                                               {"RegKeyBkup1.reg", RegFileOf(machineArea + "\\FromSoftware", u"v")},
                                               {"RegKeyBkup2.reg", RegFileOf(userArea + "\\Vendor", u"v")}});
    const RestoreReport restored = RestoreBackup(archive, {&ProgramRestoreScope(), f.BackupFolder(), false});
    const bool classesWritten = KeyExists(HKEY_CURRENT_USER, userClasses);
    RegDeleteTreeA(HKEY_CURRENT_USER, userClasses.c_str());
    EXPECT_FALSE(classesWritten);
    EXPECT_EQ(restored.status, RestoreReport::Status::Partial);
    EXPECT_EQ(restored.restored, 1);
    ASSERT_EQ(restored.failures.size(), 5u) << restored.Message();
    EXPECT_EQ(restored.failures[0], "HKEY_LOCAL_MACHINE: not a key this program's sections or tools remove");
    EXPECT_NE(restored.failures[4].find("not in a key this program's sections or tools remove values from"),
              std::string::npos);
    EXPECT_TRUE(DumpRegistryTree(HKEY_LOCAL_MACHINE, f.Area(kLocalMachine)).empty());
    EXPECT_TRUE(DumpRegistryTree(HKEY_CLASSES_ROOT, f.Area(kClassesRoot)).empty());
    EXPECT_EQ(DumpRegistryTree(HKEY_CURRENT_USER, f.Area(kCurrentUser)),
              (std::vector<std::string>{"[" + f.Area(kCurrentUser) + "]", "[" + f.Area(kCurrentUser) + "\\Walked]",
                                        "  \"v\" type 1 " + registry_dump_detail::Hex(WideBytes(L"kept").data(), 10)}));
}

TEST(RestoreSafety, WhatARestoreReplacesIsSavedFirstAndRestoringThatGivesItBack) {
    RemovalFixture f;
    const std::string program = f.Below(kCurrentUser, "Program");
    const std::string list = f.Below(kCurrentUser, "List");
    f.SetValue(kCurrentUser, program, L"Path", REG_SZ, WideBytes(L"C:\\Old\\tool.exe"));
    f.SetValue(kCurrentUser, program, L"Count", REG_DWORD, {1, 0, 0, 0});
    f.SetValue(kCurrentUser, list, L"Entry", REG_SZ, WideBytes(L"C:\\Old\\entry.exe"));
    f.SetValue(kCurrentUser, list, L"Unchanged", REG_SZ, WideBytes(L"C:\\Old\\same.exe"));
    const std::vector<std::string> oldProgram = DumpRegistryTree(HKEY_CURRENT_USER, program);
    f.KeyProblem(kCurrentUser, program);
    f.ValueProblem(kCurrentUser, list, "Entry", "C:\\Old\\entry.exe");
    const RemovalReport removed = f.Remove();
    ASSERT_TRUE(removed.AllRemoved()) << RemovalSummaryText(removed);
    // Since the clean the program came back with new data, and the list entry was written again.
    f.SetValue(kCurrentUser, program, L"Path", REG_SZ, WideBytes(L"D:\\New\\tool.exe"));
    f.SetValue(kCurrentUser, program, L"Count", REG_DWORD, {9, 0, 0, 0});
    f.SetValue(kCurrentUser, list, L"Entry", REG_EXPAND_SZ, WideBytes(L"%NEW%\\entry.exe"));
    const std::vector<std::string> newer = f.Dump();

    const RestoreReport restored = f.Restore(removed.archivePath);
    EXPECT_EQ(restored.status, RestoreReport::Status::Restored) << restored.Message();
    EXPECT_EQ(restored.replaced, (std::vector<std::string>{"HKEY_CURRENT_USER\\" + program,
                                                           "HKEY_CURRENT_USER\\" + list + " (value \"Entry\")"}));
    ASSERT_FALSE(restored.replacedArchive.empty());
    EXPECT_EQ(restored.replacedArchive.rfind(f.BackupFolder() + "\\", 0), 0u);
    EXPECT_NE(restored.Message().find("Replaced: 2, what they held is saved in " + restored.replacedArchive),
              std::string::npos)
        << restored.Message();
    EXPECT_EQ(ListBackupArchives(f.BackupFolder()).size(), 2u);
    EXPECT_EQ(DumpRegistryTree(HKEY_CURRENT_USER, program), oldProgram);

    const RestoreReport undone = f.Restore(restored.replacedArchive);
    EXPECT_EQ(undone.status, RestoreReport::Status::Restored) << undone.Message();
    EXPECT_EQ(f.Dump(), newer);
}

TEST(RestoreSafety, ReplacedDataThatCannotBeSavedKeepsTheRestoreFromWritingAnything) {
    RemovalFixture f;
    const std::string key = f.Below(kCurrentUser, "Key");
    f.SetValue(kCurrentUser, key, L"v", REG_DWORD, {1, 0, 0, 0});
    f.KeyProblem(kCurrentUser, key);
    f.ShortcutProblem("Gone.lnk", "link");
    const RemovalReport removed = f.Remove();
    ASSERT_TRUE(removed.AllRemoved());
    f.SetValue(kCurrentUser, key, L"v", REG_DWORD, {2, 0, 0, 0});
    WriteTestFile(f.FilePath("NotAFolder"), "x");
    const std::vector<std::string> before = f.Dump();

    const RestoreReport restored = f.Restore(removed.archivePath, f.FilePath("NotAFolder"));
    EXPECT_EQ(restored.status, RestoreReport::Status::ReplacedNotSaved);
    EXPECT_EQ(restored.restored, 0);
    EXPECT_TRUE(StartsWith(restored.Message(), kReplacedNotSavedText)) << restored.Message();
    EXPECT_NE(restored.Message().find(f.FilePath("NotAFolder")), std::string::npos) << restored.Message();
    EXPECT_EQ(f.Dump(), before);
}

TEST(RestoreSafety, AKeyExportWithLinesItCannotReadRestoresTheRestAndNamesThem) {
    RemovalFixture f;
    const std::string keys = "HKEY_CURRENT_USER\\" + f.Below(kCurrentUser, "Keys");
    const std::string export_ = "REGEDIT4\r\n\r\n[" + keys +
                                "\\One]\r\n\"a\"=dword:00000001\r\n\"b\"=str:unknown\r\n[" + keys +
                                "\\Two]\r\n\"c\"=dword:00000003\r\n";
    const std::string archive =
        WriteArchive(f.FilePath("lines.zip"),
                     {{"Config.ini", KeyRecord(keys, 0) + ValueRecord(keys, "d", "")}, {"RegKeyBkup0.reg", export_}});
    const RestoreReport restored = f.Restore(archive);
    EXPECT_EQ(restored.status, RestoreReport::Status::Partial);
    EXPECT_EQ(restored.restored, 1);
    EXPECT_EQ(restored.failures, (std::vector<std::string>{keys + ": RegKeyBkup0.reg line 5 left out (the value's data "
                                                                  "has no known form): \"b\"=str:unknown"}));
    const std::vector<std::string> dump = DumpRegistryTree(HKEY_CURRENT_USER, f.Below(kCurrentUser, "Keys"));
    EXPECT_EQ(dump.size(), 6u);
    EXPECT_TRUE(Holds(dump, "  \"a\" type 4 01000000"));
    EXPECT_TRUE(Holds(dump, "  \"c\" type 4 03000000"));
}

TEST(RestoreSafety, ArchivesThatHoldNothingToRestoreOrHoldItTwiceAreNotTakenForGood) {
    RemovalFixture f;
    std::string noise(4096, '\0');
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919 + 13) % 251);
    const RestoreReport random = f.Restore(WriteArchive(f.FilePath("random.zip"), {{"Config.ini", noise}}));
    EXPECT_EQ(random.status, RestoreReport::Status::Invalid);
    EXPECT_EQ(random.restored, 0);
    EXPECT_EQ(random.failures, (std::vector<std::string>{"the archive's Config.ini holds no record"}));

    const std::string link = f.FilePath("Twice\\a.lnk");
    const RestoreReport twoDescriptors = f.Restore(
        WriteArchive(f.FilePath("two.zip"),
                     {{"Config.ini", FileRecord(link)}, {"x\\config.ini", FileRecord(link)}, {"a.lnk", "x"}}));
    EXPECT_EQ(twoDescriptors.status, RestoreReport::Status::Invalid);
    EXPECT_EQ(twoDescriptors.failures, (std::vector<std::string>{"the archive holds more than one Config.ini"}));

    const RestoreReport twoCopies = f.Restore(WriteArchive(
        f.FilePath("copies.zip"), {{"Config.ini", FileRecord(link) + FileRecord(f.FilePath("Twice\\b.lnk"))},
                                   {"a.lnk", "one"},
                                   {"x\\A.LNK", "other"},
                                   {"b.lnk", "b"}}));
    EXPECT_EQ(twoCopies.status, RestoreReport::Status::Partial);
    EXPECT_EQ(twoCopies.failures,
              (std::vector<std::string>{link + ": the archive holds more than one copy named a.lnk"}));
    EXPECT_FALSE(FileExists(link));
    EXPECT_EQ(ReadTestFile(f.FilePath("Twice\\b.lnk")), "b");
}

namespace {
// A zip of entries of zeros, deflated block by block so that the test itself never holds them.
std::string ZerosArchive(const std::string& path, int entries, size_t entrySize) {
    ZipMemoryFile memory;
    zlib_filefunc64_def functions;
    FillMemoryFileFunctions(&functions, memory);
    zipFile zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &functions);
    const std::string block(1 << 20, '\0');
    for (int entry = 0; entry < entries; ++entry) {
        zip_fileinfo info{};
        const std::string name = entry == 0 ? "Config.ini" : "RegKeyBkup" + std::to_string(entry) + ".reg";
        EXPECT_EQ(zipOpenNewFileInZip64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                        Z_DEFAULT_COMPRESSION, 1),
                  ZIP_OK);
        for (size_t done = 0; done < entrySize; done += block.size()) {
            zipWriteInFileInZip(zip, block.data(), static_cast<unsigned>(std::min(block.size(), entrySize - done)));
        }
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
    WriteTestFile(path, memory.bytes);
    return path;
}

// Wine keeps no peak of the committed memory, but one of the working set.
SIZE_T PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}
}  // namespace

TEST(RestoreSafety, AnArchiveThatUnpacksFarBeyondItsOwnSizeIsRefusedBeforeAnythingIsUnpacked) {
    RemovalFixture f;
    const std::string bomb = ZerosArchive(f.FilePath("bomb.zip"), 2, 96u << 20);
    ASSERT_LT(ReadTestFile(bomb).size(), 1u << 20);
    const SIZE_T before = PeakWorkingSet();
    const RestoreReport restored = f.Restore(bomb);
    EXPECT_LT(PeakWorkingSet() - before, 32u << 20);
    EXPECT_EQ(restored.status, RestoreReport::Status::Invalid);
    ASSERT_EQ(restored.failures.size(), 1u);
    EXPECT_NE(restored.failures[0].find("more than an archive of"), std::string::npos) << restored.failures[0];
}
