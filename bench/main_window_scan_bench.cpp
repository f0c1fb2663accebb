// The same list-section scan through the main window's host (path-label status line, message
// pumps per item, problems as WM_SCAN_PROBLEM) and through a console-like host (problems
// straight to the intake, no status line), with the time per examined item and the ratio.
//   main_window_scan_bench.exe [values]      (default 2000 registry values, one in 20 stale)
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/data_scan_page.h"
#include "engine/message_pump.h"
#include "engine/problem_intake.h"
#include "engine/scan_driver.h"
#include "registry/registry_key.h"
#include "resources/resource_ids.h"
#include "tests/ui/dialog_driver.h"
#include "ui/main_dialog.h"

namespace {
constexpr const char* kBenchKey = "Software\\TidrexTests\\MainWindowScanBench";
constexpr const char* kListKey = "Software\\TidrexTests\\MainWindowScanBench\\Fonts";

// A registry list scan in the rhythm of the list scanners: per value, read it, test the file,
// report it when missing, then show the item and pump.
class ListSectionScan : public ScanOperations {
public:
    bool Run(ScanOperation operation, ScanEngine& engine) override {
        if (operation != ScanOperation::Fonts) return engine.Running();
        CRegistry list;
        if (!list.Open(HKEY_CURRENT_USER, kListKey)) return engine.Running();
        std::string name;
        DWORD type = 0;
        while (engine.Running() && list.EnumValue(name, type)) {
            std::string data;
            list.ReadString(name.c_str(), data);
            if (!PathFileExistsA(data.c_str())) {
                auto problem = std::make_unique<RegistryProblem>();
                problem->sectionId = 3;
                problem->rootKey = kCurrentUser;
                problem->keyPath = kListKey;
                problem->valueName = name;
                problem->valueData = data;
                problem->description = "Invalid font file";
                engine.Report(std::move(problem));
            }
            engine.ItemExamined(std::string("HKEY_CURRENT_USER\\") + kListKey + "\\" + name, 0);
            ++items;
        }
        return engine.Running();
    }
    int items = 0;
};

class ConsoleLikeHost : public ScanHost {
public:
    explicit ConsoleLikeHost(ProblemIntake& intake) : intake_(intake) {}
    void ReportProblem(ProblemPtr problem) override { intake_.AcceptProblem(std::move(problem)); }
    void ShowCurrentItem(const std::string&) override {}
    void PumpMessages() override { ::PumpMessages(); }

private:
    ProblemIntake& intake_;
};

void SeedList(int values) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kListKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    for (int i = 0; i < values; ++i) {
        const std::string name = "Bench Font " + std::to_string(i) + " (TrueType)";
        const std::string data = i % 20 == 0 ? std::string("C:\\gone\\font") + std::to_string(i) + ".ttf"
                                              : std::string(windows) + "\\notepad.exe";
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    }
    RegCloseKey(key);
}

double Seconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double MainWindowRun(const Preferences& preferences, int& items) {
    ListSectionScan scan;
    MessageBoxRecorder boxes;
    MainDialog dialog(MainDialogStartup{nullptr, false, nullptr, &preferences, "TidrexVelora", &scan});
    double seconds = 0;
    DialogSteps::Schedule([&] {
        ShowWindow(dialog.Window(), SW_SHOWNORMAL);
        UpdateWindow(dialog.Window());
        const auto start = std::chrono::steady_clock::now();
        Click(dialog.Window(), IDC_NAV_SCAN);
        seconds = Seconds(std::chrono::steady_clock::now() - start);
        EndDialog(dialog.Window(), 0);
    });
    dialog.Run();
    items = scan.items;
    return seconds;
}

double ConsoleRun(const Preferences& preferences, int& items) {
    ListSectionScan scan;
    SectionTable sections([&](SectionId id) { return preferences.ReadSectionState(id); });
    DataScanPage page;
    ScanCounters counters;
    NoScanLog log;
    ProblemIntake intake(page, counters, log);
    ConsoleLikeHost host(intake);
    ScanEngine engine(host);
    ScanDriver driver(sections, engine, page, scan, log, counters);
    const auto start = std::chrono::steady_clock::now();
    driver.ScanNow();
    items = scan.items;
    return Seconds(std::chrono::steady_clock::now() - start);
}
}  // namespace

int main(int argc, char** argv) {
    const int values = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    SeedList(values);
    const std::string settings = std::string(kBenchKey) + "\\Settings";
    const DWORD on = 1;
    RegSetKeyValueA(HKEY_CURRENT_USER, settings.c_str(), "3", REG_DWORD, &on, sizeof(on));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string logs = std::string(temp) + "tidrex-bench-logs";
    RegSetKeyValueA(HKEY_CURRENT_USER, settings.c_str(), "LogFilePath", REG_SZ, logs.c_str(),
                    static_cast<DWORD>(logs.size() + 1));
    const Preferences preferences(settings, settings + "\\Run");

    double window = 1e9, console = 1e9;
    int windowItems = 0, consoleItems = 0;
    for (int round = 0; round < 3; ++round) {
        window = std::min(window, MainWindowRun(preferences, windowItems));
        console = std::min(console, ConsoleRun(preferences, consoleItems));
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
    // Both runs include the driver's fixed 100 ms of caption painting before the first section.
    std::printf("list-section scan of %d values (best of 3)\n", values);
    std::printf("main window host : %8.3f s  %7.1f us/item (%d items)\n", window, window * 1e6 / windowItems,
                windowItems);
    std::printf("console-like host: %8.3f s  %7.1f us/item (%d items)\n", console, console * 1e6 / consoleItems,
                consoleItems);
    std::printf("ratio window/console: %.2f\n", window / console);
    return 0;
}
