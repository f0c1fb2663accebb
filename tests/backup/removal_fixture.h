#pragma once
// A removal under test: registry areas of its own below each root, each one the list key of a
// test section, a folder for shortcut files and a backup folder, all removed before and after.
// Dump() reads every byte of all of them, so a test can show that removal and restore give back
// exactly what was there.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backup/backup_restore.h"
#include "backup/backup_set.h"
#include "backup/problem_removal.h"
#include "engine/section_table.h"
#include "tests/support/every_value_type.h"
#include "tests/support/list_keys_lock.h"
#include "tests/support/registry_dump.h"
#include "tests/support/temp_folder.h"

inline constexpr SectionId kCurrentUserSection = 97;
inline constexpr SectionId kLocalMachineSection = 98;
inline constexpr SectionId kClassesRootSection = 99;

inline HKEY RootHandle(RootKeyValue root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

// This test's own name, usable as a key or folder name.
inline std::string TestId() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string id = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : id) {
        if (c == '/' || c == '\\') c = '.';
    }
    return id;
}

class RemovalFixture {
public:
    RemovalFixture()
        : id_(TestId()),
          files_("files-" + id_),
          backups_("backups-" + id_),
          areas_{{{kCurrentUser, "Software\\TidrexTests\\Removal\\" + id_},
                  {kLocalMachine, "Software\\TidrexTests\\Removal\\" + id_},
                  {kClassesRoot, "TidrexTests.Removal." + id_}}} {
        for (const RegistryArea& area : areas_) RegDeleteTreeW(RootHandle(area.root), Widen(area.path).c_str());
        listKeys_ = {{kCurrentUserSection, kCurrentUser, areas_[0].path},
                     {kLocalMachineSection, kLocalMachine, areas_[1].path},
                     {kClassesRootSection, kClassesRoot, areas_[2].path}};
        scope_ = {&listKeys_, {}, ProgramRestoreScope().valueAreas};
        // The full scan does not walk the class tree; this test's own area there gives values too.
        scope_.valueAreas.push_back({kClassesRoot, areas_[2].path, true});
        backup.SetBackupFolder(backups_.Path());
    }
    RemovalFixture(const RemovalFixture&) = delete;
    RemovalFixture& operator=(const RemovalFixture&) = delete;
    ~RemovalFixture() {
        for (const RegistryArea& area : areas_) RegDeleteTreeW(RootHandle(area.root), Widen(area.path).c_str());
        for (const std::string& name : rootValues_) RegDeleteKeyValueA(HKEY_CURRENT_USER, nullptr, name.c_str());
    }

    // The area (the list key of its section) below a root, and a path below it.
    std::string Area(RootKeyValue root) const { return AreaOf(root).path; }
    std::string Below(RootKeyValue root, const std::string& relative) const { return Area(root) + "\\" + relative; }
    static SectionId SectionOf(RootKeyValue root) {
        return root == kCurrentUser    ? kCurrentUserSection
               : root == kLocalMachine ? kLocalMachineSection
                                       : kClassesRootSection;
    }
    std::string FilePath(const std::string& relative) const { return files_.Sub(relative); }
    const std::string& BackupFolder() const { return backups_.Path(); }

    void SetValue(RootKeyValue root, const std::string& keyPath, const std::wstring& name, DWORD type,
                  const std::vector<BYTE>& data) {
        SetRawValue(RootHandle(root), Widen(keyPath), name, type, data);
    }
    // A value of HKEY_CURRENT_USER itself, removed again after the test.
    std::string SetRootValue(DWORD type, const std::vector<BYTE>& data) {
        const std::string name = "TidrexTests root value " + id_;
        rootValues_.push_back(name);
        SetRawValue(HKEY_CURRENT_USER, L"", Widen(name), type, data);
        return name;
    }

    RegistryProblem& KeyProblem(RootKeyValue root, const std::string& keyPath) {
        return Keep<RegistryProblem>(SectionOf(root), {root, keyPath, {}, {}, RemovalScope::Key});
    }
    RegistryProblem& ValueProblem(RootKeyValue root, const std::string& keyPath, const std::string& valueName,
                                  const std::string& valueData, SectionId section = kFullRegistrySection) {
        return Keep<RegistryProblem>(section, {root, keyPath, valueName, valueData, RemovalScope::Value});
    }
    FileProblem& ShortcutProblem(const std::string& relative, const std::string& bytes) {
        WriteTestFile(FilePath(relative), bytes);
        return Keep<FileProblem>(kShortcutsSection, {FilePath(relative), "C:\\Gone\\program.exe"});
    }

    std::vector<std::string> Dump() const {
        std::vector<std::string> lines;
        for (const RegistryArea& area : areas_) {
            const std::vector<std::string> tree = DumpRegistryTree(RootHandle(area.root), area.path);
            lines.insert(lines.end(), tree.begin(), tree.end());
        }
        for (const std::string& name : rootValues_) {
            BYTE data[4096];
            DWORD size = sizeof(data), type = 0;
            if (RegQueryValueExW(HKEY_CURRENT_USER, Widen(name).c_str(), nullptr, &type, data, &size) ==
                ERROR_SUCCESS) {
                lines.push_back("root value type " + std::to_string(type) + " " +
                                registry_dump_detail::Hex(data, size));
            }
        }
        const std::vector<std::string> files = DumpFolder(files_.Path());
        lines.insert(lines.end(), files.begin(), files.end());
        return lines;
    }

    std::vector<const ProblemRecord*> Problems() const {
        std::vector<const ProblemRecord*> list;
        for (const auto& problem : problems_) list.push_back(problem.get());
        return list;
    }
    // archiveVerified runs between the backup and the first deletion.
    RemovalReport Remove(bool withBackup = true, const ArchiveVerified& archiveVerified = {},
                         const RemovalProgress& progress = {}) {
        return RemoveProblems(Problems(), {withBackup ? &backup : nullptr, &listKeys_, false}, archiveVerified,
                              progress);
    }
    // A restore that may write where this test's sections remove, with its archive of what it
    // replaces in the backup folder (or in the folder given).
    RestoreReport Restore(const std::string& archive, const std::string& backupFolder = {}) const {
        return RestoreBackup(archive, {&scope_, backupFolder.empty() ? backups_.Path() : backupFolder, false});
    }
    std::vector<std::string> Archives() const {
        std::vector<std::string> names;
        for (const std::string& line : DumpFolder(backups_.Path())) names.push_back(line.substr(0, line.find(':')));
        return names;
    }

    BackupSet backup;

private:
    struct RegistryArea {
        RootKeyValue root;
        std::string path;
    };
    const RegistryArea& AreaOf(RootKeyValue root) const {
        for (const RegistryArea& area : areas_) {
            if (area.root == root) return area;
        }
        return areas_[0];
    }
    // A checked record; the item is returned for tests that change it or back it up alone.
    template <typename Item>
    Item& Keep(SectionId section, Item item) {
        problems_.push_back(MakeProblem(section, {}, std::move(item)));
        problems_.back()->checked = 1;
        return std::get<Item>(problems_.back()->item);
    }

    // Full registry walks of other test programs would report this test's stale entries.
    ListKeysLock lock_;
    std::string id_;
    TempFolder files_;
    TempFolder backups_;
    std::vector<RegistryArea> areas_;
    std::vector<ListKey> listKeys_;
    RestoreScope scope_;
    std::vector<std::string> rootValues_;
    std::vector<ProblemPtr> problems_;
};
