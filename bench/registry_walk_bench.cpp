// The full registry scan (section 13) through the console's host against a plain walk of the same
// three hives: the same enumeration, opens with full access, reads, "classes" skip and one
// PathFileExists per derived path, but no judging rules, no records and no host. The registry is
// grown by a seeded tree of its own (a third of the values strings holding paths, half of those
// missing). Five pairs of runs, each scan right after its plain walk; the times are the fastest
// runs, the ratio the median of the pairs' ratios; the peak working set is the process's.
//   registry_walk_bench.exe [values...]   (default: 10000 100000 seeded values)
// Seeding writes into the prefix; give the benchmark a prefix of its own:
//   scripts/wine-harness start build bench && . build/wine/bench.env && wine build/bench/registry_walk_bench.exe
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/scan_log.h"
#include "base/unique_handles.h"
#include "bench/console_section_scan.h"
#include "bench/measured_run.h"
#include "registry/file_reference.h"
#include "scanners/registry_walk_text.h"
#include "scanners/scanner_set.h"

namespace {
constexpr const char* kSeedKey = "Software\\TidrexBench";
constexpr const char* kPresentFolder = "C:\\TidrexBench\\Present";
constexpr const char* kPresentAppFolder = "C:\\TidrexBench\\Present App";
constexpr int kValuesPerKey = 100;
constexpr int kKeysPerGroup = 50;
constexpr int kPresentFiles = 500;
// Other builds share the machine: several pairs of runs, so that one disturbed pair does not decide.
constexpr int kRounds = 5;

// A third of the values hold paths (half of them missing, in several forms), a third plain texts,
// a third numbers.
std::string PathText(int i) {
    const int file = i % kPresentFiles;
    const bool missing = (i / 3) % 2 == 1;
    switch ((i / 6) % 3) {
        case 0:
            return missing ? "C:\\TidrexBench\\Present\\gone" + std::to_string(i) + ".dll"
                           : std::string(kPresentFolder) + "\\file" + std::to_string(file) + ".dll";
        case 1:
            return missing ? "\"C:\\TidrexBenchGone\\App " + std::to_string(i) + "\\app.exe\" /run"
                           : "\"" + std::string(kPresentAppFolder) + "\\app" + std::to_string(file) + ".exe\" /run";
        default:
            return missing ? "@C:\\TidrexBenchGone\\res" + std::to_string(i) + ".dll,-101"
                           : "@" + std::string(kPresentFolder) + "\\file" + std::to_string(file) + ".dll,-101";
    }
}

void CreateFiles() {
    CreateDirectoryA("C:\\TidrexBench", nullptr);
    CreateDirectoryA(kPresentFolder, nullptr);
    CreateDirectoryA(kPresentAppFolder, nullptr);
    for (int file = 0; file < kPresentFiles; ++file) {
        for (const std::string& path : {std::string(kPresentFolder) + "\\file" + std::to_string(file) + ".dll",
                                        std::string(kPresentAppFolder) + "\\app" + std::to_string(file) + ".exe"}) {
            const UniqueHandle created(
                CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        }
    }
}

void Seed(int values) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSeedKey);
    for (int first = 0; first < values; first += kValuesPerKey) {
        const int keyNumber = first / kValuesPerKey;
        const std::string path = std::string(kSeedKey) + "\\Group" + std::to_string(keyNumber / kKeysPerGroup) +
                                 "\\Key" + std::to_string(keyNumber);
        UniqueHkey key;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
        for (int i = first; i < std::min(values, first + kValuesPerKey); ++i) {
            const std::string name = "Value" + std::to_string(i);
            if (i % 3 == 2) {
                const DWORD number = static_cast<DWORD>(i);
                RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
                continue;
            }
            const std::string text = i % 3 == 0 ? PathText(i) : "Setting text " + std::to_string(i);
            RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
        }
    }
}

void CountValues(HKEY key, long long& values) {
    DWORD subKeys = 0, count = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        return;
    values += count;
    char name[256];
    for (DWORD i = 0; i < subKeys; ++i) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) continue;
        if (IsClassesKeyName(name)) continue;
        UniqueHkey sub;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, sub.put()) == ERROR_SUCCESS) CountValues(sub.get(), values);
    }
}

// The floor: what any walk of these hives has to do, and nothing more.
void PlainWalk(HKEY key, long long& strings, long long& missing) {
    DWORD subKeys = 0, values = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        return;
    char subKeyName[255];
    for (DWORD i = 0; i < subKeys; ++i) {
        DWORD length = sizeof(subKeyName);
        if (RegEnumKeyExA(key, i, subKeyName, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) continue;
        if (IsClassesKeyName(subKeyName)) continue;
        UniqueHkey sub;
        if (RegOpenKeyExA(key, subKeyName, 0, KEY_ALL_ACCESS, sub.put()) == ERROR_SUCCESS)
            PlainWalk(sub.get(), strings, missing);
    }
    static char valueName[16383];
    BYTE data[260];
    for (DWORD i = 0; i < values; ++i) {
        DWORD nameLength = sizeof(valueName), type = 0, dataLength = sizeof(data);
        if (RegEnumValueA(key, i, valueName, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS ||
            type != REG_SZ)
            continue;
        ++strings;
        const char* text = reinterpret_cast<const char*>(data);
        if (auto path = DrivePathCandidate(std::string(text, strnlen(text, dataLength)))) {
            if (ExpandEnvironmentInPlace(*path)) {
                CutDerivedPath(*path);
                if (!PathFileExistsA(path->c_str())) ++missing;
            }
        }
    }
}

void ConsoleScan(long long& problems) { problems = ConsoleSectionScan(kFullRegistrySection); }

void ReportSize(int seeded) {
    long long values = 0;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS}) CountValues(root, values);
    std::printf("\n%d values seeded; the three hives hold %lld values outside \"classes\" keys\n", seeded, values);
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::max(1, std::atoi(argv[i])));
    if (sizes.empty()) sizes = {10000, 100000};
    std::sort(sizes.begin(), sizes.end());

    CreateFiles();
    std::vector<double> scanTimes;
    for (int values : sizes) {
        Seed(values);
        ReportSize(values);
        const PairedRuns runs = RunPairs(
            kRounds,
            [](long long& strings, long long& missing) {
                for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS}) PlainWalk(root, strings, missing);
            },
            [](long long&, long long& problems) { ConsoleScan(problems); });
        const MeasuredRun& floor = runs.plain;
        const MeasuredRun& scan = runs.scan;
        std::printf("plain walk     : %7.3f s  %lld string values, %lld derived paths missing\n", floor.seconds,
                    floor.items, floor.problems);
        std::printf("section 13 scan: %7.3f s  %lld problems (console host)\n", scan.seconds, scan.problems);
        std::printf("ratio scan/plain: %.2f, median of %d paired runs (%.2f to %.2f); peak working set %.1f MB\n",
                    runs.medianRatio, kRounds, runs.lowestRatio, runs.highestRatio, scan.peakMegabytes);
        scanTimes.push_back(scan.seconds);
    }
    if (scanTimes.size() == 2) {
        std::printf("\ngrowth %d -> %d seeded values: %.2f times\n", sizes[0], sizes[1], scanTimes[1] / scanTimes[0]);
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSeedKey);
    return 0;
}
