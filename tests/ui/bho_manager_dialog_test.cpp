#include "ui/tools/bho_manager_dialog.h"

#include <gtest/gtest.h>

#include "backup/backup_list.h"
#include "backup/backup_restore.h"
#include "tests/ui/export_files.h"
#include "tests/ui/manager_dialog_driver.h"
#include "tests/ui/scratch_registry.h"
#include "tests/ui/version_samples.h"

namespace {
constexpr const char* kNamedByClass = "{7A1D0C01-0000-4E57-9C0F-54494452EA01}";
constexpr const char* kNamedByRegistration = "{7A1D0C01-0000-4E57-9C0F-54494452EA02}";
constexpr const char* kUnnamed = "{7A1D0C01-0000-4E57-9C0F-54494452EA03}";
constexpr const char* kProtectedClass = "{7A1D0C01-0000-4E57-9C0F-54494452EA04}";

std::string Registration(const char* id) { return std::string(kBhoListKey) + "\\" + id; }
std::string ClassKey(const char* id) { return std::string("CLSID\\") + id; }

struct BhoManagerTest : ::testing::Test {
    ScratchRegistry registry;
    MessageBoxRecorder boxes;
    std::string backupFolder = FreshFolder("tidrex-bho-backup");
    std::vector<std::string> exported;  // key paths, in the order of their exports

    // The registry editor's export, which also records what it was asked for and checks that
    // the key is still there while it is exported.
    KeyExporter Exporter(const std::string& failFor = "") {
        return
            [this, failFor](HKEY root, const std::string& keyPath, const std::string& subFolder, std::string* written) {
                EXPECT_EQ(subFolder, "BHOBackup");
                EXPECT_TRUE(ScratchRegistry::KeyExists(root, keyPath)) << keyPath;
                exported.push_back(keyPath);
                if (!failFor.empty() && keyPath.find(failFor) != std::string::npos) return false;
                return BackupKeyExporter(backupFolder)(root, keyPath, subFolder, written);
            };
    }

    void Object(const char* id, const char* className, const char* registrationName) {
        registry.OwnKey(HKEY_LOCAL_MACHINE, Registration(id));
        registry.OwnKey(HKEY_CLASSES_ROOT, ClassKey(id));
        if (className) ScratchRegistry::SetString(HKEY_CLASSES_ROOT, ClassKey(id), "", className);
        if (registrationName) ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, Registration(id), "", registrationName);
    }
    void Library(const char* id, const std::string& path, DWORD type = REG_SZ) {
        ScratchRegistry::CreateKey(HKEY_CLASSES_ROOT, ClassKey(id) + "\\InProcServer32");
        ScratchRegistry::SetString(HKEY_CLASSES_ROOT, ClassKey(id) + "\\InProcServer32", "", path, type);
        ScratchRegistry::SetString(HKEY_CLASSES_ROOT, ClassKey(id) + "\\InProcServer32", "ThreadingModel", "Apartment");
    }
};
}  // namespace

TEST_F(BhoManagerTest, ListsEachObjectWithItsNameAndLibrary) {
    Object(kNamedByClass, "Tidrex Sample Helper", "Registration name");
    Library(kNamedByClass, "%SystemRoot%\\tidrex-sample.dll", REG_EXPAND_SZ);
    Object(kNamedByRegistration, nullptr, "Named by its registration");
    Object(kUnnamed, nullptr, nullptr);
    // A class registration that refuses write access, as Windows protects many.
    Object(kProtectedClass, "Protected Helper", nullptr);
    Library(kProtectedClass, "C:\\Protected\\helper.dll");
    ASSERT_TRUE(registry.Lock(HKEY_CLASSES_ROOT, ClassKey(kProtectedClass) + "\\InProcServer32", "D:P(A;;KR;;;WD)"));
    ASSERT_TRUE(registry.Lock(HKEY_CLASSES_ROOT, ClassKey(kProtectedClass), "D:P(A;;KR;;;WD)"));
    BhoManagerDialog dialog("TidrexVelora", backupFolder, Exporter());
    RunManager(dialog, [&](HWND window) {
        EXPECT_EQ(WindowTitle(window), "Browser Helper Object Manager");
        EXPECT_EQ(ItemText(window, IDC_MANAGER_HEADER), kBhoManagerHeader);
        EXPECT_EQ(ColumnCaption(window, 0), "BHO Name");
        EXPECT_EQ(ColumnCaption(window, 1), "File Name");
        EXPECT_EQ(ListView_GetColumnWidth(ManagerList(window), 0), 130);
        EXPECT_EQ(ListView_GetColumnWidth(ManagerList(window), 1), 340);
        HWND list = ManagerList(window);
        const int byClass = RowNamed(window, "Tidrex Sample Helper");
        ASSERT_GE(byClass, 0);
        EXPECT_EQ(ListText(list, byClass, 1), "C:\\windows\\tidrex-sample.dll");
        const int byRegistration = RowNamed(window, "Named by its registration");
        ASSERT_GE(byRegistration, 0);
        EXPECT_EQ(ListText(list, byRegistration, 1), "");
        const int isProtected = RowNamed(window, "Protected Helper");
        ASSERT_GE(isProtected, 0);
        EXPECT_EQ(ListText(list, isProtected, 1), "C:\\Protected\\helper.dll");
        EXPECT_GE(RowNamed(window, "None Specified"), 0);
    });
}

