// The main window's commands: the navigation links, the buttons of the pages, and closing.
#include "ui/main/main_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app/executable_folder.h"
#include "resources/resource_ids.h"
#include "ui/dialogs/details_dialog.h"
#include "ui/dialogs/folder_chooser.h"
#include "ui/message_box.h"
#include "ui/main/ignore_command.h"
#include "ui/main/removal_command.h"

namespace {
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
}  // namespace

int MainDialog::Message(const std::string& text, UINT type) const {
    return ShowMessageBox(Window(), text, startup_.applicationName, type);
}

void MainDialog::ScanNowCommand() {
    if (Driver().IsScanning()) return;
    SetBackground(1);
    Driver().ScanNow();
}

void MainDialog::ChooseSectionsCommand() {
    if (Driver().IsScanning()) return;
    SetBackground(1);
    InvalidateRect(Window(), nullptr, FALSE);
    HideAllPages();
    ShowSectionChoicePage(true);
}

void MainDialog::SaveSectionsCommand() {
    if (Driver().IsScanning()) return;
    for (int row = 0; row < choiceList_.RowCount(); ++row) {
        auto* section = static_cast<ScanSection*>(choiceList_.RowData(row));
        if (!Sections().Owns(section)) continue;
        section->included = choiceList_.IsChecked(row) ? 1 : 0;
        preferences_.WriteSectionState(section->id, section->included);
    }
    Message(kSectionsSavedText);
    ScanNowCommand();
}

void MainDialog::RestoreBackupCommand() {
    HideAllPages();
    SetBackground(1);
    InvalidateRect(Window(), nullptr, FALSE);
    ShowRestorePage(true);
    restorePage_.Fill();
}

void MainDialog::RemoveProblemsCommand() {
    if (Driver().IsScanning()) return;
    const AfterRemoval next =
        RunRemoveProblems({Window(), startup_.applicationName, resultsList_, Sections(), preferences_, backup_});
    if (next == AfterRemoval::StayOnResults) return;
    HideAllPages();
    if (next == AfterRemoval::ScanAgain) return ScanNowCommand();
    SetBackground(0);
    ShowHomePage(true);
    InvalidateRect(Window(), nullptr, FALSE);
}

void MainDialog::AdvancedControlsCommand() {
    HideAllPages();
    SetBackground(1);
    InvalidateRect(Window(), nullptr, FALSE);
    ShowAdvancedPage(true);
}

void MainDialog::ChooseLogFolderCommand() {
    const std::string folder = ChooseLogFolder(Window(), startup_.applicationName);
    if (!folder.empty()) SetDlgItemTextA(Window(), IDC_LOG_FOLDER, folder.c_str());
}

void MainDialog::SavePreferencesCommand() {
    if (Driver().IsScanning()) return;
    advanced_.runAtStartup = Checked(Window(), IDC_RUN_AT_STARTUP) ? 1 : 0;
    advanced_.selectAll = Checked(Window(), IDC_SELECT_ALL_ERRORS) ? 1 : 0;
    advanced_.autoBackup = Checked(Window(), IDC_AUTO_BACKUP) ? 1 : 0;
    char folder[MAX_PATH] = {};
    GetDlgItemTextA(Window(), IDC_LOG_FOLDER, folder, sizeof(folder));
    advanced_.logFilePath = folder;
    Message(preferences_.Save(advanced_) ? kPreferencesSavedText : kEmptyLogPathText);
}

void MainDialog::ShowDetailsCommand(ScanSection& section) {
    const IgnoreListStore store(preferences_.SettingsKeyPath());
    int ignored = 0;
    DetailsDialog(section, [&](const IgnoreList& rules) {
        ignored += RunIgnoreProblems({Window(), startup_.applicationName, store, session_}, rules);
    }).Run(Window());
    if (ignored == 0) {
        for (int row = 0; row < resultsList_.RowCount(); ++row) ShowSectionTick(row);
        return;
    }
    // The counts changed, and a section may be gone: the results again, the keyboard's row kept.
    const int focused = ListView_GetNextItem(resultsList_.Window(), -1, LVNI_FOCUSED);
    ShowResults();
    const int row = std::min(focused, resultsList_.RowCount() - 1);
    if (row >= 0) ListView_SetItemState(resultsList_.Window(), row, LVIS_FOCUSED, LVIS_FOCUSED);
}

void MainDialog::OpenHelp() const {
    const std::string help = WithoutTrailingBackslashes(ExecutableFolder()) + "\\Tidrex.chm";
    ShellExecuteA(nullptr, nullptr, help.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainDialog::Close() {
    if (Driver().IsScanning()) {
        // The scan runs further down this stack; it must end before the window goes.
        closing_ = true;
        Engine().RequestAbort();
    }
    End(IDCANCEL);
}
