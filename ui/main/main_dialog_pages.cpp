// The main window's pages: which controls each shows, and the backgrounds.
#include "ui/main/main_dialog.h"

#include "base/text_format.h"
#include "resources/resource_ids.h"

void MainDialog::ShowControls(std::initializer_list<int> ids, bool show) const {
    for (int id : ids) ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE);
}

void MainDialog::ShowHomePage(bool show) {
    ShowControls({IDC_LINK_HOME, IDC_LINK_PRODUCTS, IDC_LINK_SUPPORT, IDC_LINK_HELP, IDC_ABOUT}, show);
}

void MainDialog::ShowScanPage(bool show) {
    ShowControls({IDC_SCAN_LIST, IDC_START_ABORT, IDC_STATUS_LINE, IDC_SCAN_TOTAL, IDC_ANIMATION, IDC_TOTALS_FRAME,
                  IDC_SCAN_AFFECTED},
                 show);
}

void MainDialog::ShowResultsPage(bool visible) {
    ShowControls({IDC_RESULTS_LIST, IDC_REMOVE_PROBLEMS, IDC_RESULTS_TOTAL}, visible);
}

void MainDialog::ShowSectionChoicePage(bool show) {
    ShowControls({IDC_CHOICE_SAVE, IDC_CHOICE_LIST}, show);
    if (!show) return;
    choiceList_.ClearAll();
    for (ScanSection& section : Sections().Sections()) {
        choiceList_.AddRow(Format("<b>Section Name : %s</b><br><font color=\"#7B7B7B\">Description : %s</font>",
                                  section.name.c_str(), section.description.c_str()),
                           &section, section.included != 0);
    }
}

void MainDialog::ShowAdvancedPage(bool show) {
    ShowControls({IDC_ADVANCED_TITLE, IDC_ADVANCED_LINE1, IDC_ADD_REMOVE_MANAGER, IDC_BHO_MANAGER, IDC_STARTUP_MANAGER,
                  IDC_STARTUP_OPTIONS, IDC_ADVANCED_LINE2, IDC_RUN_AT_STARTUP, IDC_REMOVAL_OPTIONS, IDC_ADVANCED_LINE3,
                  IDC_SELECT_ALL_ERRORS, IDC_AUTO_BACKUP, IDC_IGNORED_ENTRIES, IDC_MANAGE_LOG, IDC_ADVANCED_LINE4,
                  IDC_LOG_PATH_LABEL, IDC_LOG_FOLDER, IDC_CHOOSE_LOG_FOLDER, IDC_SAVE_PREFERENCES},
                 show);
    if (!show) return;
    advanced_ = preferences_.ReadAll();
    CheckDlgButton(Window(), IDC_AUTO_BACKUP, advanced_.autoBackup ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Window(), IDC_RUN_AT_STARTUP, advanced_.runAtStartup ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Window(), IDC_SELECT_ALL_ERRORS, advanced_.selectAll ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(Window(), IDC_LOG_FOLDER, advanced_.logFilePath.c_str());
}

void MainDialog::ShowRestorePage(bool show) {
    ShowControls({IDC_RESTORE_TEXT, IDC_BACKUP_DATE_LABEL, IDC_BACKUP_DATES, IDC_RESTORE_SELECTED, IDC_RESTORE_LINE},
                 show);
}

void MainDialog::HideAllPages() {
    ShowScanPage(false);
    ShowResultsPage(false);
    ShowSectionChoicePage(false);
    ShowAdvancedPage(false);
    ShowRestorePage(false);
    ShowHomePage(false);
}

void MainDialog::SetBackground(int index) {
    backgroundIndex_ = index;
    ShowControls({IDC_INFO_OS, IDC_INFO_PROFILE, IDC_INFO_MEMORY, IDC_INFO_DISK}, index == 0);
    InvalidateRect(Window(), nullptr, FALSE);
}
