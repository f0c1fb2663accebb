// Removal with backup against a plain deletion of the same items, and the restore of that backup:
// 500 keys of ten values of mixed types and 500 single values, built afresh for every run.
//   removal_bench.exe [rounds]   (default 3; the best round of each kind is compared)
// Target: the removal with backup takes at most 6 times the plain deletion. It reads every item
// twice: once to save it, and once just before its deletion to see that it did not change.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "backup/backup_restore.h"
#include "bench/stopwatch.h"
#include "backup/problem_removal.h"
#include "engine/section_table.h"
#include "registry/registry_delete.h"
#include "tests/support/registry_dump.h"
#include "tests/support/temp_folder.h"

namespace {
constexpr const char* kArea = "Software\\TidrexBench\\Removal";
constexpr const char* kKeys = "Software\\TidrexBench\\Removal\\Keys";
constexpr SectionId kBenchSection = 90;
constexpr int kKeyCount = 500;
constexpr int kValueCount = 500;
constexpr int kValuesPerKey = 10;

// Ten values of the types a registry key holds, cycling through them.
void SetMixedValue(HKEY key, const std::wstring& name, int index) {
    const std::wstring text = L"C:\\Program Files\\Gone Vendor\\tool" + std::to_wstring(index) + L".exe";
    std::vector<BYTE> data;
    DWORD type = REG_SZ;
    switch (index % kValuesPerKey) {
        case 0:
        case 1:
        case 2: data = WideBytes(text); break;
        case 3: type = REG_EXPAND_SZ, data = WideBytes(L"%ProgramFiles%\\Gone\\x.dll"); break;
        case 4:
            type = REG_MULTI_SZ, data = WideBytes(text + std::wstring(1, L'\0') + text + std::wstring(1, L'\0'));
            break;
        case 5: type = REG_DWORD, data = {static_cast<BYTE>(index), 0, 0, 0}; break;
        case 6: type = REG_QWORD, data = {1, 2, 3, 4, 5, 6, 7, static_cast<BYTE>(index)}; break;
        case 7: type = REG_BINARY, data.assign(72, static_cast<BYTE>(index)); break;
        case 8: type = REG_NONE, data = {0, 1}; break;
        default: data = WideBytes(std::wstring(L"with\0zero", 9)); break;
    }
    RegSetValueExW(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
}

struct Items {
    std::vector<ProblemPtr> problems;
    std::vector<const ProblemRecord*> list;
};

Items Build() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kArea);
    Items items;
    auto add = [&](SectionId section, RegistryProblem problem) {
        items.problems.push_back(MakeProblem(section, {}, std::move(problem)));
        items.list.push_back(items.problems.back().get());
    };
    for (int k = 0; k < kKeyCount; ++k) {
        const std::string path = std::string(kKeys) + "\\Entry " + std::to_string(k);
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        for (int v = 0; v < kValuesPerKey; ++v)
            SetMixedValue(key, L"Value " + std::to_wstring(v), k * kValuesPerKey + v);
        RegCloseKey(key);
        add(kBenchSection, {kCurrentUser, path, {}, {}, RemovalScope::Key});
    }
    for (int i = 0; i < kValueCount; ++i) {
        const std::string path = std::string(kArea) + "\\Values " + std::to_string(i / kValuesPerKey);
        const std::string name = "Stale " + std::to_string(i);
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        SetMixedValue(key, Widen(name), i);
        RegCloseKey(key);
        add(kFullRegistrySection,
            {kCurrentUser, path, name, "C:\\Program Files\\Gone Vendor\\tool.exe", RemovalScope::Value});
    }
    return items;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const TempFolder backups("removal-bench");
    const std::vector<ListKey> listKeys = {{kBenchSection, kCurrentUser, kKeys}};
    const RestoreScope scope{&listKeys, {}, ProgramRestoreScope().valueAreas};
    double plainBest = 1e9, backupBest = 1e9, restoreBest = 1e9;
    bool exact = true;
    for (int round = 0; round < rounds; ++round) {
        {
            const Items items = Build();
            const auto start = std::chrono::steady_clock::now();
            for (const auto& record : items.problems) {
                const RegistryProblem& problem = *record->AsRegistry();
                if (problem.scope == RemovalScope::Value)
                    RemoveRegValue(HKEY_CURRENT_USER, problem.keyPath, problem.valueName);
                else RemoveRegKey(HKEY_CURRENT_USER, problem.keyPath);
            }
            plainBest = std::min(plainBest, SecondsSince(start));
        }
        const Items items = Build();
        const std::vector<std::string> before = DumpRegistryTree(HKEY_CURRENT_USER, kArea);
        BackupSet backup;
        backup.SetBackupFolder(backups.Path());
        auto start = std::chrono::steady_clock::now();
        const RemovalReport report = RemoveProblems(items.list, {&backup, &listKeys, false});
        backupBest = std::min(backupBest, SecondsSince(start));
        if (!report.AllRemoved() || report.removed != kKeyCount + kValueCount) {
            std::printf("removal failed: %s\n", RemovalSummaryText(report).c_str());
            return 1;
        }
        start = std::chrono::steady_clock::now();
        const RestoreReport restored = RestoreBackup(report.archivePath, {&scope, backups.Path(), false});
        restoreBest = std::min(restoreBest, SecondsSince(start));
        exact = exact && restored.status == RestoreReport::Status::Restored &&
                DumpRegistryTree(HKEY_CURRENT_USER, kArea) == before;
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TidrexBench");
    std::printf("%d keys of %d values and %d values, best of %d rounds\n", kKeyCount, kValuesPerKey, kValueCount,
                rounds);
    std::printf("plain deletion        %8.1f ms\n", plainBest * 1000);
    std::printf("backup and removal    %8.1f ms\n", backupBest * 1000);
    std::printf("restore of the backup %8.1f ms\n", restoreBest * 1000);
    std::printf("ratio backup+removal / plain deletion: %.2f (target at most 6)\n", backupBest / plainBest);
    std::printf("restored dump equals the dump before removal: %s\n", exact ? "yes" : "NO");
    return exact ? 0 : 1;
}
