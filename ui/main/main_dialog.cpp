#include "ui/main/main_dialog.h"

#include <commctrl.h>

#include "app/executable_folder.h"
#include "app/ignore_list_store.h"
#include "base/text_format.h"
#include "resources/resource_ids.h"
#include "ui/tools/add_remove_manager_dialog.h"
#include "ui/tools/bho_manager_dialog.h"
#include "ui/dialogs/ignored_entries_dialog.h"
#include "ui/dpi_resources.h"
#include "ui/tools/startup_manager_dialog.h"
#include "ui/system_summary_text.h"

MainDialog::MainDialog(const MainDialogStartup& startup)
    : startup_(startup),
      preferences_(*startup.preferences),
      log_(preferences_, startup.systemInfo ? startup.systemInfo->OsName() : std::string()),
      session_([this](SectionId id) { return preferences_.ReadSectionState(id); }, host_, *this, log_,
               startup.operations) {
    session_.Driver().readSelectAll = [this] { return preferences_.ReadSelectAll(); };
    session_.readIgnoreList = [this] { return IgnoreListStore(preferences_.SettingsKeyPath()).Read(); };
}

INT_PTR MainDialog::Run(HWND owner) {
    layout_.Load(ResourceModule(), IDD_MAIN);
    return RunModal(owner, IDD_MAIN);
}

bool MainDialog::OnInit() {
    if (startup_.instanceChecker) startup_.instanceChecker->Track(Window());
    icon_ = static_cast<HICON>(LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON, 0, 0,
                                          LR_SHARED | LR_DEFAULTSIZE));
    SendMessageA(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    whiteBrush_.reset(CreateSolidBrush(RGB(255, 255, 255)));

    aboutText_.Attach(Item(IDC_ABOUT));
    aboutText_.SetText(kAboutText);
    restoreText_.Attach(Item(IDC_RESTORE_TEXT));
    restoreText_.SetText(kRestoreText);
    SetWindowTextA(Window(), Format("Tidrex Velora %s ", kVersionText).c_str());
    host_.targetWindow = Window();
    host_.messageId = WM_SCAN_PROBLEM;
    host_.statusLine = Item(IDC_STATUS_LINE);
    host_.pathLabel.Attach(Item(IDC_STATUS_LINE));
    host_.applicationName = startup_.applicationName;
    totalsPacer_.Attach(Window());

    animation_.Attach(Item(IDC_ANIMATION));
    ApplyDpi(WindowDpi(Window()));
    CentreOnWorkArea();
    SetUpLinks();

    const SystemInfo* info = startup_.systemInfo;
    SetDlgItemTextA(Window(), IDC_INFO_PROFILE, ProfileText(info ? info->UserName() : "").c_str());
    SetDlgItemTextA(Window(), IDC_INFO_OS, OsText(info ? info->OsName() : "").c_str());
    SetDlgItemTextA(Window(), IDC_INFO_MEMORY,
                    MemoryText(info ? info->availablePhysical : 0, info ? info->totalPhysical : 0).c_str());
    SetDlgItemTextA(Window(), IDC_INFO_DISK, DiskSpaceText().c_str());

    scanList_.Attach(Item(IDC_SCAN_LIST));
    resultsList_.Attach(Item(IDC_RESULTS_LIST), kResultsRowHeight);
    resultsList_.SetCheckPictures(IDB_CHECK_CHECKED, IDB_CHECK_UNCHECKED);
    resultsList_.SetLinkText(kViewDetailsLink);
    choiceList_.Attach(Item(IDC_CHOICE_LIST), kChoiceRowHeight);
    choiceList_.SetCheckPictures(IDB_CHECK_CHECKED, IDB_CHECK_UNCHECKED);

    HideAllPages();
    SetBackground(0);
    ShowHomePage(true);
    const std::string backupFolder = startup_.backupFolder.empty() ? DefaultBackupFolder() : startup_.backupFolder;
    CreateDirectoryA(backupFolder.c_str(), nullptr);
    backup_.SetBackupFolder(backupFolder);
    restorePage_.Attach(Item(IDC_BACKUP_DATES), backupFolder);
    return true;
}

void MainDialog::SetUpLinks() {
    struct Link {
        int id;
        const char* target;  // none: the click is a command of this window
    };
    static constexpr Link kLinks[] = {
        {IDC_NAV_SCAN, nullptr},
        {IDC_NAV_SECTIONS, nullptr},
        {IDC_NAV_RESTORE, nullptr},
        {IDC_NAV_ADVANCED, nullptr},
        {IDC_LINK_HOME, "https://www.quorix.example/"},
        {IDC_LINK_PRODUCTS, "https://www.quorix.example/products/"},
        {IDC_LINK_SUPPORT, "mailto:support@quorix.example"},
        {IDC_LINK_HELP, nullptr},
    };
    for (size_t i = 0; i < links_.size(); ++i) {
        HyperLink& link = links_[i];
        if (kLinks[i].target) link.SetTarget(kLinks[i].target);
        else link.labelOnly = true;
        link.SetErrorHandler([this](HWND, const std::string& text) { Message(text, MB_OK | MB_ICONEXCLAMATION); });
        link.Attach(Item(kLinks[i].id));
        link.SetUnderlineMode(1);
    }
}

