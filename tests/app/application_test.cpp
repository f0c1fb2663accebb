#include "app/application.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/unique_handles.h"
#include "engine/section_descriptors.h"
#include "tests/ui/child_run.h"

namespace {
constexpr const char* kMainTitle = "Tidrex Velora v7.0 ";
constexpr const char* kSettingsKey = "Software\\TidrexVelora";

// The program beside this test's build folder: BUILD\ui\TidrexVelora.exe.
std::string ProgramPath() { return Ancestor(SelfPath(), 3) + "\\ui\\TidrexVelora.exe"; }

UniqueHandle Start(const std::string& program) {
    std::string command = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup,
                        &process)) {
        return UniqueHandle();
    }
    CloseHandle(process.hThread);
    return UniqueHandle(process.hProcess);
}

HWND WaitForWindow(const char* title) {
    for (int i = 0; i < 300; ++i) {
        if (HWND window = FindWindowA(nullptr, title)) return window;
        Sleep(50);
    }
    return nullptr;
}

int CountWindows(const char* title) {
    struct Count {
        const char* title;
        int count;
    } count{title, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* c = reinterpret_cast<Count*>(data);
            char text[128] = {};
            GetWindowTextA(window, text, sizeof(text));
            if (std::string(text) == c->title) ++c->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.count;
}

bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

DWORD ReadDword(const char* name) {
    DWORD value = 0, size = sizeof(value);
    RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

// The real program against the prefix's own settings key, which the test removes again.
struct ProgramFixture : ::testing::Test {
    void SetUp() override {
        if (KeyExists(kSettingsKey)) GTEST_SKIP() << "the prefix has settings of its own; they are left alone";
    }
    void TearDown() override {
        for (UniqueHandle* process : {&first, &second}) {
            if (*process && WaitForSingleObject(process->get(), 0) == WAIT_TIMEOUT) TerminateProcess(process->get(), 1);
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    }
    UniqueHandle first, second;
};
}  // namespace

TEST(ApplicationName, IsTheFileNameWithoutFolderAndExtension) {
    EXPECT_EQ(ApplicationNameOf("C:\\Program Files\\Tidrex\\TidrexVelora.exe"), "TidrexVelora");
    EXPECT_EQ(ApplicationNameOf("unix\\work\\build\\ui\\Renamed.copy.exe"), "Renamed.copy");
}

TEST_F(ProgramFixture, FirstRunCreatesTheSettingsAndASecondCopyActivatesTheFirst) {
    first = Start(ProgramPath());
    ASSERT_TRUE(first) << ProgramPath();
    const HWND window = WaitForWindow(kMainTitle);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(KeyExists(kSettingsKey));
    for (SectionId id = kStartupProgramsSection; id <= kShortcutsSection; ++id)
        EXPECT_EQ(ReadDword(std::to_string(id).c_str()), 1u) << id;

    // Asked again while it has not happened: a busy machine may drop the first request.
    for (int i = 0; i < 200 && !IsIconic(window); ++i) {
        if (i % 20 == 0) ShowWindow(window, SW_MINIMIZE);
        Sleep(50);
    }
    ASSERT_TRUE(IsIconic(window));
    second = Start(ProgramPath());
    ASSERT_TRUE(second);
    ASSERT_EQ(WaitForSingleObject(second.get(), 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(second.get(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(CountWindows(kMainTitle), 1);
    for (int i = 0; i < 200 && IsIconic(window); ++i) Sleep(50);
    EXPECT_FALSE(IsIconic(window));

    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(WaitForSingleObject(first.get(), 20000), WAIT_OBJECT_0);
}
