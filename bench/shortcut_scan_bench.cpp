// The shortcut scan (section 14) through the console's host against a plain walk of the same disk:
// FindFirstFile/FindNextFile over every folder, and for each file below 1024 bytes ending in ".lnk"
// the shell link loaded (IShellLinkA, IPersistFile::Load, GetPath) and its target tested with one
// PathFileExists; no resolving, no judging rules, no records, no host. The tree is made on drive E:
// (a fixed disk of the harness's prefixes) and removed afterwards. Five pairs of runs, each scan
// right after its plain walk; the times are the fastest runs, the ratio the median of the pairs'.
//   shortcut_scan_bench.exe [files [shortcuts]]   (default: 50000 files holding 2000 shortcuts)
// It writes to the disk of its prefix; give it a prefix of its own:
//   scripts/wine-harness start build bench && . build/wine/bench.env && wine build/bench/shortcut_scan_bench.exe
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/scan_log.h"
#include "base/unique_handles.h"
#include "bench/console_section_scan.h"
#include "bench/measured_run.h"
#include "scanners/scanner_set.h"
#include "tests/scanners/shortcut_files.h"

namespace {
constexpr const char* kTree = "E:\\TidrexBench";
constexpr const char* kTargets = "E:\\TidrexBench\\Targets";
constexpr int kFilesPerFolder = 50;
constexpr int kFoldersPerGroup = 20;
constexpr int kRounds = 5;

void WriteFile(const std::string& path) {
    const UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ::WriteFile(file.get(), "data", 4, &written, nullptr);
}

// Every so many files one is a shortcut; half of the shortcuts point to files that exist (which
// are part of the tree), a quarter to missing files in an existing folder, a quarter into a
// missing folder.
void MakeTree(int files, int shortcuts) {
    CreateDirectoryA(kTree, nullptr);
    CreateDirectoryA(kTargets, nullptr);
    const int targets = shortcuts / 2;
    for (int i = 0; i < targets; ++i) WriteFile(std::string(kTargets) + "\\app" + std::to_string(i) + ".exe");
    const int spread = std::max(1, (files - targets) / shortcuts);
    int shortcut = 0;
    for (int i = 0; i < files - targets; ++i) {
        const int folderNumber = i / kFilesPerFolder;
        const std::string group = std::string(kTree) + "\\Group" + std::to_string(folderNumber / kFoldersPerGroup);
        const std::string folder = group + "\\Folder" + std::to_string(folderNumber);
        if (i % kFilesPerFolder == 0) {
            CreateDirectoryA(group.c_str(), nullptr);
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        if (i % spread == 0 && shortcut < shortcuts) {
            const int n = shortcut++;
            const std::string target = n % 2 == 0   ? std::string(kTargets) + "\\app" + std::to_string(n / 2) + ".exe"
                                       : n % 4 == 1 ? std::string(kTargets) + "\\gone" + std::to_string(n) + ".exe"
                                                    : "E:\\TidrexBenchGone\\App" + std::to_string(n) + "\\app.exe";
            MakeShortcut(folder + "\\Shortcut" + std::to_string(n) + ".lnk", target);
        } else {
            WriteFile(folder + "\\file" + std::to_string(i) + ".dat");
        }
    }
}

// The floor: what any walk that opens the disk's shortcuts has to do.
void PlainWalk(const std::string& folder, long long& files, long long& missing) {
    WIN32_FIND_DATAA entry;
    const UniqueFindHandle search(FindFirstFileA((folder + "\\*.*").c_str(), &entry));
    if (!search) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) PlainWalk(path, files, missing);
            continue;
        }
        ++files;
        if (entry.nFileSizeHigh != 0 || entry.nFileSizeLow >= 1024 || !path.ends_with(".lnk")) continue;
        ComPtr<IShellLinkA> link;
        ComPtr<IPersistFile> file;
        wchar_t widePath[MAX_PATH] = {};
        char target[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
        if (SUCCEEDED(
                CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void())) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.put_void())) &&
            SUCCEEDED(file->Load(widePath, STGM_READ)) &&
            SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_SHORTPATH)) && !PathFileExistsA(target)) {
            ++missing;
        }
    } while (FindNextFileA(search.get(), &entry));
}

void ConsoleScan(long long& problems) { problems = ConsoleSectionScan(kShortcutsSection, "E"); }
}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::max(100, std::atoi(argv[1])) : 50000;
    const int shortcuts = argc > 2 ? std::max(2, std::atoi(argv[2])) : 2000;
    if (GetDriveTypeA("E:\\") != DRIVE_FIXED) {
        std::fprintf(stderr, "drive E: is not a fixed disk here; start the harness's prefix\n");
        return 2;
    }
    CoInitialize(nullptr);
    RemoveTreeKeepingLinkTargets(kTree);
    MakeTree(files, shortcuts);
    const PairedRuns runs = RunPairs(
        kRounds, [](long long& walked, long long& missing) { PlainWalk("E:", walked, missing); },
        [](long long&, long long& problems) { ConsoleScan(problems); });
    RemoveTreeKeepingLinkTargets(kTree);
    CoUninitialize();
    std::printf("drive E: with %d files holding %d shortcuts (half of them dead)\n", files, shortcuts);
    std::printf("plain walk     : %7.3f s  %lld files, %lld shortcut targets missing\n", runs.plain.seconds,
                runs.plain.items, runs.plain.problems);
    std::printf("section 14 scan: %7.3f s  %lld problems (console host)\n", runs.scan.seconds, runs.scan.problems);
    std::printf("ratio scan/plain: %.2f, median of %d paired runs (%.2f to %.2f); peak working set %.1f MB\n",
                runs.medianRatio, kRounds, runs.lowestRatio, runs.highestRatio, runs.scan.peakMegabytes);
    return 0;
}
