// `tidrex scan --sections 8` (the console's own scan, host and scan log, in this process) against
// the floor of the same work: a plain loop that opens the shared-files key of each registry view,
// enumerates every value name and asks PathFileExists about it. The keys of both views are seeded
// with entries (half of them in the 32-bit programs' key), half of them naming files that do not
// exist, and cleaned again afterwards; five interleaved rounds, the ratio of the medians.
//   shared_files_scan_bench.exe [entries [scan options...]]   (default: 20000, no options)
// The scan options are added after "scan --sections 8", for example --no-log or --json.
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/unique_handles.h"
#include "bench/stopwatch.h"
#include "cli/command_line.h"
#include "cli/console_scan.h"
#include "engine/section_descriptors.h"
#include "scanners/list_scanners.h"
#include "tests/support/list_keys_lock.h"

namespace {
constexpr int kRounds = 5;
constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

std::string TempFolder(const char* name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

// Deletes the folder's files that match the pattern, then the folder when it is empty.
void RemoveFolder(const std::string& folder, const char* pattern) {
    WIN32_FIND_DATAA found;
    const UniqueFindHandle find(FindFirstFileA((folder + "\\" + pattern).c_str(), &found));
    if (find) {
        do {
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(find.get(), &found));
    }
    RemoveDirectoryA(folder.c_str());
}

// The seeded entries: "present-N.dll" files that exist in a folder of the bench's own, and
// "gone-N.dll" names in a folder that does not exist, as a program's folder is after it was
// uninstalled. (Wine looks a name that is not there up by reading its whole folder: a missing
// name among the 10,000 present files would cost a folder read, which would hide everything
// else.) Whatever an interrupted run left is removed first.
class SeededSharedFiles {
public:
    explicit SeededSharedFiles(int entries)
        : folder_(TempFolder("tidrex-bench-shared")), goneFolder_(TempFolder("tidrex-bench-uninstalled")) {
        for (int view = 0; view < 2; ++view) {
            UniqueHkey existing;
            createdKey_[view] = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedFilesKey, 0, KEY_READ | kViews[view],
                                              existing.put()) != ERROR_SUCCESS;
        }
        Remove();
        CreateDirectoryA(folder_.c_str(), nullptr);
        UniqueHkey keys[2];
        for (int view = 0; view < 2; ++view) {
            if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedFilesKey, 0, nullptr, 0, KEY_ALL_ACCESS | kViews[view],
                                nullptr, keys[view].put(), nullptr) != ERROR_SUCCESS)
                return;
        }
        const DWORD usageCount = 1;
        for (int i = 0; i < entries; ++i) {
            const bool present = i % 2 == 0;
            const std::string path = present ? folder_ + "\\present-" + std::to_string(i) + ".dll"
                                             : goneFolder_ + "\\gone-" + std::to_string(i) + ".dll";
            if (present) {
                UniqueHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                         nullptr));
            }
            RegSetValueExA(keys[i / 2 % 2].get(), path.c_str(), 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&usageCount), sizeof(usageCount));
        }
    }
    ~SeededSharedFiles() {
        Remove();
        for (int view = 0; view < 2; ++view) {
            if (createdKey_[view]) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kSharedFilesKey, kViews[view], 0);
        }
    }

private:
    void Remove() {
        for (REGSAM view : kViews) RemoveFrom(view);
        RemoveFolder(folder_, "*.dll");
    }
    void RemoveFrom(REGSAM view) {
        UniqueHkey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedFilesKey, 0, KEY_ALL_ACCESS | view, key.put()) == ERROR_SUCCESS) {
            std::vector<std::string> ours;
            std::vector<char> name(16384);
            for (DWORD index = 0;; ++index) {
                DWORD length = static_cast<DWORD>(name.size());
                const LONG status =
                    RegEnumValueA(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
                if (status == ERROR_NO_MORE_ITEMS) break;
                const std::string value(name.data(), status == ERROR_SUCCESS ? length : 0);
                if (value.rfind(folder_ + "\\", 0) == 0 || value.rfind(goneFolder_ + "\\", 0) == 0) {
                    ours.push_back(value);
                }
            }
            for (const std::string& value : ours) RegDeleteValueA(key.get(), value.c_str());
        }
    }

    std::string folder_;
    std::string goneFolder_;
    bool createdKey_[2] = {false, false};
};

