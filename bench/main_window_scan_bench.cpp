// The fonts section scan through the main window's host (path-label status line, message pumps
// per item, problems as WM_SCAN_PROBLEM) and through the console's host (problems straight to
// the intake, no status line), with the time per examined item and the ratio.
//   main_window_scan_bench.exe [values [stale-every]]   (default: 2000 font values added, every 20th stale)
// Each host is timed twice, with the added values and without them: the difference, divided by
// the values added, is what one item costs. The window's scan also has fixed costs the console's
// has not (the driver's 100 ms of caption painting, which the console's host does not wait for;
// showing and painting the pages), so the ratio of the whole runs is printed beside it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/bench_settings.h"
#include "bench/console_section_scan.h"
#include "bench/seeded_fonts.h"
#include "bench/stopwatch.h"
#include "app/scan_log.h"
#include "base/unique_handles.h"
#include "scanners/scanner_set.h"
#include "resources/resource_ids.h"
#include "tests/ui/dialog_driver.h"
#include "ui/main/main_dialog.h"

namespace {
constexpr const char* kSettingsKey = "Software\\TidrexTests\\MainWindowScanBench";

double MainWindowRun(const Preferences& preferences, int& problems) {
    ScannerSet scan;
    MessageBoxRecorder boxes;
    MainDialog dialog(MainDialogStartup{nullptr, nullptr, &preferences, "TidrexVelora", &scan});
    double seconds = 0;
    DialogSteps::Schedule([&] {
        ShowWindow(dialog.Window(), SW_SHOWNORMAL);
        UpdateWindow(dialog.Window());
        const auto start = std::chrono::steady_clock::now();
        Click(dialog.Window(), IDC_NAV_SCAN);
        seconds = SecondsSince(start);
        problems = dialog.Counters().totalProblems;
        EndDialog(dialog.Window(), 0);
    });
    dialog.Run();
    return seconds;
}

double ConsoleRun(const Preferences& preferences, int& problems) {
    ScanLog log(preferences, "");
    const HostScanRun run = ConsoleHostScan([&](SectionId id) { return preferences.ReadSectionState(id); }, log);
    problems = run.problems;
    return run.seconds;
}
struct Timings {
    double window = 1e9;
    double console = 1e9;
    int windowProblems = 0;
    int consoleProblems = 0;
};

Timings BestOfThree(const Preferences& preferences) {
    Timings best;
    for (int round = 0; round < 3; ++round) {
        best.window = std::min(best.window, MainWindowRun(preferences, best.windowProblems));
        best.console = std::min(best.console, ConsoleRun(preferences, best.consoleProblems));
    }
    return best;
}
}  // namespace

int main(int argc, char** argv) {
    const int values = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const int staleEvery = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    // Both hosts write the scan log, as the program and the console front end do.
    const std::string settings = BenchSettings(kSettingsKey);
    const DWORD on = 1;
    RegSetKeyValueA(HKEY_CURRENT_USER, settings.c_str(), std::to_string(kFontsSection).c_str(), REG_DWORD, &on,
                    sizeof(on));
    const Preferences preferences(settings, settings + "\\Run");

    const int baseItems = FontValueCount();
    const Timings base = BestOfThree(preferences);
    SeedFonts(values, staleEvery, false);
    const int items = FontValueCount();
    const Timings full = BestOfThree(preferences);
    SeedFonts(values, staleEvery, true);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);

    const int added = items - baseItems;
    const double windowItem = (full.window - base.window) * 1e6 / added;
    const double consoleItem = (full.console - base.console) * 1e6 / added;
    std::printf("fonts section scan of %d values (%d added, every %d%s stale), best of 3\n", items, added, staleEvery,
                staleEvery == 1 ? "" : "th");
    std::printf("main window host : %8.3f s (%.3f s without the added values)  %7.1f us/item  %d problems\n",
                full.window, base.window, windowItem, full.windowProblems);
    std::printf("console host     : %8.3f s (%.3f s without the added values)  %7.1f us/item  %d problems\n",
                full.console, base.console, consoleItem, full.consoleProblems);
    std::printf("ratio window/console per item: %.2f  (whole runs: %.2f)\n", windowItem / consoleItem,
                full.window / full.console);
    return 0;
}
