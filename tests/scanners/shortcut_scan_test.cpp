#include "scanners/shortcut_scan.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/section_descriptors.h"
#include "scanners/shell_link_reader.h"
#include "tests/scanners/shortcut_files.h"
#include "tests/support/collecting_scan_host.h"

namespace {
namespace fs = std::filesystem;

std::string GoneTarget(const std::string& target) {
    return "The Target File (" + target + ") cannot be found at the specified location";
}

// A folder of its own on the test drive given (E: is a second fixed disk of the test prefix),
// removed after the test; COM for the shell's link object.
class ShortcutScanTest : public ::testing::Test {
protected:
    ShortcutScanTest() : engine(host) { engine.ResetRunning(); }

    void SetUp() override {
        CoInitialize(nullptr);
        root_ = RootOn('E');
    }
    void TearDown() override {
        for (const std::string& folder : made_) RemoveTreeKeepingLinkTargets(folder);
        CoUninitialize();
    }

    // This test's folder on the drive, made empty; the suffix names a second one.
    std::string RootOn(char drive, const std::string& suffix = "") {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');  // parameterised tests
        const std::string folder = std::string(1, drive) + ":\\TidrexTests\\" + name + suffix;
        RemoveTreeKeepingLinkTargets(folder);
        fs::create_directories(folder);
        made_.push_back(folder);
        return folder;
    }
    std::string At(const std::string& relative) const { return root_ + "\\" + relative; }
    std::string MakeFile(const std::string& path) const {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path) << "x";
        return path;
    }
    std::string MakeFolder(const std::string& path) const {
        fs::create_directories(path);
        return path;
    }
    // A shortcut to a file that was there when the shortcut was made and is gone now.
    std::string DeadShortcut(const std::string& linkPath, const std::string& target) const {
        fs::create_directories(fs::path(linkPath).parent_path());
        EXPECT_TRUE(MakeShortcut(linkPath, MakeFile(target)));
        fs::remove(target);
        return linkPath;
    }
    const ProblemRecord* FindLink(const std::string& linkPath) const {
        for (const ProblemPtr& problem : host.problems) {
            const FileProblem* record = problem->AsFile();
            if (record && record->linkPath == linkPath) return problem.get();
        }
        return nullptr;
    }
    std::vector<std::string> ShownBelow(const std::string& folder) const {
        std::vector<std::string> below;
        for (const std::string& item : host.shown) {
            if (item.starts_with(folder + "\\")) below.push_back(item);
        }
        std::sort(below.begin(), below.end());
        return below;
    }

    CollectingScanHost host;
    ScanEngine engine;
    std::string root_;

private:
    std::vector<std::string> made_;
};
}  // namespace

TEST_F(ShortcutScanTest, DeadTargetsAreReportedAndLiveFilesAndFoldersAreNot) {
    const std::string dead = DeadShortcut(At("Dead.lnk"), At("Program\\gone.exe"));
    MakeShortcut(At("LiveFile.lnk"), MakeFile(At("Program\\app.exe")));
    MakeShortcut(At("LiveFolder.lnk"), MakeFolder(At("Documents")));
    // The command-line rules read ";" as a separator; the file is there all the same.
    MakeShortcut(At("OddName.lnk"), MakeFile(At("Rock;Pop\\Song.mp3")));
    const std::string notes = MakeFile(At("notes.txt"));

    EXPECT_TRUE(WalkShortcutFolder(engine, root_ + "\\"));

    ASSERT_EQ(host.problems.size(), 1u);
    const ProblemRecord* problem = FindLink(dead);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->checked, 0);
    EXPECT_EQ(problem->sectionId, kShortcutsSection);
    EXPECT_EQ(problem->AsFile()->targetPath, At("Program\\gone.exe"));
    EXPECT_EQ(problem->description, GoneTarget(At("Program\\gone.exe")));
    // Every file is shown, shortcut or not; folders are not.
    EXPECT_EQ(ShownBelow(root_),
              (std::vector<std::string>{dead, At("LiveFile.lnk"), At("LiveFolder.lnk"), At("OddName.lnk"),
                                        At("Program\\app.exe"), At("Rock;Pop\\Song.mp3"), notes}));
}

TEST_F(ShortcutScanTest, ATargetWithoutAColonIsAClassThatMustBeRegistered) {
    WriteShortcutWithBasePath(At("Object.lnk"), "TidrexNoSuchClass");
    WriteShortcutWithBasePath(At("Registered.lnk"), "{00021401-0000-0000-C000-000000000046}");

    EXPECT_TRUE(WalkShortcutFolder(engine, root_));

    ASSERT_EQ(host.problems.size(), 1u);
    const ProblemRecord* problem = FindLink(At("Object.lnk"));
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsFile()->targetPath, "TidrexNoSuchClass");
    EXPECT_EQ(problem->description, "The CLSID (TidrexNoSuchClass) is Invalid.");
}

TEST_F(ShortcutScanTest, OnlyShortcutsBelow1024BytesEndingInLowerCaseLnkAreOpened) {
    PadFile(DeadShortcut(At("Small.lnk"), At("gone1.exe")), 1023);
    PadFile(DeadShortcut(At("Large.lnk"), At("gone2.exe")), 1024);
    DeadShortcut(At("Capital.LNK"), At("gone3.exe"));

    EXPECT_TRUE(WalkShortcutFolder(engine, root_));

    ASSERT_EQ(host.problems.size(), 1u);
    EXPECT_NE(FindLink(At("Small.lnk")), nullptr);
    EXPECT_EQ(ShownBelow(root_), (std::vector<std::string>{At("Capital.LNK"), At("Large.lnk"), At("Small.lnk")}));
}