TEST_F(BhoManagerTest, DetailsShowTheLibrarysVersionAndEmptyWithoutOne) {
    const std::string library = SampleFolder("tidrex-bho") + "\\Sample Helper.dll";
    ASSERT_TRUE(PlaceSample("english_only", library));
    Object(kNamedByClass, "Tidrex Sample Helper", nullptr);
    Library(kNamedByClass, library);
    Object(kNamedByRegistration, "Tidrex Helper Without Library", nullptr);
    BhoManagerDialog dialog("TidrexVelora", backupFolder, Exporter());
    RunManager(dialog, [&](HWND window) {
        SelectRow(window, RowNamed(window, "Tidrex Sample Helper"));
        EXPECT_EQ(DetailsShown(window),
                  (ShownDetails{"samplehelper (Version : 7.1.0.12)", "Sample Suite (Version : 7.1)",
                                "Sample Tray Helper", "Sample Works & Sons"}));
        SelectRow(window, RowNamed(window, "Tidrex Helper Without Library"));
        EXPECT_EQ(DetailsShown(window), ShownDetails{});
    });
}

TEST_F(BhoManagerTest, RemovalExportsEachRegistrationBeforeDeletingItAndTheExportsRestore) {
    Object(kNamedByClass, "Tidrex Sample Helper", "Registration name");
    ScratchRegistry::SetDword(HKEY_LOCAL_MACHINE, Registration(kNamedByClass), "NoExplorer", 1);
    Library(kNamedByClass, "C:\\Sample\\helper.dll");
    Object(kUnnamed, nullptr, nullptr);
    ScratchRegistry::CreateKey(HKEY_LOCAL_MACHINE, Registration(kUnnamed) + "\\Settings");
    ScratchRegistry::SetString(HKEY_LOCAL_MACHINE, Registration(kUnnamed) + "\\Settings", "Mode", "quiet");
    Object(kNamedByRegistration, nullptr, "Stays");
    BhoManagerDialog dialog("TidrexVelora", backupFolder, Exporter());
    RunManager(dialog, [&](HWND window) {
        CheckRow(window, RowNamed(window, "Tidrex Sample Helper"));
        CheckRow(window, RowNamed(window, "None Specified"));
        Click(window, IDOK);
        EXPECT_EQ(RowNamed(window, "Tidrex Sample Helper"), -1);
        EXPECT_EQ(RowNamed(window, "None Specified"), -1);
        EXPECT_GE(RowNamed(window, "Stays"), 0);
    });
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Select BHOs Removed"});
    EXPECT_EQ(exported.size(), 2u);
    EXPECT_FALSE(ScratchRegistry::KeyExists(HKEY_LOCAL_MACHINE, Registration(kNamedByClass)));
    EXPECT_FALSE(ScratchRegistry::KeyExists(HKEY_LOCAL_MACHINE, Registration(kUnnamed)));
    EXPECT_TRUE(ScratchRegistry::KeyExists(HKEY_LOCAL_MACHINE, Registration(kNamedByRegistration)));
    // Only the registration goes; the class stays.
    EXPECT_EQ(ScratchRegistry::String(HKEY_CLASSES_ROOT, ClassKey(kNamedByClass) + "\\InProcServer32", ""),
              "C:\\Sample\\helper.dll");

    // One archive of the scan's kind holds both, and gives them back as the restore page does.
    const std::vector<BackupArchive> archives = ListBackupArchives(backupFolder);
    ASSERT_EQ(archives.size(), 1u);
    EXPECT_EQ(RestoreBackup(archives[0].path).status, RestoreReport::Status::Restored);
    EXPECT_EQ(ScratchRegistry::String(HKEY_LOCAL_MACHINE, Registration(kUnnamed) + "\\Settings", "Mode"), "quiet");
    registry.OwnKey(HKEY_LOCAL_MACHINE, Registration(kNamedByClass));
    registry.OwnKey(HKEY_LOCAL_MACHINE, Registration(kUnnamed));

    // Two exports, most likely in one second, in two files; each puts its key back.
    const std::vector<std::string> files = RegFiles(backupFolder + "\\BHOBackup");
    ASSERT_EQ(files.size(), 2u);
    for (const std::string& file : files) EXPECT_EQ(ImportWithRegistryEditor(file), 0u) << file;
    EXPECT_EQ(ScratchRegistry::String(HKEY_LOCAL_MACHINE, Registration(kNamedByClass), ""), "Registration name");
    EXPECT_TRUE(ScratchRegistry::ValueExists(HKEY_LOCAL_MACHINE, Registration(kNamedByClass), "NoExplorer"));
    EXPECT_EQ(ScratchRegistry::String(HKEY_LOCAL_MACHINE, Registration(kUnnamed) + "\\Settings", "Mode"), "quiet");
}

