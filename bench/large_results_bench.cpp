// A scan that finds 100,000 problems in one section (by default), through the real main window:
// how long the results page takes after the scan, the details dialog to open, to scroll, and its
// "Select All" and "Deselect All"; the process's memory; and "Remove Problems" with its backup
// against plain deletions of the same values, made in the same run.
//   large_results_bench.exe [problems]
// Targets: results page and details dialog within 1 s, a scroll step without a stall, Select All
// within 0.5 s, under 250 MB, removal with backup within 3 times the plain deletion, with its
// progress window shown.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "backup/problem_removal.h"
#include "bench/bench_settings.h"
#include "bench/seeded_fonts.h"
#include "bench/stopwatch.h"
#include "resources/resource_ids.h"
#include "scanners/scanner_set.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/dialog_driver.h"
#include "ui/main/main_dialog.h"
#include "ui/main/removal_progress.h"

namespace {
constexpr const char* kSettingsKey = "Software\\TidrexTests\\LargeResultsBench";
using Clock = std::chrono::steady_clock;

// The program's scanners, with the moment the last operation of a scan returned.
class TimedScanners : public ScanOperations {
public:
    bool Run(ScanOperation operation, ScanEngine& engine) override {
        const bool running = scanners_.Run(operation, engine);
        lastEnded = Clock::now();
        return running;
    }
    Clock::time_point lastEnded;

private:
    ScannerSet scanners_;
};

int BenchFontsLeft(int count) {
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return -1;
    int left = 0;
    for (int i = 0; i < count; ++i)
        left +=
            RegQueryValueExA(key.get(), BenchFontName(i).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    return left;
}

double MegaBytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

PROCESS_MEMORY_COUNTERS_EX Memory() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    return counters;
}

struct WindowTimings {
    double scan = 0, resultsPage = 0, detailsOpen = 0, slowestScroll = 0, jumpToEnd = 0;
    double deselectAll = 0, selectAll = 0, removal = 0;
    int problems = 0, rows = 0, scrollSteps = 0, topAfterScroll = 0, topAtEnd = 0;
    bool progressShown = false;
    double afterScanMb = 0, afterDetailsMb = 0, afterRemovalMb = 0;  // working set then
    std::vector<std::string> boxes;
};

// Seconds the steps take, with the window painted after them.
double Timed(HWND painted, const std::function<void()>& steps) {
    const auto start = Clock::now();
    steps();
    UpdateWindow(painted);
    return SecondsSince(start);
}

void InDetails(WindowTimings& timings) {
    HWND details = ThreadWindowTitled("Details");
    if (!details) return;
    HWND list = GetDlgItem(details, IDC_DETAILS_LIST);
    timings.rows = ListView_GetItemCount(list);
    for (int step = 0; step < 40; ++step) {
        timings.slowestScroll = std::max(timings.slowestScroll, Timed(list, [&] { PressKey(details, VK_NEXT); }));
        ++timings.scrollSteps;
    }
    timings.topAfterScroll = ListView_GetTopIndex(list);
    timings.jumpToEnd = Timed(list, [&] { PressKey(details, VK_END); });
    timings.topAtEnd = ListView_GetTopIndex(list);
    timings.deselectAll = Timed(list, [&] { Click(details, IDC_DETAILS_DESELECT_ALL); });
    timings.selectAll = Timed(list, [&] { Click(details, IDC_DETAILS_SELECT_ALL); });
    EndDialog(details, IDOK);
}

// Looks for the removal's progress window while the removal runs.
bool progressSeen = false;
double removalPeakMb = 0;
std::string removalPeakStage;
void CALLBACK LookForProgress(HWND, UINT, UINT_PTR, DWORD) {
    HWND progress = ThreadWindowTitled(kRemovalProgressCaption);
    progressSeen = progressSeen || progress != nullptr;
    const double now = MegaBytes(Memory().WorkingSetSize);
    if (progress && now > removalPeakMb) {
        removalPeakMb = now;
        removalPeakStage = ItemText(progress, IDC_REMOVAL_PROGRESS_TEXT);
    }
}

void MainWindowSteps(MainDialog& dialog, TimedScanners& scanners, WindowTimings& timings) {
    HWND window = dialog.Window();
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    auto start = Clock::now();
    Click(window, IDC_NAV_SCAN);
    UpdateWindow(window);
    timings.scan = std::chrono::duration<double>(scanners.lastEnded - start).count();
    timings.resultsPage = SecondsSince(scanners.lastEnded);
    timings.problems = dialog.Counters().totalProblems;
    timings.afterScanMb = MegaBytes(Memory().WorkingSetSize);

    if (!TabTo(window, IDC_RESULTS_LIST)) return;
    start = Clock::now();
    DialogSteps::Schedule([&] {
        HWND details = ThreadWindowTitled("Details");
        if (details) UpdateWindow(details);
        timings.detailsOpen = SecondsSince(start);
        InDetails(timings);
    });
    PressKey(window, VK_RETURN);
    timings.afterDetailsMb = MegaBytes(Memory().PeakWorkingSetSize);

    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &LookForProgress);
    timings.removal = Timed(window, [&] { Click(window, IDC_REMOVE_PROBLEMS); });
    KillTimer(nullptr, timer);
    timings.progressShown = progressSeen;
    timings.afterRemovalMb = MegaBytes(Memory().WorkingSetSize);
}