TEST_F(ShortcutScanTest, LinkedFoldersAreNeverEntered) {
    const std::string inside = DeadShortcut(At("Real\\Dead.lnk"), At("gone.exe"));
    ASSERT_TRUE(MakeFolderLink(At("Linked"), At("Real")));
    // A link out of the tree, as the user folders under Wine lead to the Unix home.
    const std::string outside = RootOn('E', "Outside");
    DeadShortcut(outside + "\\Dead.lnk", outside + "\\gone.exe");
    ASSERT_TRUE(MakeFolderLink(At("Outside"), outside));

    EXPECT_TRUE(WalkShortcutFolder(engine, root_));

    ASSERT_EQ(host.problems.size(), 1u);
    EXPECT_NE(FindLink(inside), nullptr);
    EXPECT_EQ(ShownBelow(root_), std::vector<std::string>{inside});
}

class FolderEndingScanTest : public ShortcutScanTest, public ::testing::WithParamInterface<const char*> {};

// Inside such a folder no file is examined: the first file ends the folder's walk, the sub-folders
// listed before it are walked (and end at their own first file), and the parent goes on.
TEST_P(FolderEndingScanTest, TheFirstFileEndsTheFolderAndTheParentGoesOn) {
    const std::string ending = At(GetParam());
    for (const char* sub : {"S1", "S2", "S3", "S4", "S5", "S6"}) {
        MakeFolder(ending + "\\" + sub + "\\Empty");
        DeadShortcut(ending + "\\" + sub + "\\Dead.lnk", At("gone.exe"));
    }
    DeadShortcut(ending + "\\Dead.lnk", At("gone.exe"));
    const std::string after = DeadShortcut(At("After.lnk"), At("gone.exe"));

    // Each sub-folder listed before the folder's first file adds the pump after its own walk, and
    // one more when its empty folder comes before its own first file.
    int expectedPumps = 2;  // after the ending folder, and after the parent's shortcut
    WIN32_FIND_DATAA entry;
    const UniqueFindHandle search(FindFirstFileA((ending + "\\*.*").c_str(), &entry));
    ASSERT_TRUE(search);
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) break;
        ++expectedPumps;
        WIN32_FIND_DATAA inner;
        const UniqueFindHandle innerSearch(FindFirstFileA((ending + "\\" + name + "\\*.*").c_str(), &inner));
        do {
            if (std::string(inner.cFileName) == "Empty") ++expectedPumps;
            if ((inner.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) break;
        } while (FindNextFileA(innerSearch.get(), &inner));
    } while (FindNextFileA(search.get(), &entry));

    EXPECT_TRUE(WalkShortcutFolder(engine, root_));

    ASSERT_EQ(host.problems.size(), 1u);
    EXPECT_NE(FindLink(after), nullptr);
    EXPECT_EQ(host.shown, std::vector<std::string>{after});
    EXPECT_EQ(host.pumps, expectedPumps);
}

INSTANTIATE_TEST_SUITE_P(Folders, FolderEndingScanTest, ::testing::Values("NetHood", "VeloraTemp"));

TEST_F(ShortcutScanTest, OtherLetterCasesOfTheEndingNamesAreWalked) {
    const std::string dead = DeadShortcut(At("nethood\\Dead.lnk"), At("gone.exe"));
    EXPECT_TRUE(WalkShortcutFolder(engine, root_));
    EXPECT_NE(FindLink(dead), nullptr);
}

TEST_F(ShortcutScanTest, RemovableOpticalAndNetworkDrivesAreNeverWalked) {
    std::vector<std::string> others;
    for (const char drive : {'A', 'D', 'N'}) {
        const std::string folder = RootOn(drive);
        DeadShortcut(folder + "\\Dead.lnk", folder + "\\gone.exe");
        others.push_back(folder);
    }
    const std::string onFixedDisk = DeadShortcut(At("Dead.lnk"), At("gone.exe"));

    EXPECT_TRUE(ScanShortcuts(engine, "ADEN"));

    EXPECT_NE(FindLink(onFixedDisk), nullptr);
    for (const std::string& item : host.shown) {
        for (const char* root : {"A:\\", "D:\\", "N:\\", "C:\\"}) EXPECT_FALSE(item.starts_with(root)) << item;
    }
}

TEST_F(ShortcutScanTest, AbortDuringTheLastFixedDiskEndsTheScanWithFalse) {
    char drives[500] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof(drives), drives);
    std::string lastFixed;
    for (DWORD offset = 0; offset + 4 <= length; offset += 4) {
        if (GetDriveTypeA(drives + offset) == DRIVE_FIXED) lastFixed = drives + offset;
    }
    ASSERT_EQ(lastFixed, "E:\\");
    DeadShortcut(At("Dead.lnk"), At("gone.exe"));
    host.AbortAtItemStartingWith(engine, "E:\\");

    EXPECT_FALSE(ScanShortcuts(engine, ""));

    ASSERT_GE(host.shown.size(), 2u);
    EXPECT_TRUE(host.shown[host.shown.size() - 2].starts_with("E:\\"));
    EXPECT_EQ(host.shown.back(), "Aborting Scan...");
    EXPECT_TRUE(std::any_of(host.shown.begin(), host.shown.end(),
                            [](const std::string& item) { return item.starts_with("C:\\"); }));
}

TEST_F(ShortcutScanTest, LongFormExpandsShortComponents) {
    const std::string file = MakeFile(At("Long Folder Name\\Long File Name.txt"));
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameA(file.c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_LT(std::string(shortPath).size(), file.size());
    EXPECT_EQ(LongPathForm(shortPath), file);
    std::string slashed = shortPath;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    EXPECT_EQ(LongPathForm(slashed), file);
    EXPECT_EQ(LongPathForm(At("Long Folder Name\\gone.txt")), "");
    EXPECT_EQ(LongPathForm("Long File Name.txt"), "");
}
