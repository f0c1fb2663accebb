#include "registry/key_export.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "registry/key_import.h"
#include "registry/reg_file_writer.h"
#include "tests/support/every_value_type.h"
#include "tests/support/registry_dump.h"

namespace {
struct TreeUnderRoot {
    const char* name;
    RootKeyValue root;
    const char* path;
};

HKEY Handle(RootKeyValue root) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root))); }

// This test's own name, usable as a key or file name: test programs run side by side.
std::string TestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/') c = '.';
    }
    return name;
}

// A test tree below one root, named after the test, removed before and after it.
class TestTree {
public:
    TestTree(RootKeyValue root, std::string path) : root_(Handle(root)), path_(std::move(path) + "." + TestName()) {
        RegDeleteTreeW(root_, Widen(path_).c_str());
    }
    ~TestTree() { RegDeleteTreeW(root_, Widen(path_).c_str()); }
    HKEY Root() const { return root_; }
    const std::string& Path() const { return path_; }
    std::vector<std::string> Dump() const { return DumpRegistryTree(root_, path_); }
    void Remove() const { RegDeleteTreeW(root_, Widen(path_).c_str()); }

private:
    HKEY root_;
    std::string path_;
};

std::string TempFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + TestName() + "." + name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Runs Wine's (or Windows') own registry editor and waits for it.
int RunRegedit(const std::string& arguments) {
    std::string command = "regedit.exe " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

std::string ExportedFile(RootKeyValue root, const std::string& path) {
    const KeyExport exported = ExportKey(root, path);
    EXPECT_EQ(exported.status, KeyExport::Status::Saved) << exported.error;
    const RegFileWrite written = WriteRegFile(exported.document);
    EXPECT_TRUE(written.ok) << written.error;
    return written.bytes;
}

class KeyExchange : public ::testing::TestWithParam<TreeUnderRoot> {};
}  // namespace

TEST_P(KeyExchange, ExportThenImportGivesTheSameDump) {
    const TestTree tree(GetParam().root, GetParam().path);
    FillEveryValueType(tree.Root(), Widen(tree.Path()));
    const std::vector<std::string> before = tree.Dump();
    ASSERT_GT(before.size(), 40u);
    const std::string file = ExportedFile(GetParam().root, tree.Path());
    tree.Remove();
    ASSERT_TRUE(tree.Dump().empty());
    const RegImport imported = ImportRegFile(file);
    EXPECT_TRUE(imported.ok) << imported.error;
    EXPECT_EQ(tree.Dump(), before);
}

TEST_P(KeyExchange, OurFileImportedByTheRegistryEditorGivesTheSameDump) {
    const TestTree tree(GetParam().root, GetParam().path);
    FillEveryValueType(tree.Root(), Widen(tree.Path()), false);
    const std::vector<std::string> before = tree.Dump();
    const std::string file = TempFile("tidrex-ours.reg");
    WriteFile(file, ExportedFile(GetParam().root, tree.Path()));
    tree.Remove();
    EXPECT_EQ(RunRegedit("/s \"" + file + "\""), 0);
    EXPECT_EQ(tree.Dump(), before);
    DeleteFileA(file.c_str());
}

