#include "scanners/com_class_scanner.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/section_descriptors.h"
#include "tests/scanners/list_scanner_fixture.h"
#include "tests/support/read_only_key.h"

namespace {
// A class of this test's own below HKEY_CLASSES_ROOT\CLSID, removed afterwards.
class ComClassScanTest : public ListScannerTest {
protected:
    ComClassScanTest() : class_(HKEY_CLASSES_ROOT, ClassPath()) {}

    static std::string ClassPath() {
        return std::string("CLSID\\{4F2B9C10-8D3E-4A7B-B1C2-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + "}";
    }
    std::string Key(const std::string& relative, const std::string& value = std::string()) {
        const std::string path = relative.empty() ? ClassPath() : ClassPath() + "\\" + relative;
        keys_.push_back(value.empty() ? std::make_unique<ScopedListSubKey>(HKEY_CLASSES_ROOT, path)
                                      : std::make_unique<ScopedListSubKey>(HKEY_CLASSES_ROOT, path, value));
        return path;
    }
    // The records of this test's class, in arrival order.
    std::vector<const ProblemRecord*> ClassProblems() const {
        std::vector<const ProblemRecord*> records;
        for (const ProblemPtr& problem : host.problems) {
            const RegistryProblem* record = problem->AsRegistry();
            if (record && record->keyPath.rfind(ClassPath() + "\\", 0) == 0) records.push_back(problem.get());
        }
        return records;
    }

private:
    ScopedListSubKey class_;
    std::vector<std::unique_ptr<ScopedListSubKey>> keys_;
};

constexpr const char* kGoneTypeLib = "{0D9C8B7A-6E5F-4A3B-9C2D-1E0F9A8B7C6D}";
}  // namespace

TEST_F(ComClassScanTest, AllSixBrokenRegistrationsGiveSixRecordsInOrder) {
    Key("LocalServer32", At("gone-local.exe"));
    Key("TypeLib", kGoneTypeLib);
    Key("InprocHandler32", At("gone-handler.dll"));
    Key("VersionIndependentProgId", "TidrexTest.NoSuchClass");
    Key("InprocServer", At("gone16.dll"));
    Key("InprocServer32", At("gone.dll"));
    EXPECT_TRUE(ScanComClasses(engine));

    const std::vector<const ProblemRecord*> records = ClassProblems();
    ASSERT_EQ(records.size(), 6u);
    const struct {
        const char* subKey;
        std::string data;
        std::string description;
    } expected[] = {
        {"InprocServer32", At("gone.dll"),
         "The File (" + At("gone.dll") + ") cannot be found at the specified location."},
        {"InprocServer", At("gone16.dll"),
         "The File (" + At("gone16.dll") + ") cannot be found at the specified location."},
        {"InprocHandler32", At("gone-handler.dll"),
         "The File (" + At("gone-handler.dll") + ") cannot be found at the specified location."},
        {"LocalServer32", At("gone-local.exe"),
         "The File (" + At("gone-local.exe") + ") cannot be found at the specified location."},
        {"VersionIndependentProgId", "TidrexTest.NoSuchClass", "The ProgramID (TidrexTest.NoSuchClass) is Invalid."},
        {"TypeLib", kGoneTypeLib, std::string("The TypeLib (") + kGoneTypeLib + ") is Invalid."},
    };
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(records[i]->AsRegistry()->keyPath, ClassPath() + "\\" + expected[i].subKey);
        EXPECT_EQ(records[i]->AsRegistry()->valueName, "");
        EXPECT_EQ(records[i]->AsRegistry()->valueData, expected[i].data);
        EXPECT_EQ(records[i]->description, expected[i].description);
        EXPECT_EQ(records[i]->sectionId, kComSection);
        EXPECT_EQ(records[i]->AsRegistry()->rootKey, kClassesRoot);
        EXPECT_EQ(records[i]->AsRegistry()->scope, RemovalScope::Key);
        EXPECT_TRUE(host.WasShown("HKEY_CLASSES_ROOT\\" + ClassPath() + "\\" + expected[i].subKey));
    }
}

TEST_F(ComClassScanTest, HealthyAndExemptRegistrationsAreNotReported) {
    Key("InprocServer32", "%SystemRoot%\\system32\\kernel32.dll");
    Key("LocalServer32", "\"" + MakeFile(At("server.exe")) + "\" /automation");
    Key("VersionIndependentProgId", "TidrexTest.NoSuchClass");
    Key("VersionIndependentProgId\\ShellEx\\ContextMenuHandlers");
    RegSetKeyValueA(HKEY_CLASSES_ROOT, Key("TypeLib").c_str(), nullptr, REG_SZ, "", 1);
    EXPECT_TRUE(ScanComClasses(engine));
    EXPECT_TRUE(ClassProblems().empty());
    // An empty default value was read, so its key is shown all the same.
    EXPECT_TRUE(host.WasShown("HKEY_CLASSES_ROOT\\" + ClassPath() + "\\TypeLib"));
}