TEST_F(BhoManagerTest, ARegistrationWhoseExportFailedIsKeptAndTheMessageSaysWhy) {
    Object(kNamedByClass, "Tidrex Sample Helper", nullptr);
    Object(kUnnamed, nullptr, nullptr);
    BhoManagerDialog dialog("TidrexVelora", backupFolder, Exporter(kUnnamed));
    RunManager(dialog, [&](HWND window) {
        CheckRow(window, RowNamed(window, "Tidrex Sample Helper"));
        CheckRow(window, RowNamed(window, "None Specified"));
        Click(window, IDOK);
        EXPECT_EQ(RowNamed(window, "Tidrex Sample Helper"), -1);
        const int kept = RowNamed(window, "None Specified");
        ASSERT_GE(kept, 0);
        EXPECT_FALSE(RowChecked(window, kept));
    });
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0],
              "1 of 2 checked entries removed.\r\n"
              "1 entry kept: its backup could not be written, so it was not deleted.");
    EXPECT_TRUE(ScratchRegistry::KeyExists(HKEY_LOCAL_MACHINE, Registration(kUnnamed)));
    EXPECT_FALSE(ScratchRegistry::KeyExists(HKEY_LOCAL_MACHINE, Registration(kNamedByClass)));
    EXPECT_EQ(RegFiles(backupFolder + "\\BHOBackup").size(), 1u);
}

TEST_F(BhoManagerTest, NothingCheckedAsksForAChoice) {
    Object(kUnnamed, nullptr, nullptr);
    BhoManagerDialog dialog("TidrexVelora", backupFolder, Exporter());
    RunManager(dialog, [&](HWND window) { Click(window, IDOK); });
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Please Select an Item from the list, and then Press Remove"});
    EXPECT_TRUE(exported.empty());
    EXPECT_TRUE(ScratchRegistry::KeyExists(HKEY_LOCAL_MACHINE, Registration(kUnnamed)));
}

TEST_F(BhoManagerTest, WithoutFullAccessToTheListKeyTheListIsEmpty) {
    Object(kUnnamed, nullptr, nullptr);
    ASSERT_TRUE(registry.Lock(HKEY_LOCAL_MACHINE, kBhoListKey, "D:P(A;;KR;;;WD)"));
    BhoManagerDialog dialog("TidrexVelora", backupFolder, Exporter());
    RunManager(dialog, [&](HWND window) { EXPECT_EQ(ListView_GetItemCount(ManagerList(window)), 0); });
}
