#include "scanners/association_scanners.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/section_descriptors.h"
#include "tests/scanners/list_scanner_fixture.h"
#include "tests/scanners/scanner_test_values.h"
#include "tests/support/read_only_key.h"

namespace {
// Keys of this test's own below HKEY_CLASSES_ROOT and the current user's open-with lists.
class AssociationScanTest : public ListScannerTest {
protected:
    std::string ClassesKey(const std::string& path, const std::string& defaultValue = std::string()) {
        keys_.push_back(defaultValue.empty()
                            ? std::make_unique<ScopedListSubKey>(HKEY_CLASSES_ROOT, path)
                            : std::make_unique<ScopedListSubKey>(HKEY_CLASSES_ROOT, path, defaultValue));
        return path;
    }
    // An extension name of this test's own, beginning with ".".
    std::string Extension(const std::string& suffix) const { return "." + Unique(suffix); }
    // The open-with list of an extension with one-letter entries naming programs.
    std::string OpenWithList(const std::string& extension, const std::vector<std::string>& programs) {
        const std::string extensionKey = std::string(kFileExtsKey) + "\\" + extension;
        keys_.push_back(std::make_unique<ScopedListSubKey>(HKEY_CURRENT_USER, extensionKey));
        const std::string list = extensionKey + "\\OpenWithList";
        std::string order;
        for (size_t i = 0; i < programs.size(); ++i) {
            const char letter[] = {static_cast<char>('a' + i), '\0'};
            SetStringValue(HKEY_CURRENT_USER, list, letter, programs[i]);
            order += letter;
        }
        SetStringValue(HKEY_CURRENT_USER, list, "MRUList", order);
        return list;
    }
    const ProblemRecord* ExtensionProblem(const std::string& extension) const { return host.Find(extension, ""); }
    bool Shown(const std::string& text) const { return host.WasShown(text); }

private:
    std::vector<std::unique_ptr<ScopedListSubKey>> keys_;
};

std::string InvalidProgId(const std::string& id) { return "The ProgramID (" + id + ") is Invalid."; }
}  // namespace

TEST_F(AssociationScanTest, UnregisteredProgramIdIsReportedUnlessShellExtensionsRemain) {
    const std::string stale = ClassesKey(Extension("Stale"), "TidrexTest.NoSuchProgId");
    const std::string withShellEx = ClassesKey(Extension("ShellEx"), "TidrexTest.NoSuchProgId");
    ClassesKey(withShellEx + "\\ShellEx\\{BB2E617C-0920-11D1-9A0B-00C04FC2D6C1}");
    const std::string healthy = ClassesKey(Extension("Healthy"), Unique("ProgId"));
    ClassesKey(Unique("ProgId"), "A program id of this test");
    EXPECT_TRUE(ScanExtensions(engine));

    const ProblemRecord* problem = ExtensionProblem(stale);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kAssociationsSection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kClassesRoot);
    EXPECT_EQ(problem->AsRegistry()->valueName, "");
    EXPECT_EQ(problem->AsRegistry()->valueData, "TidrexTest.NoSuchProgId");
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Key);
    EXPECT_EQ(problem->description, InvalidProgId("TidrexTest.NoSuchProgId"));
    EXPECT_EQ(ExtensionProblem(withShellEx), nullptr);
    EXPECT_EQ(ExtensionProblem(healthy), nullptr);
    EXPECT_TRUE(Shown("HKEY_CLASSES_ROOT\\" + healthy));
    // Program ids and other keys without a leading "." are not this scan's.
    EXPECT_FALSE(Shown("HKEY_CLASSES_ROOT\\" + Unique("ProgId")));
}

