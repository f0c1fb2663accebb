#include "scanners/registry_walk.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/unique_handles.h"
#include "engine/section_descriptors.h"
#include "tests/support/collecting_scan_host.h"
#include "tests/support/registry_sandbox.h"

namespace {
namespace fs = std::filesystem;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Missing(const std::string& path) {
    return "The File (" + path + ") cannot be found at the specified location.";
}

// A key tree of its own under HKEY_CURRENT_USER\Software\TidrexTests and files of its own
// below C:\TidrexTests, both named after the test and removed after it.
class RegistryWalkTest : public ::testing::Test {
protected:
    RegistryWalkTest()
        : name_(::testing::UnitTest::GetInstance()->current_test_info()->name()),
          sandbox(name_),
          root_("C:\\TidrexTests\\" + name_),
          engine(host) {
        engine.ResetRunning();
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    ~RegistryWalkTest() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::string At(const std::string& relative) const { return root_ + "\\" + relative; }
    std::string MakeFile(const std::string& relative) const {
        fs::create_directories(fs::path(At(relative)).parent_path());
        std::ofstream(At(relative)) << "x";
        return At(relative);
    }
    // The walk path of a key below the sandbox ("" = the sandbox key itself).
    std::string WalkPath(const std::string& relative = "") const {
        return "HKEY_CURRENT_USER\\" + (relative.empty() ? sandbox.Path() : sandbox.Sub(relative));
    }
    bool Walk() {
        UniqueHkey key;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, sandbox.Path().c_str(), 0, KEY_ALL_ACCESS, key.put()),
                  ERROR_SUCCESS);
        return WalkRegistryKey(engine, key.get(), WalkPath());
    }
    std::vector<std::string> ReportedValueNames() const {
        std::vector<std::string> names;
        for (const ProblemPtr& problem : host.problems) names.push_back(problem->AsRegistry()->valueName);
        return names;
    }
    // Values come in the registry's index order, which Windows and Wine keep differently.
    static std::vector<std::string> Sorted(std::vector<std::string> texts) {
        std::sort(texts.begin(), texts.end());
        return texts;
    }

private:
    std::string name_;

protected:
    RegistrySandbox sandbox;
    std::string root_;
    CollectingScanHost host;
    ScanEngine engine;
};
}  // namespace

TEST_F(RegistryWalkTest, JudgesThePathCutOutOfEachStringValue) {
    MakeFile("Present App\\App.exe");
    MakeFile("Present.dll");
    MakeFile("Odd^Name\\Song.mp3");
    fs::create_directories(At("Folder"));
    const std::string gone = At("Gone.exe");
    const struct {
        const char* name;
        std::string data;
        DWORD type;
        std::string reportedPath;  // empty: not reported
    } values[] = {
        {"QuotedGone", "\"" + At("Gone App\\App.exe") + "\" /run", REG_SZ, Lower(At("Gone App\\App.exe"))},
        {"QuotedPresent", "\"" + At("Present App\\App.exe") + "\" /run", REG_SZ, ""},
        {"ModuleGone", At("Gone.dll") + ",-101", REG_SZ, Lower(At("Gone.dll"))},
        {"ModulePresent", "@" + At("Present.dll") + ",-101", REG_SZ, ""},
        {"Folder", At("Folder"), REG_SZ, ""},
        // The command-line rules read "^" as a separator; the file is there all the same.
        {"OddName", At("Odd^Name\\Song.mp3"), REG_SZ, ""},
        {"FolderSlash", At("Folder") + "\\", REG_SZ, ""},
        {"DriveRoot", "C:\\", REG_SZ, ""},
        {"DigitFirst", "1:\\x " + gone, REG_SZ, ""},
        {"CdRom", "D:\\TidrexGone\\setup.exe", REG_SZ, ""},
        {"ListOfPaths", At("Present.dll") + ";" + gone, REG_SZ, ""},
        {"Expandable", gone, REG_EXPAND_SZ, ""},
        {"Multi", gone, REG_MULTI_SZ, ""},
        {"TooLong", gone + std::string(300, ' '), REG_SZ, ""},
    };
    for (const auto& value : values) sandbox.SetString("", value.name, value.data, value.type);
    sandbox.SetDword("", "Number", 1);

    EXPECT_TRUE(Walk());

    std::vector<std::string> expected;
    for (const auto& value : values) {
        if (!value.reportedPath.empty()) expected.push_back(value.name);
    }
    EXPECT_EQ(Sorted(ReportedValueNames()), Sorted(expected));
    for (const auto& value : values) {
        const ProblemRecord* problem = host.Find(sandbox.Path(), value.name);
        if (value.reportedPath.empty()) continue;
        ASSERT_NE(problem, nullptr) << value.name;
        EXPECT_EQ(problem->checked, 0);
        EXPECT_EQ(problem->sectionId, kFullRegistrySection);
        EXPECT_EQ(problem->AsRegistry()->rootKey, kCurrentUser);
        EXPECT_EQ(problem->AsRegistry()->valueData, value.data);  // as read, letter case unchanged
        EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Value);
        EXPECT_EQ(problem->description, Missing(value.reportedPath));
    }
    // Every string value read shows in the status line, followed by one pump; nothing else does.
    std::vector<std::string> shown;
    for (const auto& value : values) {
        if (value.type == REG_SZ && value.name != std::string("TooLong"))
            shown.push_back(WalkPath() + "\\" + value.name);
    }
    EXPECT_EQ(Sorted(host.shown), Sorted(shown));
    ASSERT_EQ(host.events.size(), 2 * shown.size());
    for (size_t i = 0; i < host.events.size(); i += 2) {
        EXPECT_EQ(host.events[i], "show");
        EXPECT_EQ(host.events[i + 1], "pump");
    }
}