TEST_P(KeyExchange, RegistryEditorsFileImportedByOursGivesTheSameDump) {
    const TestTree tree(GetParam().root, GetParam().path);
    FillEveryValueType(tree.Root(), Widen(tree.Path()), false);
    const std::vector<std::string> before = tree.Dump();
    const std::string file = TempFile("tidrex-regedit.reg");
    DeleteFileA(file.c_str());
    const std::string fullPath = RootKeyName(GetParam().root) + "\\" + tree.Path();
    ASSERT_EQ(RunRegedit("/e \"" + file + "\" \"" + fullPath + "\""), 0);
    tree.Remove();
    const RegImport imported = ImportRegFile(ReadFile(file));
    EXPECT_TRUE(imported.ok) << imported.error;
    EXPECT_EQ(tree.Dump(), before);
    DeleteFileA(file.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Roots, KeyExchange,
    ::testing::Values(TreeUnderRoot{"CurrentUser", kCurrentUser, "Software\\TidrexTests\\Exchange"},
                      TreeUnderRoot{"LocalMachine", kLocalMachine, "Software\\TidrexTests\\Exchange"},
                      TreeUnderRoot{"ClassesRoot", kClassesRoot, "TidrexTests.Exchange"}),
    [](const ::testing::TestParamInfo<TreeUnderRoot>& testInfo) { return testInfo.param.name; });

TEST(ExportKey, MissingKeyIsGone) {
    const KeyExport exported = ExportKey(kCurrentUser, "Software\\TidrexTests\\NoSuchKey\\Below");
    EXPECT_EQ(exported.status, KeyExport::Status::Gone);
    EXPECT_TRUE(exported.document.keys.empty());
}

TEST(ExportKey, UnreadableSubKeyFailsAndNamesIt) {
    const TestTree tree(kCurrentUser, "Software\\TidrexTests\\Unreadable");
    SetRawValue(tree.Root(), Widen(tree.Path() + "\\Locked"), L"v", REG_SZ, WideBytes(L"x"));
    HKEY locked = nullptr;
    ASSERT_EQ(RegOpenKeyExA(tree.Root(), (tree.Path() + "\\Locked").c_str(), 0, WRITE_DAC, &locked), ERROR_SUCCESS);
    ACL acl;
    InitializeAcl(&acl, sizeof(acl), ACL_REVISION);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(locked, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
    RegCloseKey(locked);

    const KeyExport exported = ExportKey(kCurrentUser, tree.Path());
    EXPECT_EQ(exported.status, KeyExport::Status::Failed);
    EXPECT_NE(exported.error.find(tree.Path() + "\\Locked"), std::string::npos) << exported.error;
    EXPECT_TRUE(exported.document.keys.empty());
}

TEST(ImportRegFile, MalformedFileChangesNothing) {
    const TestTree tree(kCurrentUser, "Software\\TidrexTests\\Malformed");
    SetRawValue(tree.Root(), Widen(tree.Path()), L"Kept", REG_DWORD, {1, 0, 0, 0});
    const std::vector<std::string> before = tree.Dump();
    const std::string bytes = "REGEDIT4\r\n[HKEY_CURRENT_USER\\" + tree.Path() +
                              "]\r\n\"Kept\"=dword:2\r\n\"New\"=\"x\"\r\n" + "[HKEY_CURRENT_USER\\" + tree.Path() +
                              "\\Sub]\r\n\"Bad\"=hex:0g\r\n";
    const RegImport imported = ImportRegFile(bytes);
    EXPECT_FALSE(imported.ok);
    EXPECT_NE(imported.error.find("line 6"), std::string::npos) << imported.error;
    EXPECT_EQ(tree.Dump(), before);
}

TEST(ImportRegFile, RefusesDeletionsAndChangesNothing) {
    const TestTree tree(kCurrentUser, "Software\\TidrexTests\\Deletions");
    SetRawValue(tree.Root(), Widen(tree.Path() + "\\Victim"), L"v", REG_SZ, WideBytes(L"x"));
    const std::vector<std::string> before = tree.Dump();
    for (const std::string& line : {"[-HKEY_CURRENT_USER\\" + tree.Path() + "\\Victim]",
                                    "[HKEY_CURRENT_USER\\" + tree.Path() + "\\Victim]\r\n\"v\"=-"}) {
        const RegImport imported =
            ImportRegFile("REGEDIT4\r\n[HKEY_CURRENT_USER\\" + tree.Path() + "]\r\n\"New\"=\"x\"\r\n" + line + "\r\n");
        EXPECT_FALSE(imported.ok);
        EXPECT_EQ(tree.Dump(), before);
    }
}