TEST_F(AssociationScanTest, ContentOrPerceivedTypeEndsTheExamination) {
    const std::string contentType = ClassesKey(Extension("Content"), "TidrexTest.NoSuchProgId");
    SetStringValue(HKEY_CLASSES_ROOT, contentType, "Content Type", "application/x-tidrex");
    const std::string perceived = ClassesKey(Extension("Perceived"));
    SetStringValue(HKEY_CLASSES_ROOT, perceived, "PerceivedType", "text");
    EXPECT_TRUE(ScanExtensions(engine));
    EXPECT_EQ(ExtensionProblem(contentType), nullptr);
    EXPECT_EQ(ExtensionProblem(perceived), nullptr);
    EXPECT_FALSE(Shown("HKEY_CLASSES_ROOT\\" + contentType));
    EXPECT_FALSE(Shown("HKEY_CLASSES_ROOT\\" + perceived));
}

TEST_F(AssociationScanTest, EmptyExtensionIsReportedWithEmptyParenthesesShellRegistrationsAreNot) {
    const std::string empty = ClassesKey(Extension("Empty"));
    const std::string shellNew = ClassesKey(Extension("ShellNew"));
    ClassesKey(shellNew + "\\" + Unique("Document") + "\\ShellNew");
    const std::string shell = ClassesKey(Extension("Shell"));
    ClassesKey(shell + "\\Shell\\open\\command", "notepad.exe %1");
    const std::string icon = ClassesKey(Extension("Icon"));
    ClassesKey(icon + "\\DefaultIcon", "shell32.dll,1");
    const std::string openWith = ClassesKey(Extension("OpenWith"));
    ClassesKey(openWith + "\\OpenWithProgids");
    SetStringValue(HKEY_CLASSES_ROOT, openWith + "\\OpenWithProgids", "txtfile", "");
    const std::string otherSubKey = ClassesKey(Extension("Other"));
    ClassesKey(otherSubKey + "\\" + Unique("Settings"));
    EXPECT_TRUE(ScanExtensions(engine));

    const ProblemRecord* problem = ExtensionProblem(empty);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->valueData, "");
    EXPECT_EQ(problem->description, "The ProgramID () is Invalid.");
    EXPECT_EQ(ExtensionProblem(shellNew), nullptr);
    EXPECT_EQ(ExtensionProblem(shell), nullptr);
    EXPECT_EQ(ExtensionProblem(icon), nullptr);
    EXPECT_EQ(ExtensionProblem(openWith), nullptr);
    EXPECT_NE(ExtensionProblem(otherSubKey), nullptr);
}

TEST_F(AssociationScanTest, PersistentHandlerMustNameARegisteredClass) {
    const std::string goneClass = "{6A0C3D55-1E0B-4F11-8C39-0D1F2E3A4B5C}";
    const std::string gone = ClassesKey(Extension("GoneHandler"));
    ClassesKey(gone + "\\PersistentHandler", goneClass);
    const std::string presentClass = "{6A0C3D55-1E0B-4F11-8C39-0D1F2E3A4B5D}";
    ClassesKey("CLSID\\" + presentClass, "A persistent handler of this test");
    const std::string present = ClassesKey(Extension("Handler"));
    ClassesKey(present + "\\PersistentHandler", presentClass);
    EXPECT_TRUE(ScanExtensions(engine));

    const ProblemRecord* problem = ExtensionProblem(gone);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->AsRegistry()->valueData, goneClass);
    EXPECT_EQ(problem->description, InvalidProgId(goneClass));
    EXPECT_EQ(ExtensionProblem(present), nullptr);
}

// Current Windows protects many registrations from writing, even by administrators: what exists
// but refuses full access is still registered and must not be reported.
TEST_F(AssociationScanTest, RegistrationsThatRefuseWriteAccessStillCount) {
    const std::string handlerClass = "{6A0C3D55-1E0B-4F11-8C39-0D1F2E3A4B5E}";
    ClassesKey("CLSID\\" + handlerClass, "A protected persistent handler");
    const std::string handled = ClassesKey(Extension("Protected"));
    ClassesKey(handled + "\\PersistentHandler", handlerClass);
    const std::string templated = ClassesKey(Extension("ProtectedTemplate"));
    ClassesKey(templated + "\\" + Unique("Document") + "\\ShellNew");
    const ReadOnlyKey lockedClass(HKEY_CLASSES_ROOT, "CLSID\\" + handlerClass);
    const ReadOnlyKey lockedExtension(HKEY_CLASSES_ROOT, templated);
    ASSERT_TRUE(lockedClass.RefusesWriteAccess());
    ASSERT_TRUE(lockedExtension.RefusesWriteAccess());
    EXPECT_TRUE(ScanExtensions(engine));
    EXPECT_EQ(ExtensionProblem(handled), nullptr);
    EXPECT_EQ(ExtensionProblem(templated), nullptr);
}

