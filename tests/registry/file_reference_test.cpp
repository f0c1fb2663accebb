#include "registry/file_reference.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;

// Files and folders of one test below C:\TidrexTests, removed before and after it.
class FileReferenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::string("C:\\TidrexTests\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    // A path below this test's folder; "" is the folder itself.
    std::string At(const std::string& relative) const { return relative.empty() ? root_ : root_ + "\\" + relative; }
    std::string MakeFile(const std::string& relative) const {
        const std::string path = At(relative);
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path) << "x";
        return path;
    }
    std::string MakeFolder(const std::string& relative) const {
        fs::create_directories(At(relative));
        return At(relative);
    }

    std::string root_;
};

// An environment variable of the test process for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        char old[32767];
        const DWORD length = GetEnvironmentVariableA(name, old, sizeof(old));
        hadValue_ = length > 0 && length < sizeof(old);
        if (hadValue_) old_ = old;
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedEnvironment() { SetEnvironmentVariableA(name_, hadValue_ ? old_.c_str() : nullptr); }

private:
    const char* name_;
    bool hadValue_ = false;
    std::string old_;
};

bool Valid(const std::string& text) { return FileReferenceExists(text, RegistryView::Bits64); }
}  // namespace

TEST_F(FileReferenceTest, ShortTextsAreInvalidAfterExpansion) {
    EXPECT_FALSE(Valid(""));
    EXPECT_FALSE(Valid("ab"));
    ScopedEnvironment shortValue("TIDREXTEST_SHORT", "ab");
    EXPECT_FALSE(Valid("%TIDREXTEST_SHORT%"));
}

TEST_F(FileReferenceTest, OnlyFixedDrivesAreChecked) {
    EXPECT_TRUE(Valid("D:\\gone\\setup.exe"));  // CD-ROM
    EXPECT_TRUE(Valid("A:\\gone\\setup.exe"));  // floppy
    EXPECT_TRUE(Valid("N:\\gone\\setup.exe"));  // network
    EXPECT_TRUE(Valid("Q:\\gone\\setup.exe"));  // no such drive
    EXPECT_FALSE(Valid("E:\\TidrexTestsGone\\setup.exe"));
    EXPECT_FALSE(Valid(At("gone.exe")));
}

TEST_F(FileReferenceTest, FilesOnASecondFixedDiskAreFound) {
    const std::string folder = "E:\\TidrexTests";
    fs::create_directories(folder);
    std::ofstream(folder + "\\present.exe") << "x";
    EXPECT_TRUE(Valid(folder + "\\present.exe"));
    EXPECT_FALSE(Valid(folder + "\\absent.exe"));
    fs::remove_all(folder);
}

TEST_F(FileReferenceTest, UrlsNetworkPathsAndSystemHelpersAreValid) {
    EXPECT_TRUE(Valid("http://example.invalid/gone.exe"));
    EXPECT_TRUE(Valid(At("gone//x.exe")));
    EXPECT_TRUE(Valid("\\\\server\\share\\gone.exe"));
    EXPECT_TRUE(Valid(At("\\gone.exe")));
    EXPECT_TRUE(Valid(At("gone\\RunDll32.exe shell32.dll")));
    EXPECT_TRUE(Valid("MSIEXEC.EXE /x {00000000-0000-0000-0000-000000000000}"));
    EXPECT_TRUE(Valid(At("Regsvr32 /s gone.dll")));
}

TEST_F(FileReferenceTest, ExistingFilesAndFoldersAreValid) {
    MakeFile("app.exe");
    EXPECT_TRUE(Valid(At("app.exe")));
    EXPECT_TRUE(Valid(At(".\\.\\app.exe")));
    EXPECT_TRUE(Valid(At("")));
    EXPECT_TRUE(Valid(At("") + "\\"));
    ScopedEnvironment folder("TIDREXTEST_FOLDER", At(""));
    EXPECT_TRUE(Valid("%TIDREXTEST_FOLDER%\\app.exe"));
    EXPECT_FALSE(Valid("%TIDREXTEST_FOLDER%\\gone.exe"));
}

// Names that the command-line rules rewrite are found by the second look alone.
TEST_F(FileReferenceTest, FileOrFolderExistsLooksAgainWhenTheRulesJudgedAnotherText) {
    const std::string folder = MakeFolder("semi;colon");
    EXPECT_FALSE(Valid(folder));
    EXPECT_TRUE(FileOrFolderExists(folder, RegistryView::Bits64));
    const std::string file = MakeFile("caret^folder\\song.mp3");
    EXPECT_FALSE(Valid(file));
    EXPECT_TRUE(FileOrFolderExists(file, RegistryView::Bits64));
    EXPECT_TRUE(FileOrFolderExists(MakeFolder("plain"), RegistryView::Bits64));
    EXPECT_TRUE(FileOrFolderExists(MakeFile("app.exe"), RegistryView::Bits64));
    EXPECT_FALSE(FileOrFolderExists(At("gone.exe"), RegistryView::Bits64));
    EXPECT_FALSE(FileOrFolderExists(At("gone;folder"), RegistryView::Bits64));
}