HyperLink* MainDialog::Link(int controlId) {
    for (HyperLink& link : links_) {
        if (link.Window() && link.Window() == Item(controlId)) return &link;
    }
    return nullptr;
}

bool MainDialog::OnCommand(int id, int code, HWND) {
    // Clicks only (BN_CLICKED and STN_CLICKED are both 0): a double-click on a link, or any
    // other notification of a control, commands nothing.
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_NAV_SCAN: ScanNowCommand(); return true;
        case IDC_START_ABORT: Driver().StartOrAbortScan(); return true;
        case IDC_NAV_SECTIONS: ChooseSectionsCommand(); return true;
        case IDC_CHOICE_SAVE: SaveSectionsCommand(); return true;
        case IDC_NAV_RESTORE: RestoreBackupCommand(); return true;
        case IDC_RESTORE_SELECTED: restorePage_.RestoreSelected(Window(), startup_.applicationName); return true;
        case IDC_REMOVE_PROBLEMS: RemoveProblemsCommand(); return true;
        case IDC_NAV_ADVANCED: AdvancedControlsCommand(); return true;
        case IDC_CHOOSE_LOG_FOLDER: ChooseLogFolderCommand(); return true;
        case IDC_SAVE_PREFERENCES: SavePreferencesCommand(); return true;
        case IDC_LINK_HELP: OpenHelp(); return true;
        case IDC_STARTUP_MANAGER:
            StartupManagerDialog(startup_.applicationName, backup_.BackupFolder()).Run(Window());
            return true;
        case IDC_BHO_MANAGER:
            BhoManagerDialog(startup_.applicationName, backup_.BackupFolder(),
                             BackupKeyExporter(backup_.BackupFolder()))
                .Run(Window());
            return true;
        case IDC_IGNORED_ENTRIES:
            IgnoredEntriesDialog(IgnoreListStore(preferences_.SettingsKeyPath()), startup_.applicationName)
                .Run(Window());
            return true;
        case IDC_ADD_REMOVE_MANAGER:
            AddRemoveManagerDialog(startup_.applicationName, backup_.BackupFolder(),
                                   BackupKeyExporter(backup_.BackupFolder()))
                .Run(Window());
            return true;
        case IDOK: return true;  // Enter does nothing
        case IDCANCEL: Close(); return true;
        default: return false;
    }
}

bool MainDialog::OnNotify(NMHDR& header, LRESULT&) {
    if (header.idFrom != IDC_RESULTS_LIST || header.code != LVN_ITEMCHANGED) return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!CheckMarkupList::CheckStateChanged(change) || change.iItem < 0) return false;
    auto* section = static_cast<ScanSection*>(resultsList_.RowData(change.iItem));
    if (!Sections().Owns(section)) return false;
    section->TickAll(resultsList_.IsChecked(change.iItem));
    // A section whose problems are all to review has nothing that ticking it could tick.
    if (section->AnyTicked() != resultsList_.IsChecked(change.iItem)) ShowSectionTick(change.iItem);
    return true;
}

bool MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_ERASEBKGND: result = TRUE; return true;
        case WM_PAINT:
            OnPaint();
            result = TRUE;
            return true;
        case WM_CTLCOLORSTATIC:
            result = reinterpret_cast<INT_PTR>(
                OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
            return true;
        case WM_MEASUREITEM: {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_LISTVIEW) return false;
            if (item.CtlID == IDC_RESULTS_LIST) resultsList_.MeasureItem(item);
            else if (item.CtlID == IDC_CHOICE_LIST) choiceList_.MeasureItem(item);
            else return false;
            result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID == IDC_SCAN_LIST) scanList_.DrawItem(item);
            else if (item.CtlID == IDC_RESULTS_LIST) resultsList_.DrawItem(item);
            else if (item.CtlID == IDC_CHOICE_LIST) choiceList_.DrawItem(item);
            else return false;
            result = TRUE;
            return true;
        }
        case WM_SCAN_PROBLEM:
            // Only a record that the scan host is sending right now; any other pointer is ignored.
            session_.Intake().AcceptProblem(host_.Claim(wParam));
            SetWindowLongPtrA(Window(), DWLP_MSGRESULT, 0);
            result = TRUE;
            return true;
        case WM_SHOW_DETAILS: {
            auto* section = reinterpret_cast<ScanSection*>(wParam);
            if (Sections().Owns(section)) ShowDetailsCommand(*section);
            SetWindowLongPtrA(Window(), DWLP_MSGRESULT, 0);
            result = TRUE;
            return true;
        }
        default: return false;
    }
}
