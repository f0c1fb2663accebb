#include "scanners/file_type_scanner.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/section_descriptors.h"
#include "tests/scanners/list_scanner_fixture.h"

namespace {
// Registrations of this test's own in a class tree, removed afterwards.
class FileTypeScanTest : public ListScannerTest {
protected:
    // A verb of the registration at path (below root) whose command is given.
    void Verb(HKEY root, const std::string& path, const char* verb, const std::string& command) {
        owned_.push_back(std::make_unique<ScopedListSubKey>(root, path));
        keys_.push_back(std::make_unique<ScopedListSubKey>(root, path + "\\shell\\" + verb + "\\command", command));
    }
    bool Reported(RootKeyValue root, const std::string& path) const {
        for (const ProblemPtr& problem : host.problems) {
            const RegistryProblem* record = problem->AsRegistry();
            if (record && record->rootKey == root && record->keyPath == path) return true;
        }
        return false;
    }
    // Every record of this test's registrations.
    size_t OwnRecords() const {
        size_t count = 0;
        for (const ProblemPtr& problem : host.problems) {
            if (problem->AsRegistry()->keyPath.find(Unique("")) != std::string::npos) ++count;
        }
        return count;
    }
    std::string Gone() const { return "\"" + At("gone\\app.exe") + "\" \"%1\""; }

private:
    std::vector<std::unique_ptr<ScopedListSubKey>> owned_, keys_;
};
}  // namespace

TEST_F(FileTypeScanTest, ReportsTheSmallestKeyThatUndoesAStaleRegistration) {
    const std::string working = MakeFile(At("app\\app.exe"));
    const std::string classes = "SOFTWARE\\Classes\\";
    const std::string allStale = classes + Unique("AllStale");
    Verb(HKEY_LOCAL_MACHINE, allStale, "open", Gone());
    Verb(HKEY_LOCAL_MACHINE, allStale, "edit", "%ProgramFiles%\\" + Unique("Gone") + "\\edit.exe %1");
    const std::string mixed = classes + Unique("Mixed");
    Verb(HKEY_LOCAL_MACHINE, mixed, "open", "\"" + working + "\" \"%1\"");
    Verb(HKEY_LOCAL_MACHINE, mixed, "print", Gone());
    const std::string unjudged = classes + Unique("Unjudged");
    Verb(HKEY_LOCAL_MACHINE, unjudged, "open", "\"%1\" %*");
    Verb(HKEY_LOCAL_MACHINE, unjudged, "run", "rundll32.exe " + At("gone\\x.dll") + ",Entry");
    Verb(HKEY_LOCAL_MACHINE, unjudged, "view", "gone-viewer.exe %1");
    const std::string extension = classes + "." + Unique("ext");
    Verb(HKEY_LOCAL_MACHINE, extension, "open", Gone());
    const std::string folderVerb = classes + "Directory\\shell\\" + Unique("Menu");
    Verb(HKEY_LOCAL_MACHINE, classes + "Directory", Unique("Menu").c_str(), Gone());
    const std::string userApplication = "Software\\Classes\\Applications\\" + Unique(".exe");
    Verb(HKEY_CURRENT_USER, userApplication, "open", Gone());
    const std::string comProgId = classes + Unique("Com");
    Verb(HKEY_LOCAL_MACHINE, comProgId, "open", Gone());
    const ScopedListSubKey comClass(HKEY_LOCAL_MACHINE, comProgId + "\\CLSID",
                                    "{00000000-0000-0000-0000-000000000001}");
    const std::string thirtyTwoBit = classes + "Wow6432Node\\" + Unique("Old");
    Verb(HKEY_LOCAL_MACHINE, thirtyTwoBit, "open", Gone());
    EXPECT_TRUE(ScanStaleFileTypes(engine));

    EXPECT_TRUE(Reported(kLocalMachine, allStale));
    EXPECT_TRUE(Reported(kLocalMachine, mixed + "\\shell\\print"));
    EXPECT_TRUE(Reported(kLocalMachine, folderVerb));
    EXPECT_TRUE(Reported(kCurrentUser, userApplication));
    EXPECT_TRUE(Reported(kLocalMachine, comProgId + "\\shell\\open"));
    EXPECT_TRUE(Reported(kLocalMachine, thirtyTwoBit));
    EXPECT_EQ(OwnRecords(), 6u);  // never the extension, the working verb or the unjudged commands
    for (const ProblemPtr& problem : host.problems) {
        EXPECT_EQ(problem->sectionId, kAssociationsSection);
        EXPECT_EQ(problem->AsRegistry()->scope, RemovalScope::Key);
    }
}
