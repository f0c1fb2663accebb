#include "ui/system_info.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/runtime_function.h"
#include "base/unique_handles.h"
#include "tests/ui/child_run.h"
#include "app/os_naming.h"

namespace {
// The version the system itself reports, which no compatibility rule changes.
OSVERSIONINFOW TrueVersion() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtlGetVersion = FindFunction<RtlGetVersionFunction>(GetModuleHandleA("ntdll.dll"), "RtlGetVersion");
    if (rtlGetVersion) rtlGetVersion(&version);
    return version;
}

// Makes Wine report another Windows version to this program's next start.
class WineVersionForThisProgram {
public:
    explicit WineVersionForThisProgram(const char* version) {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(), nullptr);
        RegSetValueExA(key_.get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(strlen(version) + 1));
    }
    ~WineVersionForThisProgram() {
        key_.reset();
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    }

private:
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\ui_tests.exe";
    UniqueHkey key_;
};
}  // namespace

TEST(SystemInfo, SeesTheTrueVersionThroughTheManifest) {
    const SystemInfo info;
    const OSVERSIONINFOW version = TrueVersion();
    ASSERT_NE(version.dwMajorVersion, 0u);
    EXPECT_EQ(info.Version().major, version.dwMajorVersion);
    EXPECT_EQ(info.Version().minor, version.dwMinorVersion);
    EXPECT_EQ(info.Version().build, version.dwBuildNumber);
    EXPECT_FALSE(info.OsName().empty());
}

// Wine 8 offers no Windows 11 setting; the build rule for it is tested in OsName.
TEST(SystemInfo, NamesWindows10WhenTheSystemIsOne) {
    const WineVersionForThisProgram windows10("win10");
    EXPECT_EQ(RunChild("SystemInfoChild.IsWindows10"), 0);
}

TEST(SystemInfoChild, IsWindows10) {
    if (!IsChildRun()) GTEST_SKIP() << "runs as a child of NamesWindows10WhenTheSystemIsOne";
    // Without the manifest's Windows 10 entry the version would read 6.2, "Windows 8".
    EXPECT_EQ(SystemInfo().OsName(), "Windows 10");
}

TEST(SystemInfo, GathersMemoryAndUser) {
    const SystemInfo info;
    EXPECT_GT(info.totalPhysical, 0u);
    EXPECT_LE(info.availablePhysical, info.totalPhysical);
    char name[256] = {};
    DWORD size = sizeof(name);
    ASSERT_TRUE(GetUserNameA(name, &size));
    EXPECT_EQ(info.UserName(), name);
}

TEST(SystemInfo, DiskSpaceCountsFixedDisksOnly) {
    const std::string text = DiskSpaceText();
    EXPECT_EQ(text.rfind("Free Disk Space : ", 0), 0u) << text;
    EXPECT_NE(text.find(" GB of "), std::string::npos);
}