TEST_F(FileReferenceTest, CommandLinesAreValidThroughTheirProgram) {
    MakeFile("Tool Dir\\app.exe");
    EXPECT_TRUE(Valid("\"" + At("Tool Dir\\app.exe") + "\" /install \"C:\\gone\\x.txt\""));
    EXPECT_TRUE(Valid(At("Tool Dir\\app.exe") + " -config C:\\gone\\x.ini"));
    EXPECT_TRUE(Valid(At("Tool Dir\\app.exe") + ":1"));
    EXPECT_TRUE(Valid(At("Tool Dir\\gone.dll") + ",-101"));
    EXPECT_FALSE(Valid("\"" + At("Tool Dir\\gone.exe") + "\" /install"));
}

TEST_F(FileReferenceTest, TheSearchPathIsSearched) {
    EXPECT_TRUE(Valid("notepad.exe"));
    EXPECT_TRUE(Valid("notepad.exe C:\\gone\\readme.txt"));
    EXPECT_FALSE(Valid("tidrex-gone-program.exe"));

    // Neither the folder part nor the whole name is found anywhere.
    EXPECT_FALSE(Valid("Gone Dir\\tool.exe"));
    EXPECT_FALSE(Valid("tidrex gone program.exe"));
}

TEST_F(FileReferenceTest, MissingFileInExistingFolderIsInvalid) {
    MakeFolder("dir");
    EXPECT_FALSE(Valid(At("dir\\gone.dll")));
    EXPECT_FALSE(Valid(At("gone\\gone.dll")));
}

TEST_F(FileReferenceTest, OneCharacterNameInExistingFolderIsValid) {
    MakeFolder("dir");
    EXPECT_TRUE(Valid(At("dir\\x")));
    EXPECT_FALSE(Valid(At("gone\\x")));
}

TEST_F(FileReferenceTest, ProgramFollowedByBackslashArgumentIsValid) {
    MakeFile("app.exe");
    EXPECT_TRUE(Valid(At("app.exe\\gone")));
}

// A folder that ends before a blank says nothing about a longer name that carries on its path.
TEST_F(FileReferenceTest, FolderNamesAreTakenWhole) {
    MakeFolder("Program Files");
    MakeFolder("Games");
    const std::string program = MakeFile("Program Files\\App\\app.exe");
    EXPECT_FALSE(Valid(At("Program Files (x86)\\Gone\\gone.exe")));
    EXPECT_FALSE(Valid("\"" + At("Program Files (x86)\\Gone\\gone.exe") + "\" /S"));
    EXPECT_FALSE(Valid(At("Games Old\\x.exe")));
    EXPECT_TRUE(Valid(program + " " + At("Games Old\\data.txt")));
    EXPECT_TRUE(Valid("\"" + program + "\" \"" + At("Program Files (x86)\\Gone\\x.txt") + "\""));
    EXPECT_TRUE(Valid(At("Games") + " /x"));
    EXPECT_TRUE(Valid(At("Games") + " -log " + At("Games\\x.log")));
}

// Expanded and judged as the 32-bit program that wrote it would.
TEST_F(FileReferenceTest, ThirtyTwoBitViewMeansTheThirtyTwoBitFolders) {
    const ScopedEnvironment programs("ProgramFiles(x86)", MakeFolder("x86"));
    const ScopedEnvironment common("CommonProgramFiles(x86)", MakeFolder("x86\\Common"));
    MakeFile("x86\\App\\app.exe");
    MakeFile("x86\\Common\\lib.dll");
    EXPECT_TRUE(FileReferenceExists("%ProgramFiles%\\App\\app.exe", RegistryView::Bits32));
    EXPECT_TRUE(FileReferenceExists("%COMMONPROGRAMFILES%\\lib.dll", RegistryView::Bits32));
    EXPECT_FALSE(FileReferenceExists("%ProgramFiles%\\App\\app.exe", RegistryView::Bits64));
    std::string expanded = "%ProgramFiles%\\App\\app.exe";
    ASSERT_TRUE(ExpandEnvironmentInPlace(expanded, RegistryView::Bits32));
    EXPECT_EQ(expanded, At("x86\\App\\app.exe"));
    MakeFile("system32\\only64.dll");
    EXPECT_TRUE(FileReferenceExists(At("Sysnative\\only64.dll"), RegistryView::Bits32));
    EXPECT_FALSE(FileReferenceExists(At("Sysnative\\only64.dll"), RegistryView::Bits64));
}

