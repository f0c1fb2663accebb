#include "scanners/type_library_scanner.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/section_descriptors.h"
#include "tests/scanners/list_scanner_fixture.h"
#include "tests/support/read_only_key.h"

namespace {
// A type library of this test's own below HKEY_CLASSES_ROOT\TypeLib, removed afterwards.
class TypeLibraryScanTest : public ListScannerTest {
protected:
    TypeLibraryScanTest() : library_(HKEY_CLASSES_ROOT, LibraryPath()) {}

    static std::string LibraryPath() {
        return std::string("TypeLib\\{7E3D52A0-55B1-4C9E-9A10-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + "}";
    }
    // A key below the library with the given default value; its path below HKEY_CLASSES_ROOT.
    std::string Key(const std::string& relative, const std::string& value) {
        const std::string path = LibraryPath() + "\\" + relative;
        keys_.push_back(std::make_unique<ScopedListSubKey>(HKEY_CLASSES_ROOT, path, value));
        return path;
    }
    const ProblemRecord* Problem(const std::string& keyPath) const { return host.Find(keyPath, ""); }
    bool Shown(const std::string& keyPath) const { return host.WasShown("HKEY_CLASSES_ROOT\\" + keyPath); }

private:
    ScopedListSubKey library_;
    std::vector<std::unique_ptr<ScopedListSubKey>> keys_;
};

std::string MissingFile(const std::string& path) {
    return "The File (" + path + ") cannot be found at the specified location.";
}
}  // namespace

TEST_F(TypeLibraryScanTest, MissingLibraryFilesAreReportedOnTheirOwnKeys) {
    const std::string win32 = Key("1.0\\0\\win32", At("gone.tlb"));
    const std::string win16 = Key("1.0\\0\\WIN16", At("gone16.tlb"));
    const std::string empty = Key("1.0\\9\\win32", "");
    const std::string present = Key("2.0\\0\\Win32", MakeFile(At("present.tlb")));
    Key("1.0\\FLAGS", "0");
    EXPECT_TRUE(ScanTypeLibraries(engine));

    const ProblemRecord* problem = Problem(win32);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kComSection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kClassesRoot);
    EXPECT_EQ(problem->AsRegistry()->valueName, "");
    EXPECT_EQ(problem->AsRegistry()->valueData, At("gone.tlb"));
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Key);
    EXPECT_EQ(problem->checked, 0);
    EXPECT_EQ(problem->description, MissingFile(At("gone.tlb")));
    ASSERT_NE(Problem(win16), nullptr);
    EXPECT_EQ(Problem(win16)->AsRegistry()->valueData, At("gone16.tlb"));
    ASSERT_NE(Problem(empty), nullptr);
    EXPECT_EQ(Problem(empty)->description, MissingFile(""));
    EXPECT_EQ(Problem(present), nullptr);
    EXPECT_TRUE(Shown(present));
    EXPECT_TRUE(Shown(empty));
    for (const ProblemPtr& record : host.problems) {
        const std::string& keyPath = record->AsRegistry()->keyPath;
        if (keyPath.rfind(LibraryPath(), 0) == 0) {
            EXPECT_TRUE(keyPath == win32 || keyPath == win16 || keyPath == empty) << keyPath;
        }
    }
}

TEST_F(TypeLibraryScanTest, KeysDeeperThanUsualAreStillJudged) {
    const std::string extraLevel = Key("1.0\\0\\extra\\win32", At("extra.tlb"));
    // 150 levels, created one below the other: the whole path is longer than the registry's
    // text functions take from the root.
    std::string deep = LibraryPath();
    UniqueHkey key;
    RegOpenKeyExA(HKEY_CLASSES_ROOT, LibraryPath().c_str(), 0, KEY_ALL_ACCESS, key.put());
    for (int level = 0; level <= 150 && key; ++level) {
        const char* name = level < 150 ? "L" : "win32";
        UniqueHkey child;
        RegCreateKeyExA(key.get(), name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, child.put(), nullptr);
        key = std::move(child);
        deep += std::string("\\") + name;
    }
    ASSERT_TRUE(key);
    const std::string file = At("deep.tlb");
    RegSetValueExA(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                   static_cast<DWORD>(file.size() + 1));
    EXPECT_TRUE(ScanTypeLibraries(engine));
    EXPECT_NE(Problem(extraLevel), nullptr);
    const ProblemRecord* problem = Problem(deep);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->valueData, file);
}

