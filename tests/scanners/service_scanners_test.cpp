#include "scanners/service_scanners.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/section_descriptors.h"
#include "registry/file_reference.h"
#include "tests/scanners/list_scanner_fixture.h"
#include "tests/scanners/scanner_test_values.h"
#include "tests/support/read_only_key.h"

namespace {
std::string Missing(const std::string& path) {
    return "The File (" + path + ") cannot be found at the specified location.";
}

class ServicesScanTest : public ListScannerTest {
protected:
    // A service of this test's own with the given "ImagePath"; its key path.
    std::string Service(const std::string& suffix, const std::string& imagePath) {
        const std::string path = std::string(kServicesKey) + "\\" + Unique(suffix);
        services_.push_back(std::make_unique<ScopedListSubKey>(HKEY_LOCAL_MACHINE, path));
        SetStringValue(HKEY_LOCAL_MACHINE, path, "ImagePath", imagePath, REG_EXPAND_SZ);
        return path;
    }
    // The file's path below the Windows folder, as a service writes it after "\SystemRoot".
    // No test name holds that word: it would be replaced in the test's own paths.
    std::string BelowWindows(const std::string& name) const { return "\\TidrexTests\\" + Unique(name); }

private:
    std::vector<std::unique_ptr<ScopedListSubKey>> services_;
};
}  // namespace

TEST_F(ServicesScanTest, WindowsFolderAndDriveLetterPrefixesAreCut) {
    const std::string systemRoot = Service("SystemRoot", "\\SystemRoot" + BelowWindows("gone.sys"));
    const std::string ntPath = Service("NtPath", "\\??\\" + At("gone.sys"));
    const std::string present = Service("Present", "\\??\\" + MakeFile(At("present.sys")));
    EXPECT_TRUE(ScanServices(engine));

    const std::string judged = WindowsFolder() + BelowWindows("gone.sys");
    const ProblemRecord* problem = host.Find(systemRoot, "ImagePath");
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kServicesSection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kLocalMachine);
    EXPECT_EQ(problem->AsRegistry()->valueData, judged);
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Key);
    EXPECT_EQ(problem->checked, 0);
    EXPECT_EQ(problem->description, Missing(judged));
    problem = host.Find(ntPath, "ImagePath");
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->valueData, At("gone.sys"));
    EXPECT_EQ(host.Find(present, "ImagePath"), nullptr);
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + present));
}

TEST_F(ServicesScanTest, PathWithoutDotIsAProgramBeforeTheBlankOrNothing) {
    const std::string withArguments = Service("Args", "TidrexTests\\" + Unique("gone") + " -k netsvcs");
    const std::string bare = Service("Bare", "TidrexTests\\" + Unique("gone"));
    const std::string empty = Service("Empty", "");
    EXPECT_TRUE(ScanServices(engine));

    const std::string judged = WindowsFolder() + "\\TidrexTests\\" + Unique("gone") + ".exe";
    const ProblemRecord* problem = host.Find(withArguments, "ImagePath");
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->valueData, judged);
    EXPECT_EQ(problem->description, Missing(judged));
    EXPECT_EQ(host.Find(bare, "ImagePath"), nullptr);
    EXPECT_EQ(host.Find(empty, "ImagePath"), nullptr);
    EXPECT_FALSE(host.WasShown("HKEY_LOCAL_MACHINE\\" + bare));
    EXPECT_FALSE(host.WasShown("HKEY_LOCAL_MACHINE\\" + empty));
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + withArguments));
}

TEST_F(ServicesScanTest, EnvironmentReferencesAreExpandedFirst) {
    SetEnvironmentVariableA("TIDREXTEST_SERVICE_DIR", At("").c_str());
    const std::string service = Service("Env", "%TIDREXTEST_SERVICE_DIR%gone.exe -run");
    EXPECT_TRUE(ScanServices(engine));
    SetEnvironmentVariableA("TIDREXTEST_SERVICE_DIR", nullptr);
    const ProblemRecord* problem = host.Find(service, "ImagePath");
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->valueData, At("gone.exe -run"));
}

TEST_F(ServicesScanTest, JudgedEntriesShowAndPauseEmptyOnesOnlyPause) {
    const std::string judged = Service("Judged", "\\??\\" + At("gone.sys"));
    const std::string empty = Service("NoPath", "");
    EXPECT_TRUE(ScanServices(engine));
    // Each shown entry: show, pump, then the pause's pump; the empty one only its pause's pump.
    int pausesWithoutShow = 0;
    for (size_t i = 0; i < host.events.size(); ++i) {
        if (host.events[i] == "show") {
            ASSERT_LE(i + 3, host.events.size());
            EXPECT_EQ(host.events[i + 1], "pump");
            EXPECT_EQ(host.events[i + 2], "pump");
            i += 2;
        } else {
            ++pausesWithoutShow;
        }
    }
    EXPECT_GE(pausesWithoutShow, 1);
}

TEST_F(ServicesScanTest, AbortEndsTheWalk) {
    const std::string first = Service("1", "\\??\\" + At("gone1.sys"));
    const std::string second = Service("2", "\\??\\" + At("gone2.sys"));
    host.AbortAtItem(engine, 1);
    EXPECT_FALSE(ScanServices(engine));
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[1], "Aborting Scan...");
}

