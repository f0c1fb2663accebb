#include "ui/tools/key_exporter.h"

#include <gtest/gtest.h>

#include "tests/ui/export_files.h"
#include "tests/ui/scratch_registry.h"

namespace {
constexpr const char* kKey = "Software\\TidrexTests\\KeyExport";

struct KeyExportTest : ::testing::Test {
    ScratchRegistry registry;
    std::string backupFolder = FreshFolder("tidrex-key-export");

    void SetUp() override {
        registry.OwnKey(HKEY_CURRENT_USER, kKey);
        ScratchRegistry::SetString(HKEY_CURRENT_USER, kKey, "Name", "value");
    }
};
}  // namespace

TEST_F(KeyExportTest, ExportsOfOneSecondNeverReplaceEachOther) {
    const KeyExporter exporter = BackupKeyExporter(backupFolder);
    std::vector<std::string> written;
    for (int i = 0; i < 3; ++i) {
        std::string file;
        ASSERT_TRUE(exporter(HKEY_CURRENT_USER, kKey, "BHOBackup", &file));
        EXPECT_EQ(file.rfind(backupFolder + "\\BHOBackup\\", 0), 0u) << file;
        EXPECT_EQ(file.substr(file.size() - 4), ".reg");
        written.push_back(file);
    }
    EXPECT_EQ(RegFiles(backupFolder + "\\BHOBackup").size(), 3u);
    EXPECT_NE(written[0], written[1]);
    EXPECT_NE(written[1], written[2]);
    EXPECT_NE(written[0], written[2]);
}

TEST_F(KeyExportTest, AMissingKeyOrAWholeRootIsNoExportAndLeavesNoFile) {
    const KeyExporter exporter = BackupKeyExporter(backupFolder);
    std::string file = "untouched";
    EXPECT_FALSE(exporter(HKEY_CURRENT_USER, std::string(kKey) + "\\Missing", "AddRemoveBackup", &file));
    EXPECT_FALSE(exporter(HKEY_CURRENT_USER, "", "AddRemoveBackup", &file));
    EXPECT_EQ(file, "untouched");
    EXPECT_TRUE(RegFiles(backupFolder + "\\AddRemoveBackup").empty());
}

TEST_F(KeyExportTest, AKeyMayGoOnlyWhenExportedWholeOrAlreadyGone) {
    int calls = 0;
    const KeyExporter failing = [&](HKEY, const std::string&, const std::string&, std::string*) {
        ++calls;
        return false;
    };
    EXPECT_FALSE(KeySavedOrGone(failing, HKEY_CURRENT_USER, kKey, "BHOBackup"));
    EXPECT_FALSE(KeySavedOrGone(nullptr, HKEY_CURRENT_USER, kKey, "BHOBackup"));
    // Already gone: nothing to export, nothing lost.
    EXPECT_TRUE(KeySavedOrGone(failing, HKEY_CURRENT_USER, std::string(kKey) + "\\Missing", "BHOBackup"));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(KeySavedOrGone(BackupKeyExporter(backupFolder), HKEY_CURRENT_USER, "", "BHOBackup"));

    ScratchRegistry::CreateKey(HKEY_CURRENT_USER, std::string(kKey) + "\\Sub");
    EXPECT_TRUE(KeySavedOrGone(BackupKeyExporter(backupFolder), HKEY_CURRENT_USER, kKey, "BHOBackup"));
    EXPECT_EQ(RegFiles(backupFolder + "\\BHOBackup").size(), 1u);
}

// A subkey that refuses every access cannot be exported: the key may not go.
TEST_F(KeyExportTest, AKeyWithAnUnreadableSubKeyIsNotExported) {
    const std::string locked = std::string(kKey) + "\\Locked";
    ScratchRegistry::CreateKey(HKEY_CURRENT_USER, locked);
    ScratchRegistry::SetString(HKEY_CURRENT_USER, locked, "Inside", "data");
    ASSERT_TRUE(registry.Lock(HKEY_CURRENT_USER, locked, "D:P"));
    EXPECT_FALSE(KeySavedOrGone(BackupKeyExporter(backupFolder), HKEY_CURRENT_USER, kKey, "BHOBackup"));
    EXPECT_TRUE(RegFiles(backupFolder + "\\BHOBackup").empty());
}
