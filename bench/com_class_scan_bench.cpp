// The COM class scan over many registered classes, half of them with a missing server file,
// through the console's host (driver, intake, scan log), against a plain loop that opens the
// same six registration sub-keys of every class and reads their default values.
//   com_class_scan_bench.exe [classes]   (default: 10000 classes added)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/preferences.h"
#include "app/scan_log.h"
#include "base/text_format.h"
#include "bench/bench_settings.h"
#include "bench/console_section_scan.h"
#include "bench/stopwatch.h"
#include "scanners/scanner_set.h"

namespace {
constexpr const char* kSettingsKey = "Software\\TidrexTests\\ComClassScanBench";
constexpr const char* kFolder = "C:\\TidrexBench";
constexpr const char* kRegistrationKeys[] = {
    "InprocServer32", "InprocServer", "InprocHandler32", "LocalServer32", "VersionIndependentProgId", "TypeLib"};

std::string ClassPath(int i) { return Format("CLSID\\{7B1D0C2E-0000-4000-8000-%012d}", i); }

// Every other class names a server file that is gone; its folder is there.
void SeedClasses(int classes, bool remove) {
    const std::string present = std::string(kFolder) + "\\present.dll";
    if (remove) {
        DeleteFileA(present.c_str());
        RemoveDirectoryA(kFolder);
    } else {
        CreateDirectoryA(kFolder, nullptr);
        CloseHandle(
            CreateFileA(present.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    for (int i = 0; i < classes; ++i) {
        const std::string path = ClassPath(i);
        if (remove) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, path.c_str());
            continue;
        }
        const std::string server = i % 2 ? Format("%s\\gone%d.dll", kFolder, i) : present;
        const std::string key = path + "\\InprocServer32";
        RegSetKeyValueA(HKEY_CLASSES_ROOT, path.c_str(), nullptr, REG_SZ, "Tidrex bench class", 19);
        RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, server.c_str(),
                        static_cast<DWORD>(server.size() + 1));
        RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), "ThreadingModel", REG_SZ, "Both", 5);
    }
}

// The floor: enumerate the classes of both views, open each registration sub-key, read its
// default value.
double PlainLoop(int& valuesRead) {
    const auto start = std::chrono::steady_clock::now();
    valuesRead = 0;
    for (const std::string list : {"CLSID", "Wow6432Node\\CLSID"}) {
        HKEY classes = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, list.c_str(), 0, KEY_ALL_ACCESS, &classes) != ERROR_SUCCESS) continue;
        DWORD count = 0;
        RegQueryInfoKeyA(classes, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr);
        char name[255];
        for (DWORD index = 0; index < count; ++index) {
            DWORD length = sizeof(name);
            if (RegEnumKeyExA(classes, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                continue;
            for (const char* subKey : kRegistrationKeys) {
                const std::string path = list + "\\" + name + "\\" + subKey;
                HKEY key = nullptr;
                if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) continue;
                char value[255];
                DWORD size = sizeof(value);
                if (RegQueryValueExA(key, "", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS)
                    ++valuesRead;
                RegCloseKey(key);
            }
        }
        RegCloseKey(classes);
    }
    return SecondsSince(start);
}

// The whole scan of the COM section as "tidrex scan --sections 11" runs it.
double ConsoleScan(const Preferences& preferences, bool writeLog, int& problems) {
    ScanLog fileLog(preferences, "");
    NoScanLog noLog;
    const HostScanRun run = ConsoleHostScan([](SectionId id) { return id == kComSection ? 1 : 0; },
                                            writeLog ? static_cast<ScanLogWriter&>(fileLog) : noLog);
    problems = run.problems;
    return run.seconds;
}
}  // namespace

int main(int argc, char** argv) {
    const int classes = argc > 1 ? std::max(2, std::atoi(argv[1])) : 10000;
    SeedClasses(classes, false);
    const std::string settings = BenchSettings(kSettingsKey);
    const Preferences preferences(settings, settings + "\\Run");

    // Other work on the machine slows whole rounds down: each round runs the three one after
    // the other, and the ratio printed is the median of the rounds' own ratios.
    constexpr int kRounds = 7;
    std::vector<double> floors, loggedRatios, unloggedRatios;
    double bestFloor = 1e9, bestLogged = 1e9, bestUnlogged = 1e9;
    int valuesRead = 0, loggedProblems = 0, unloggedProblems = 0;
    PlainLoop(valuesRead);  // warms the registry caches for both
    for (int round = 0; round < kRounds; ++round) {
        const double floor = PlainLoop(valuesRead);
        const double logged = ConsoleScan(preferences, true, loggedProblems);
        const double unlogged = ConsoleScan(preferences, false, unloggedProblems);
        loggedRatios.push_back(logged / floor);
        unloggedRatios.push_back(unlogged / floor);
        bestFloor = std::min(bestFloor, floor);
        bestLogged = std::min(bestLogged, logged);
        bestUnlogged = std::min(bestUnlogged, unlogged);
    }
    SeedClasses(classes, true);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::printf("COM class scan, %d classes added (half with a missing server), %d rounds\n", classes, kRounds);
    std::printf("plain six-key loop        : best %6.3f s  %d default values read\n", bestFloor, valuesRead);
    std::printf("console host, scan log    : best %6.3f s  %d problems  median ratio %.2f\n", bestLogged,
                loggedProblems, median(loggedRatios));
    std::printf("console host, no scan log : best %6.3f s  %d problems  median ratio %.2f\n", bestUnlogged,
                unloggedProblems, median(unloggedRatios));
    return 0;
}