// (The test's folder is named after it: its name holds no "system32".)
TEST_F(FileReferenceTest, ThirtyTwoBitViewLooksAgainInSysWow64) {
    MakeFolder("system32");
    MakeFile("SysWOW64\\only32.dll");
    const std::string reference = At("system32\\only32.dll");
    EXPECT_FALSE(FileReferenceExists(reference, RegistryView::Bits64));
    EXPECT_TRUE(FileReferenceExists(reference, RegistryView::Bits32));
    EXPECT_FALSE(FileReferenceExists(At("system32\\gone.dll"), RegistryView::Bits32));
    // The folder is missing too: without WOW64 the search path decides, with it SysWOW64.
    EXPECT_FALSE(FileReferenceExists(At("system32\\sub\\only32.dll"), RegistryView::Bits64));
    MakeFile("SysWOW64\\sub\\only32.dll");
    EXPECT_TRUE(FileReferenceExists(At("system32\\sub\\only32.dll"), RegistryView::Bits32));
    EXPECT_TRUE(FileReferenceExists(At("System32\\sub\\only32.dll"), RegistryView::Bits32));
    EXPECT_TRUE(PathExistsInView(At("SYSTEM32\\sub\\only32.dll"), RegistryView::Bits32));
    EXPECT_FALSE(PathExistsInView(At("SYSTEM32\\sub\\only32.dll"), RegistryView::Bits64));
    // A bare name: the 32-bit system folder is on a 32-bit program's search path.
    char wow64Folder[MAX_PATH] = {};
    ASSERT_GT(GetSystemWow64DirectoryA(wow64Folder, MAX_PATH), 0u);
    const std::string bare = "tidrex-only32-" + std::to_string(GetCurrentProcessId()) + ".dll";
    std::ofstream(std::string(wow64Folder) + "\\" + bare) << "x";
    EXPECT_TRUE(FileReferenceExists(bare, RegistryView::Bits32));
    EXPECT_FALSE(FileReferenceExists(bare, RegistryView::Bits64));
    fs::remove(std::string(wow64Folder) + "\\" + bare);
}

TEST_F(FileReferenceTest, TextsBeyondTheBuffersAreNotReported) {
    MakeFolder("dir");
    const std::string folder = At("dir") + "\\";
    const std::string longest = folder + std::string(259 - folder.size(), 'a');
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_FALSE(Valid(longest));
    EXPECT_TRUE(Valid(longest + "a"));
    EXPECT_TRUE(Valid(folder + std::string(400, 'a')));
    ScopedEnvironment longValue("TIDREXTEST_LONG", std::string(300, 'b'));
    EXPECT_TRUE(Valid(folder + "%TIDREXTEST_LONG%"));
    EXPECT_TRUE(CommandLineExists(folder + std::string(300, 'c')));
}

TEST_F(FileReferenceTest, CommandLineRules) {
    MakeFile("Tool Dir\\app.exe");
    EXPECT_TRUE(CommandLineExists(At("gone.ico") + ",3"));
    EXPECT_TRUE(CommandLineExists(" \"" + At("Tool Dir\\app.exe") + "\"  "));
    EXPECT_TRUE(CommandLineExists("notepad.exe"));
    EXPECT_TRUE(CommandLineExists("notepad.exe|more"));
    EXPECT_TRUE(CommandLineExists(At("Tool Dir\\app.exe") + ":alternate"));
    EXPECT_FALSE(CommandLineExists(At("Tool Dir\\gone.exe") + " /x"));
    // The whole text with blanks is not searched on the search path, only its prefixes.
    MakeFile("OnPath\\two words.exe");
    char path[32767];
    GetEnvironmentVariableA("PATH", path, sizeof(path));
    ScopedEnvironment extended("PATH", std::string(path) + ";" + At("OnPath"));
    EXPECT_FALSE(CommandLineExists("two words.exe"));
    EXPECT_TRUE(CommandLineExists(At("OnPath\\two words.exe")));
}

TEST(FileSystemHelpers, ExpandEnvironmentInPlace) {
    ScopedEnvironment value("TIDREXTEST_VALUE", "C:\\Expanded");
    std::string text = "%TIDREXTEST_VALUE%\\app.exe";
    EXPECT_TRUE(ExpandEnvironmentInPlace(text));
    EXPECT_EQ(text, "C:\\Expanded\\app.exe");
    std::string plain = "C:\\plain.exe";
    EXPECT_TRUE(ExpandEnvironmentInPlace(plain));
    EXPECT_EQ(plain, "C:\\plain.exe");

    ScopedEnvironment longValue("TIDREXTEST_LONG", std::string(300, 'b'));
    std::string tooLong = "C:\\%TIDREXTEST_LONG%";
    EXPECT_FALSE(ExpandEnvironmentInPlace(tooLong));
    EXPECT_EQ(tooLong, "C:\\%TIDREXTEST_LONG%");
    std::string longText(300, 'c');
    EXPECT_FALSE(ExpandEnvironmentInPlace(longText));
    EXPECT_EQ(longText, std::string(300, 'c'));
}

TEST(FileSystemHelpers, WindowsFolderAndFolderTest) {
    const std::string windows = WindowsFolder();
    ASSERT_FALSE(windows.empty());
    EXPECT_NE(windows.back(), '\\');
    EXPECT_TRUE(FolderExists(windows));
    EXPECT_FALSE(FolderExists(windows + "\\notepad.exe"));
    EXPECT_TRUE(PathExists(windows + "\\notepad.exe"));
    EXPECT_FALSE(FolderExists(windows + "\\TidrexGoneFolder"));
}