TEST_F(ServicesScanTest, StaticDriversKeepTheRootNameAsAFolder) {
    const std::string vxd = kStaticDriversKey;
    const ScopedListSubKey driver(HKEY_LOCAL_MACHINE, vxd + "\\" + Unique("Vxd"));
    SetStringValue(HKEY_LOCAL_MACHINE, driver.Path(), "StaticVXD", "\\SystemRoot" + BelowWindows("gone.vxd"));
    const ScopedListSubKey present(HKEY_LOCAL_MACHINE, vxd + "\\" + Unique("Present"));
    SetStringValue(HKEY_LOCAL_MACHINE, present.Path(), "StaticVXD", MakeFile(At("present.vxd")));
    EXPECT_TRUE(ScanStaticDrivers(engine));

    const std::string judged = WindowsFolder() + "\\SystemRoot" + BelowWindows("gone.vxd");
    const ProblemRecord* problem = host.Find(driver.Path(), "StaticVXD");
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kStaticDriversSection);
    EXPECT_EQ(problem->AsRegistry()->keyPath, vxd + "\\" + Unique("Vxd"));
    EXPECT_EQ(problem->AsRegistry()->valueData, judged);
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Key);
    EXPECT_EQ(problem->description, Missing(judged));
    EXPECT_EQ(host.Find(present.Path(), "StaticVXD"), nullptr);
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + present.Path()));
}

TEST_F(ServicesScanTest, DriverListThatRefusesFullAccessIsToldAsUnreadable) {
    const ScopedListSubKey driver(HKEY_LOCAL_MACHINE, std::string(kStaticDriversKey) + "\\" + Unique("Vxd"));
    SetStringValue(HKEY_LOCAL_MACHINE, driver.Path(), "StaticVXD", At("gone.vxd"));
    const ReadOnlyKey locked(HKEY_LOCAL_MACHINE, kStaticDriversKey);
    ASSERT_TRUE(locked.RefusesWriteAccess());
    EXPECT_TRUE(ScanStaticDrivers(engine));
    EXPECT_TRUE(host.problems.empty());
    EXPECT_TRUE(host.events.empty());
    ASSERT_EQ(host.unreadable.size(), 1u);
    EXPECT_EQ(host.unreadable[0].first, 2);
    EXPECT_EQ(host.unreadable[0].second, "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\VXD");
}

using UninstallScanTest = ListScannerTest;

TEST_F(UninstallScanTest, MissingUninstallerIsReportedAsStoredJudgedExpanded) {
    SetEnvironmentVariableA("TIDREXTEST_UNINSTALL_DIR", At("").c_str());
    const ScopedListSubKey entry(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + Unique("Gone"));
    const std::string stored = "%TIDREXTEST_UNINSTALL_DIR%uninst.exe /S";
    SetStringValue(HKEY_LOCAL_MACHINE, entry.Path(), "UninstallString", stored, REG_EXPAND_SZ);
    EXPECT_TRUE(ScanUninstallEntries(engine));
    SetEnvironmentVariableA("TIDREXTEST_UNINSTALL_DIR", nullptr);

    const ProblemRecord* problem = host.Find(entry.Path(), "UninstallString");
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kUninstallSection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kLocalMachine);
    EXPECT_EQ(problem->AsRegistry()->keyPath, std::string(kUninstallKey) + "\\" + Unique("Gone"));
    EXPECT_EQ(problem->AsRegistry()->valueData, stored);
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Key);
    EXPECT_EQ(problem->description, Missing(At("uninst.exe /S")));
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + entry.Path()));
}

TEST_F(UninstallScanTest, SystemComponentsInstallerCommandsAndEmptyEntriesAreNeverReported) {
    const std::string list = kUninstallKey;
    const ScopedListSubKey component(HKEY_LOCAL_MACHINE, list + "\\" + Unique("Component"));
    SetStringValue(HKEY_LOCAL_MACHINE, component.Path(), "UninstallString", At("gone.exe"));
    SetDwordValue(HKEY_LOCAL_MACHINE, component.Path(), "SystemComponent", 1);
    const ScopedListSubKey visible(HKEY_LOCAL_MACHINE, list + "\\" + Unique("Visible"));
    SetStringValue(HKEY_LOCAL_MACHINE, visible.Path(), "UninstallString", At("gone.exe"));
    SetDwordValue(HKEY_LOCAL_MACHINE, visible.Path(), "SystemComponent", 0);
    const ScopedListSubKey installer(HKEY_LOCAL_MACHINE, list + "\\" + Unique("Msi"));
    SetStringValue(HKEY_LOCAL_MACHINE, installer.Path(), "UninstallString",
                   "MsiExec.exe /X{11111111-2222-3333-4444-555555555555}");
    const ScopedListSubKey empty(HKEY_LOCAL_MACHINE, list + "\\" + Unique("Empty"));
    SetStringValue(HKEY_LOCAL_MACHINE, empty.Path(), "UninstallString", "");
    const ScopedListSubKey tooLong(HKEY_LOCAL_MACHINE, list + "\\" + Unique("TooLong"));
    SetStringValue(HKEY_LOCAL_MACHINE, tooLong.Path(), "UninstallString", At(std::string(300, 'u')));
    EXPECT_TRUE(ScanUninstallEntries(engine));

    EXPECT_EQ(host.Find(component.Path(), "UninstallString"), nullptr);
    EXPECT_NE(host.Find(visible.Path(), "UninstallString"), nullptr);
    EXPECT_EQ(host.Find(installer.Path(), "UninstallString"), nullptr);
    EXPECT_EQ(host.Find(empty.Path(), "UninstallString"), nullptr);
    EXPECT_EQ(host.Find(tooLong.Path(), "UninstallString"), nullptr);
    EXPECT_FALSE(host.WasShown("HKEY_LOCAL_MACHINE\\" + component.Path()));
    EXPECT_FALSE(host.WasShown("HKEY_LOCAL_MACHINE\\" + empty.Path()));
    EXPECT_FALSE(host.WasShown("HKEY_LOCAL_MACHINE\\" + tooLong.Path()));
    EXPECT_TRUE(host.WasShown("HKEY_LOCAL_MACHINE\\" + installer.Path()));
}