TEST_F(AssociationScanTest, OpenWithEntriesNeedARegisteredProgramThatIsThere) {
    const std::string missingCommand = Unique("Missing.exe");
    ClassesKey("Applications\\" + missingCommand + "\\shell\\open\\command", "\"" + At("gone.exe") + "\" \"%1\"");
    const std::string present = Unique("Present.exe");
    ClassesKey("Applications\\" + present + "\\shell\\open\\command", "\"" + MakeFile(At("present.exe")) + "\" \"%1\"");
    const std::string unregistered = Unique("Unregistered.exe");
    const std::string extension = Extension("OpenWith");
    const std::string list = OpenWithList(extension, {missingCommand, present, unregistered});
    const std::string noList = Extension("NoList");
    OpenWithList(noList, {});
    EXPECT_TRUE(ScanOpenWithLists(engine));

    const ProblemRecord* problem = host.Find(list, "a");
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->sectionId, kAssociationsSection);
    EXPECT_EQ(problem->AsRegistry()->rootKey, kCurrentUser);
    EXPECT_EQ(problem->AsRegistry()->valueData, missingCommand);
    EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Value);
    EXPECT_EQ(problem->description, "The File (" + missingCommand + ") cannot be found at the specified location");
    EXPECT_EQ(host.Find(list, "b"), nullptr);
    EXPECT_NE(host.Find(list, "c"), nullptr);
    EXPECT_EQ(host.Find(list, "MRUList"), nullptr);
    EXPECT_TRUE(Shown("HKEY_CURRENT_USER\\" + std::string(kFileExtsKey) + "\\" + extension));
    EXPECT_TRUE(Shown("HKEY_CURRENT_USER\\" + std::string(kFileExtsKey) + "\\" + noList));
}

TEST_F(AssociationScanTest, ProgramWithoutCommandIsLookedForOnTheSearchPath) {
    const std::string onPath = Unique("OnPath.exe");
    const std::string offPath = Unique("OffPath.exe");
    MakeFile(At("bin\\" + onPath));
    ClassesKey("Applications\\" + onPath + "\\SupportedTypes");
    ClassesKey("Applications\\" + offPath + "\\SupportedTypes");
    char path[32767] = {};
    GetEnvironmentVariableA("PATH", path, sizeof(path));
    SetEnvironmentVariableA("PATH", (std::string(path) + ";" + At("bin")).c_str());
    const bool onPathUsable = ApplicationIsUsable(onPath);
    const bool upperCaseUsable = ApplicationIsUsable(Unique("ONPATH.EXE"));
    SetEnvironmentVariableA("PATH", path);
    EXPECT_TRUE(onPathUsable);
    EXPECT_TRUE(upperCaseUsable);
    EXPECT_FALSE(ApplicationIsUsable(offPath));
    EXPECT_FALSE(ApplicationIsUsable(""));
    EXPECT_FALSE(ApplicationIsUsable("Applications\\..\\" + onPath));
}

TEST_F(AssociationScanTest, ProtectedProgramRegistrationIsUsable) {
    const std::string program = Unique("Protected.exe");
    const std::string registration = ClassesKey("Applications\\" + program);
    ClassesKey(registration + "\\shell\\open\\command", "\"" + MakeFile(At("protected.exe")) + "\" \"%1\"");
    const ReadOnlyKey lockedCommand(HKEY_CLASSES_ROOT, registration + "\\shell\\open\\command");
    const ReadOnlyKey lockedRegistration(HKEY_CLASSES_ROOT, registration);
    ASSERT_TRUE(lockedCommand.RefusesWriteAccess());
    EXPECT_TRUE(ApplicationIsUsable(program));
}