// The settings the scan reads: a key of the bench's own with a log folder of its own, both
// removed afterwards, so the program's settings stay as they are.
class BenchSettings {
public:
    BenchSettings() : folder_(TempFolder("tidrex-bench-logs")), preferences_(kKey) {
        preferences_.ResetSettings();
        preferences_.WriteLogFilePath(folder_);
    }
    ~BenchSettings() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kParentKey);
        RemoveFolder(folder_, "*.txt");
    }
    const std::string& KeyPath() const { return preferences_.SettingsKeyPath(); }

private:
    static constexpr const char* kParentKey = "Software\\TidrexTests\\SharedFilesScanBench";
    static constexpr const char* kKey = "Software\\TidrexTests\\SharedFilesScanBench\\TidrexVelora";
    std::string folder_;
    Preferences preferences_;
};

// Wall-clock time, and the processor time of this process (user and kernel): the second is less
// disturbed by other work on the machine, but leaves out what the wine server does for us.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

template <typename Work>
Timing Measure(Work work) {
    const double cpu = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    return {SecondsSince(start), ProcessCpuSeconds() - cpu};
}

int Floor() {
    int missing = 0;
    for (REGSAM view : kViews) {
        UniqueHkey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedFilesKey, 0, KEY_ALL_ACCESS | view, key.put()) != ERROR_SUCCESS)
            continue;
        DWORD count = 0;
        RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                         nullptr, nullptr);
        std::vector<char> name(16383);
        for (DWORD index = 0; index < count; ++index) {
            DWORD length = static_cast<DWORD>(name.size());
            if (RegEnumValueA(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
                    ERROR_SUCCESS &&
                !PathFileExistsA(name.data())) {
                ++missing;
            }
        }
    }
    return missing;
}

// The report goes to a file, as when the console's output is redirected.
int ConsoleScan(const ScanCommand& command, const BenchSettings& settings, std::FILE* out) {
    std::atomic<bool> interrupted{false};
    return RunConsoleScan({command, "Windows 10", &interrupted, out, stderr, settings.KeyPath()});
}

double Median(const std::vector<Timing>& timings, double Timing::*field) {
    std::vector<double> values;
    for (const Timing& timing : timings) values.push_back(timing.*field);
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20000;
    std::vector<std::string> arguments{"scan", "--sections", std::to_string(kSharedFilesSection)};
    arguments.insert(arguments.end(), argv + std::min(argc, 2), argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.command) {
        std::fprintf(stderr, "%s", parsed.error.c_str());
        return parsed.exitStatus;
    }
    const ScanCommand& command = std::get<ScanCommand>(*parsed.command);
    const ListKeysLock lock;
    const BenchSettings settings;
    const SeededSharedFiles seeded(entries);

    std::vector<Timing> floors, scans;
    int missing = 0, status = 0;
    std::printf("round  floor s  scan s  (wall clock)\n");
    for (int round = 0; round < kRounds; ++round) {
        floors.push_back(Measure([&] { missing = Floor(); }));
        std::FILE* out = std::tmpfile();
        scans.push_back(Measure([&] { status = ConsoleScan(command, settings, out); }));
        std::fclose(out);
        std::printf("%5d  %7.3f  %6.3f\n", round + 1, floors.back().wall, scans.back().wall);
    }
    const double floor = Median(floors, &Timing::wall), scan = Median(scans, &Timing::wall);
    std::printf("shared files: %d entries seeded, %d missing names seen by the floor, scan exit status %d\n", entries,
                missing, status);
    std::printf("floor (both views: enumerate + PathFileExists): %7.3f s  %5.1f us/entry  (medians of %d rounds)\n",
                floor, floor * 1e6 / entries, kRounds);
    std::printf("tidrex");
    for (const std::string& argument : arguments) std::printf(" %s", argument.c_str());
    std::printf(": %7.3f s  %5.1f us/entry\n", scan, scan * 1e6 / entries);
    std::printf("processor time of this process: floor %.3f s, scan %.3f s, ratio %.2f\n", Median(floors, &Timing::cpu),
                Median(scans, &Timing::cpu), Median(scans, &Timing::cpu) / Median(floors, &Timing::cpu));
    std::printf("ratio scan/floor: %.2f (target 1.15)\n", scan / floor);
    return 0;
}
