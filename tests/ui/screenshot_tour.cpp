// Walks the main window through its pages with sample problems, and at each stage prints
// "SHOT name left top width height" and waits for a line on its input: scripts/screenshots
// takes the picture meanwhile. Not a test; it only poses the window.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/ignore_list_store.h"
#include "backup/zip_writer.h"
#include "resources/resource_ids.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/dialog_driver.h"
#include "tests/ui/tour_shot.h"
#include "ui/main/main_dialog.h"
#include "ui/main/removal_progress.h"

namespace {
// Sample findings, reported slowly enough for the running scan to be seen.
class SampleScan : public ScanOperations {
public:
    explicit SampleScan(HWND* window) : window_(window) {}

    bool Run(ScanOperation operation, ScanEngine& engine) override {
        struct Sample {
            SectionId section;
            const char* key;
            const char* value;
            const char* data;
        };
        static const Sample kFonts[] = {
            {kFontsSection, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Sandbox Sans (TrueType)",
             "C:\\windows\\Fonts\\gone-sans.ttf"},
            {kFontsSection, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Old Serif (TrueType)",
             "C:\\windows\\Fonts\\oldserif.ttf"},
        };
        static const Sample kPaths[] = {
            {kApplicationPathsSection, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\oldtool.exe", "",
             "C:\\Program Files\\Old Tool\\oldtool.exe"},
        };
        static const Sample kHelp[] = {
            {kHelpFilesSection, "Software\\Microsoft\\Windows\\Help", "oldtool.chm",
             "C:\\Program Files\\Old Tool\\help"},
            {kHelpFilesSection, "Software\\Microsoft\\Windows\\Help", "legacy.hlp", "C:\\Legacy\\help"},
            {kHelpFilesSection, "Software\\Microsoft\\Windows\\Help", "viewer.chm", "C:\\Viewer"},
        };
        // Classes in the Windows folder are to review; the one of a program is not.
        static const Sample kClasses[] = {
            {kComSection, "CLSID\\{5A3C2E10-7B1D-4C2E-9F00-0A1B2C3D4E5F}\\InprocServer32", "",
             "C:\\windows\\system32\\oldshell.dll"},
            {kComSection, "CLSID\\{6B4D3F21-8C2E-4D3F-A011-1B2C3D4E5F60}\\InprocServer32", "",
             "C:\\Program Files\\Old Tool\\oldtool.dll"},
            {kComSection, "Wow6432Node\\CLSID\\{7C5E4032-9D3F-4E40-B122-2C3D4E5F6071}\\LocalServer32", "",
             "\"C:\\windows\\SysWOW64\\oldhost.exe\" /automation -Embedding /ServerName:OldHost.Application.1 /log "
             "\"C:\\Users\\Public\\Documents\\Old Host\\oldhost.log\""},
        };
        auto rootOf = [](SectionId section) {
            if (section == kComSection) return kClassesRoot;
            return section == kApplicationPathsSection ? kLocalMachine : kCurrentUser;
        };
        auto report = [&](const Sample* samples, size_t count) {
            for (size_t i = 0; i < count && engine.Running(); ++i) {
                engine.Report(MakeProblem(samples[i].section, "The file or folder this entry refers to does not exist.",
                                          RegistryProblem{rootOf(samples[i].section), samples[i].key, samples[i].value,
                                                          samples[i].data, RemovalScope::Value}));
            }
        };
        for (int item = 0; item < 8 && engine.Running(); ++item) {
            engine.ItemExamined("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\Entry " +
                                std::to_string(item));
            Sleep(20);
        }
        switch (operation) {
            case ScanOperation::Fonts: report(kFonts, 2); break;
            case ScanOperation::HelpFiles:
                report(kHelp, 3);
                engine.ShowItem("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\Help\\viewer.chm");
                Shot("running-scan", *window_);
                break;
            case ScanOperation::ApplicationPaths: report(kPaths, 1); break;
            case ScanOperation::ComClasses: report(kClasses, 3); break;
            default: break;
        }
        return engine.Running();
    }

private:
    HWND* window_;
};

// Three archives of earlier removals, for the restore page; the newest two of the same day.
void MakeArchives(const TempFolder& folder) {
    for (const char* name : {"3,15,2026_23,59,59.zip", "12,7,2026_9,5,3.zip", "12,7,2026_16,42,10.zip"}) {
        ZipWriter writer;
        writer.Open(folder.Sub(name));
        writer.AddData("Config.ini", "[TYPE:FILE]\r\r\n[DEST_PATH:C:\\Links\\tool.lnk]\r\r\n");
        writer.AddData("tool.lnk", "link");
        writer.Close();
    }
}

// Entries the sample problems do not name, for the Ignored Entries dialog.
void AddIgnoredEntries(const IgnoreListStore& store) {
    store.Add({IgnoreKind::Key, kLocalMachine, "SOFTWARE\\Contoso\\Legacy Suite", {}, {}});
    store.Add({IgnoreKind::Value,
               kCurrentUser,
               "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
               "Sandbox Mono (TrueType)",
               {}});
    store.Add({IgnoreKind::Value, kClassesRoot, ".oldproj", "", {}});
    store.Add({IgnoreKind::Path, 0, {}, {}, "C:\\Games"});
    store.Add({IgnoreKind::Path, 0, {}, {}, "D:\\Portable Apps\\Old Editor\\editor.exe"});
}

void SetDword(const std::string& path, const char* name, DWORD value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name, REG_DWORD, &value, sizeof(value));
}
}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const std::string settings = "Software\\TidrexTests\\ScreenshotTour";
    RegDeleteTreeA(HKEY_CURRENT_USER, settings.c_str());
    for (SectionId id : {1, 3, 4, 7, 9, 10, 11}) SetDword(settings, std::to_string(id).c_str(), 1);
    SetDword(settings, "Select All", 1);
    SetDword(settings, "AutoBackup", 1);
    const Preferences preferences(settings, settings + "\\Run");
    AddIgnoredEntries(IgnoreListStore(settings));
    const SystemInfo systemInfo;
    HWND window = nullptr;
    SampleScan scan(&window);
    const TempFolder backups("screenshot-backups");
    MakeArchives(backups);
    MainDialog dialog(MainDialogStartup{&systemInfo, nullptr, &preferences, "TidrexVelora", &scan, backups.Path()});
    MessageBoxRecorder boxes;
    DialogSteps::Schedule([&] {
        window = dialog.Window();
        ShowWindow(window, SW_SHOWNORMAL);
        Shot("home", window);
        Click(window, IDC_NAV_SCAN);
        Shot("results", window);
        {
            // "Remove Problems" on a large section, part of the way through its backup.
            RemovalProgressWindow progress(window, 0);
            progress.Advance(RemovalStage::Saving, 41250, 100004);
            Shot("removal-progress", progress.Window());
        }
        DialogSteps::Schedule([&] {
            HWND details = ThreadWindowTitled("Details");
            ShowWindow(details, SW_SHOWNORMAL);
            HWND list = GetDlgItem(details, IDC_DETAILS_LIST);
            ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            Shot("details", details);
            // The rows' context menu as the keyboard opens it, below the focused row.
            DialogSteps::Schedule([&] {
                Shot("details-menu", details);
                PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
            });
            SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
            Click(details, IDCANCEL);
        });
        auto* help = static_cast<ScanSection*>(dialog.ResultsList().RowData(1));
        SendMessageA(window, WM_SHOW_DETAILS, reinterpret_cast<WPARAM>(help), 0);
        DialogSteps::Schedule([&] {
            HWND details = ThreadWindowTitled("Details");
            ShowWindow(details, SW_SHOWNORMAL);
            Shot("details-review", details);
            Click(details, IDCANCEL);
        });
        SendMessageA(window, WM_SHOW_DETAILS, reinterpret_cast<WPARAM>(dialog.Sections().Find(kComSection)), 0);
        Click(window, IDC_NAV_SECTIONS);
        Shot("section-choice", window);
        Click(window, IDC_NAV_ADVANCED);
        Shot("advanced", window);
        DialogSteps::Schedule([&] {
            HWND entries = ThreadWindowTitled("Ignored Entries");
            ShowWindow(entries, SW_SHOWNORMAL);
            Shot("ignored-entries", entries);
            Click(entries, IDCANCEL);
        });
        Click(window, IDC_IGNORED_ENTRIES);
        Click(window, IDC_NAV_RESTORE);
        Shot("restore", window);
        SendMessageA(dialog.Item(IDC_BACKUP_DATES), CB_SHOWDROPDOWN, TRUE, 0);
        Shot("restore-list", window);
        SendMessageA(dialog.Item(IDC_BACKUP_DATES), CB_SHOWDROPDOWN, FALSE, 0);
        EndDialog(window, 0);
    });
    dialog.Run();
    RegDeleteTreeA(HKEY_CURRENT_USER, settings.c_str());
    return 0;
}