TEST_F(TypeLibraryScanTest, HelpFoldersWithTrailingBackslashOrQuotes) {
    const std::string trailing = Key("1.0\\0\\HELPDIR", At("GoneHelp\\"));
    const std::string quoted = Key("1.1\\0\\helpdir", "\"" + At("GoneQuoted") + "\"");
    std::filesystem::create_directories(At("Help"));
    const std::string presentTrailing = Key("2.0\\0\\HelpDir", At("Help\\"));
    const std::string presentQuoted = Key("2.1\\0\\HELPDIR", "\"" + At("Help") + "\"");
    const std::string empty = Key("3.0\\0\\HELPDIR", "");
    EXPECT_TRUE(ScanTypeLibraries(engine));

    const ProblemRecord* problem = Problem(trailing);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->valueData, At("GoneHelp"));
    EXPECT_EQ(problem->description, MissingFile(At("GoneHelp")));
    EXPECT_TRUE(Shown(trailing));
    problem = Problem(quoted);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->valueData, At("GoneQuoted"));
    EXPECT_EQ(problem->description, "The Directory Path (" + At("GoneQuoted") + ") is Invalid.");
    EXPECT_EQ(Problem(presentTrailing), nullptr);
    EXPECT_EQ(Problem(presentQuoted), nullptr);
    EXPECT_EQ(Problem(empty), nullptr);
    // A present folder written with "\" and an empty value end without a status line.
    EXPECT_FALSE(Shown(presentTrailing));
    EXPECT_TRUE(Shown(presentQuoted));
    EXPECT_FALSE(Shown(empty));
}

TEST_F(TypeLibraryScanTest, KeysThatRefuseFullAccessAreNotDescended) {
    const std::string hidden = Key("1.0\\0\\win32", At("hidden.tlb"));
    const ReadOnlyKey locked(HKEY_CLASSES_ROOT, LibraryPath() + "\\1.0");
    ASSERT_TRUE(locked.RefusesWriteAccess());
    EXPECT_TRUE(ScanTypeLibraries(engine));
    EXPECT_EQ(Problem(hidden), nullptr);
}

// A library file whose name cannot be read is not judged: nothing is known to be missing.
TEST_F(TypeLibraryScanTest, UnreadableLibraryFilesAreNotJudged) {
    const std::string tooLong = Key("1.0\\0\\win32", At(std::string(300, 'x') + ".tlb"));
    const std::string refused = Key("1.0\\1\\win16", At("refused.tlb"));
    const ReadOnlyKey locked(HKEY_CLASSES_ROOT, refused);
    ASSERT_TRUE(locked.RefusesWriteAccess());
    EXPECT_TRUE(ScanTypeLibraries(engine));
    EXPECT_EQ(Problem(tooLong), nullptr);
    EXPECT_EQ(Problem(refused), nullptr);
}

TEST_F(TypeLibraryScanTest, AbortEndsEveryLevelOfTheWalk) {
    Key("1.0\\0\\win32", At("first.tlb"));
    Key("1.0\\1\\win32", At("second.tlb"));
    Key("2.0\\0\\win32", At("third.tlb"));
    host.AbortAtItem(engine, 1);
    EXPECT_FALSE(ScanTypeLibraries(engine));
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[1], "Aborting Scan...");
    EXPECT_LE(host.problems.size(), 1u);
}