std::vector<ProblemPtr> FontProblems(int count) {
    std::vector<ProblemPtr> problems;
    for (int i = 0; i < count; ++i) {
        problems.push_back(MakeProblem(
            kFontsSection, {},
            RegistryProblem{kLocalMachine, kFontsKey, BenchFontName(i), "tidrexbench-gone.ttf", RemovalScope::Value}));
    }
    return problems;
}

// RemoveProblems without a backup, as when the user declines it: one key opened per value.
double RemovalWithoutBackup(int count) {
    SeedFonts(count, 1, false);
    const std::vector<ProblemPtr> problems = FontProblems(count);
    std::vector<const ProblemRecord*> list;
    for (const ProblemPtr& problem : problems) list.push_back(problem.get());
    const auto start = Clock::now();
    RemoveProblems(list, {nullptr, &SectionListKeys(), false});
    return SecondsSince(start);
}

// The least a deletion can cost: every value deleted through one open key.
double DeletionThroughOneKey(int count) {
    SeedFonts(count, 1, false);
    UniqueHkey key;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, KEY_SET_VALUE, key.put());
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) RegDeleteValueA(key.get(), BenchFontName(i).c_str());
    return SecondsSince(start);
}

void Print(const WindowTimings& t, int problems, double withoutBackup, double throughOneKey) {
    const PROCESS_MEMORY_COUNTERS_EX memory = Memory();
    std::printf("fonts section: %d stale values seeded, %d problems found, %d rows in the details list\n", problems,
                t.problems, t.rows);
    std::printf("scan through the main window          %8.3f s\n", t.scan);
    std::printf("results page after the scan           %8.3f s   (target 1 s)\n", t.resultsPage);
    std::printf("details dialog open and painted       %8.3f s   (target 1 s)\n", t.detailsOpen);
    std::printf("slowest of %d page-down steps         %8.3f s   (top row then %d)\n", t.scrollSteps, t.slowestScroll,
                t.topAfterScroll);
    std::printf("jump to the last row                  %8.3f s   (top row then %d)\n", t.jumpToEnd, t.topAtEnd);
    std::printf("deselect all / select all             %8.3f s / %.3f s   (target 0.5 s)\n", t.deselectAll,
                t.selectAll);
    std::printf("peak working set / committed bytes    %8.1f MB / %.1f MB   (target 250 MB)\n",
                MegaBytes(memory.PeakWorkingSetSize), MegaBytes(memory.PeakPagefileUsage));
    std::printf(
        "working set after the scan / peak until the details closed / after the removal: %.1f / %.1f / %.1f MB\n",
        t.afterScanMb, t.afterDetailsMb, t.afterRemovalMb);
    std::printf("largest working set the removal showed: %.1f MB at \"%s\"\n", removalPeakMb, removalPeakStage.c_str());
    std::printf("remove problems with backup           %8.3f s   progress window shown: %s\n", t.removal,
                t.progressShown ? "yes" : "NO");
    std::printf("removal without backup                %8.3f s\n", withoutBackup);
    std::printf("deletion through one open key         %8.3f s\n", throughOneKey);
    std::printf("ratio removal with backup / removal without backup: %.2f (target at most 3)\n",
                t.removal / withoutBackup);
    std::printf("ratio removal with backup / deletion through one key: %.2f\n", t.removal / throughOneKey);
    for (const std::string& box : t.boxes) std::printf("message: %s\n", box.substr(0, box.find('\r')).c_str());
}
}  // namespace

int main(int argc, char** argv) {
    const int problems = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    const std::string settings = BenchSettings(kSettingsKey);
    const DWORD on = 1;
    for (const char* name : {"AutoBackup", "Select All"})
        RegSetKeyValueA(HKEY_CURRENT_USER, settings.c_str(), name, REG_DWORD, &on, sizeof(on));
    RegSetKeyValueA(HKEY_CURRENT_USER, settings.c_str(), std::to_string(kFontsSection).c_str(), REG_DWORD, &on,
                    sizeof(on));
    const Preferences preferences(settings, settings + "\\Run");
    const TempFolder backups("large-results-bench");

    SeedFonts(problems, 1, false);
    WindowTimings timings;
    {
        TimedScanners scanners;
        MessageBoxRecorder boxes;
        MainDialog dialog(MainDialogStartup{nullptr, nullptr, &preferences, "TidrexVelora", &scanners, backups.Path()});
        DialogSteps::Schedule([&] {
            MainWindowSteps(dialog, scanners, timings);
            EndDialog(dialog.Window(), 0);
        });
        dialog.Run();
        timings.boxes = boxes.texts;
    }
    const int left = BenchFontsLeft(problems);
    SeedFonts(problems, 1, true);
    const double withoutBackup = RemovalWithoutBackup(problems);
    const double throughOneKey = DeletionThroughOneKey(problems);
    SeedFonts(problems, 1, true);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    Print(timings, problems, withoutBackup, throughOneKey);
    std::printf("bench values left after the removal: %d\n", left);
    return 0;
}