// Classes with more sub-keys than registrations are tried key by key; letter case does not matter.
TEST_F(ComClassScanTest, ClassesWithManySubKeysOrOtherLetterCaseAreJudgedAlike) {
    Key("inprocserver32", At("gone.dll"));
    for (const char* other :
         {"Implemented Categories", "Instance", "MiscStatus", "ProgID", "Programmable", "ToolboxBitmap32", "Version"}) {
        Key(other);
    }
    EXPECT_TRUE(ScanComClasses(engine));
    const std::vector<const ProblemRecord*> records = ClassProblems();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->AsRegistry()->keyPath, ClassPath() + "\\InprocServer32");
}

TEST_F(ComClassScanTest, ProgramIdWithADrivePathIsJudgedAsAFile) {
    Key("VersionIndependentProgId", At("gone.exe"));
    EXPECT_TRUE(ScanComClasses(engine));
    const std::vector<const ProblemRecord*> records = ClassProblems();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->description, "The File (" + At("gone.exe") + ") cannot be found at the specified location.");
}

TEST_F(ComClassScanTest, ProtectedTypeLibraryIsRegisteredProtectedServerKeyIsPassedOver) {
    const std::string typeLib = "TypeLib\\{0D9C8B7A-6E5F-4A3B-9C2D-1E0F9A8B7C6E}";
    const ScopedListSubKey library(HKEY_CLASSES_ROOT, typeLib + "\\1.0", "A protected type library");
    Key("TypeLib", "{0D9C8B7A-6E5F-4A3B-9C2D-1E0F9A8B7C6E}");
    const std::string server = Key("InprocServer32", At("gone.dll"));
    const ReadOnlyKey lockedLibrary(HKEY_CLASSES_ROOT, typeLib);
    const ReadOnlyKey lockedServer(HKEY_CLASSES_ROOT, server);
    ASSERT_TRUE(lockedLibrary.RefusesWriteAccess());
    EXPECT_TRUE(ScanComClasses(engine));
    EXPECT_TRUE(ClassProblems().empty());
    EXPECT_FALSE(host.WasShown("HKEY_CLASSES_ROOT\\" + server));
}

TEST_F(ComClassScanTest, AbortIsSeenAtTheNextClass) {
    Key("InprocServer32", At("gone.dll"));
    Key("LocalServer32", At("gone.exe"));
    host.AbortAtItem(engine, 1);
    EXPECT_FALSE(ScanComClasses(engine));
    ASSERT_GE(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[1], "Aborting Scan...");
    // The class being judged is finished; no other class follows.
    const auto classOf = [](const std::string& shown) { return shown.substr(0, shown.rfind('\\')); };
    for (size_t i = 2; i < host.shown.size(); ++i) EXPECT_EQ(classOf(host.shown[i]), classOf(host.shown[0]));
}

// A 32-bit program's class is judged where it is registered, as that program finds its files:
// its "system32" is SysWOW64, where also every 16-bit server lies.
TEST_F(ComClassScanTest, ThirtyTwoBitClassesAreJudgedAsTheirProgramsSeeThem) {
    char wow64Folder[MAX_PATH] = {};
    ASSERT_GT(GetSystemWow64DirectoryA(wow64Folder, MAX_PATH), 0u);
    const std::string helper = "tidrex-com32-" + std::to_string(GetCurrentProcessId()) + ".dll";
    const std::string helperPath = std::string(wow64Folder) + "\\" + helper;
    MakeFile(helperPath);
    const std::string classes32 = "Wow6432Node\\" + ClassPath();
    const ScopedListSubKey healthy(HKEY_CLASSES_ROOT, classes32 + "\\InprocServer32",
                                   "C:\\windows\\system32\\" + helper);
    const ScopedListSubKey gone(HKEY_CLASSES_ROOT, classes32 + "\\LocalServer32", At("gone32.exe"));
    Key("InprocServer", helper);
    Key("InprocServer32", "C:\\windows\\system32\\" + helper);
    EXPECT_TRUE(ScanComClasses(engine));
    DeleteFileA(helperPath.c_str());

    EXPECT_EQ(host.Find(classes32 + "\\InprocServer32", ""), nullptr);
    const ProblemRecord* problem = host.Find(classes32 + "\\LocalServer32", "");
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kClassesRoot);
    const std::vector<const ProblemRecord*> records = ClassProblems();
    ASSERT_EQ(records.size(), 1u);  // the 64-bit class's server is not SysWOW64's
    EXPECT_EQ(records[0]->AsRegistry()->keyPath, ClassPath() + "\\InprocServer32");
}