TEST_F(RegistryWalkTest, EnvironmentReferencesAreExpandedBeforeTheCuts) {
    SetEnvironmentVariableA("TIDREXWALKTEST", "Expanded,Part");
    sandbox.SetString("", "Referenced", At("%TIDREXWALKTEST%\\gone.exe"));
    EXPECT_TRUE(Walk());
    SetEnvironmentVariableA("TIDREXWALKTEST", nullptr);
    const ProblemRecord* problem = host.Find(sandbox.Path(), "Referenced");
    ASSERT_NE(problem, nullptr);
    // The expansion brought the comma, and the cut at the first comma came after it.
    EXPECT_EQ(problem->description, Missing(Lower(root_) + "\\Expanded"));
}

TEST_F(RegistryWalkTest, SubKeysComeBeforeTheKeysOwnValuesAndClassesKeysAreNeverEntered) {
    const std::string gone = At("gone.exe");
    sandbox.SetString("", "Own", gone);
    sandbox.SetString("A", "InA", gone);
    sandbox.SetString("A\\Deeper", "InDeeper", gone);
    sandbox.SetString("B", "InB", gone);
    sandbox.SetString("Classes", "Hidden", gone);
    sandbox.SetString("B\\myCLASSESkey\\Below", "Hidden", gone);
    sandbox.SetString("A\\Deeper\\S-1-5-21_Classes", "Hidden", gone);
    sandbox.SetString("Class", "NotAClassesKey", gone);

    EXPECT_TRUE(Walk());

    const std::vector<std::string> shown = {WalkPath("A\\Deeper") + "\\InDeeper", WalkPath("A") + "\\InA",
                                            WalkPath("B") + "\\InB", WalkPath("Class") + "\\NotAClassesKey",
                                            WalkPath() + "\\Own"};
    EXPECT_EQ(host.shown, shown);
    EXPECT_EQ(ReportedValueNames(), (std::vector<std::string>{"InDeeper", "InA", "InB", "NotAClassesKey", "Own"}));
    const ProblemRecord* deeper = host.Find(sandbox.Sub("A\\Deeper"), "InDeeper");
    ASSERT_NE(deeper, nullptr);
    EXPECT_EQ(deeper->AsRegistry()->rootKey, kCurrentUser);
}

TEST_F(RegistryWalkTest, AFaultEndsItsLevelOnceAndTheParentGoesOn) {
    const std::string gone = At("gone.exe");
    sandbox.SetString("A\\Inner", "First", gone);
    sandbox.SetString("A\\Inner", "Second", gone);
    sandbox.SetString("A", "InA", gone);
    sandbox.SetString("B", "InB", gone);
    sandbox.SetString("", "Own", gone);
    host.FailAtItem(1);

    EXPECT_TRUE(Walk());

    EXPECT_EQ(host.faults, std::vector<std::string>{"Internal Windows Error, Please restart"});
    const std::vector<std::string> shown = {WalkPath("A\\Inner") + "\\First", WalkPath("A") + "\\InA",
                                            WalkPath("B") + "\\InB", WalkPath() + "\\Own"};
    EXPECT_EQ(host.shown, shown);
}

TEST_F(RegistryWalkTest, AKeyTreeFiveHundredLevelsDeepIsWalkedToTheBottom) {
    constexpr int kDepth = 500;
    std::string relative = "Deep";
    UniqueHkey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, sandbox.Sub(relative).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.put(), nullptr),
              ERROR_SUCCESS);
    for (int level = 1; level < kDepth; ++level) {
        UniqueHkey next;
        ASSERT_EQ(RegCreateKeyExA(key.get(), "L", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, next.put(), nullptr),
                  ERROR_SUCCESS)
            << "level " << level;
        key = std::move(next);
        relative += "\\L";
    }
    const std::string gone = At("gone.exe");
    RegSetValueExA(key.get(), "Bottom", 0, REG_SZ, reinterpret_cast<const BYTE*>(gone.c_str()),
                   static_cast<DWORD>(gone.size() + 1));
    key.reset();

    EXPECT_TRUE(Walk());

    ASSERT_EQ(host.problems.size(), 1u);
    EXPECT_EQ(host.problems[0]->AsRegistry()->keyPath, sandbox.Sub(relative));
    EXPECT_EQ(host.shown, std::vector<std::string>{WalkPath(relative) + "\\Bottom"});
}

TEST_F(RegistryWalkTest, AbortDuringTheLocalMachineWalkEndsItWithFalse) {
    host.AbortAtItem(engine, 1);
    EXPECT_FALSE(WalkLocalMachine(engine));
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[0].rfind("HKEY_LOCAL_MACHINE\\", 0), 0u);
    EXPECT_EQ(host.shown[1], "Aborting Scan...");
    // Once aborted, no walk starts.
    EXPECT_FALSE(WalkCurrentUser(engine));
    EXPECT_FALSE(WalkUsers(engine));
    EXPECT_EQ(host.shown.size(), 2u);
}
