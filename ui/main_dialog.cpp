#include "ui/main_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app/executable_folder.h"
#include "app/scan_log_format.h"
#include "base/text_format.h"
#include "resources/resource_ids.h"
#include "ui/details_dialog.h"
#include "ui/dialog_template_font.h"
#include "ui/folder_chooser.h"
#include "ui/message_box.h"
#include "ui/system_summary_text.h"

namespace {
constexpr COLORREF kTotalsColour = RGB(255, 0, 0);
constexpr COLORREF kFooterColour = RGB(255, 255, 255);

std::vector<uint8_t> TahomaTemplate() {
    HRSRC resource = FindResourceA(ResourceModule(), MAKEINTRESOURCEA(IDD_MAIN), MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (!resource) return {};
    HGLOBAL loaded = LoadResource(ResourceModule(), resource);
    const auto* data = static_cast<const uint8_t*>(LockResource(loaded));
    if (!data) return {};
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return WithDialogFont(data, SizeofResource(ResourceModule(), resource), u"Tahoma",
                          static_cast<uint16_t>(DialogPointSize(pixelsPerInch)));
}

UniqueBitmap LoadBackground(int id) {
    return UniqueBitmap(static_cast<HBITMAP>(LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
}  // namespace

MainDialog::MainDialog(const MainDialogStartup& startup)
    : startup_(startup),
      preferences_(*startup.preferences),
      sections_([this](SectionId id) { return preferences_.ReadSectionState(id); }),
      engine_(host_),
      operations_(startup.operations ? *startup.operations : static_cast<ScanOperations&>(scanners_)),
      log_(preferences_, startup.systemInfo ? startup.systemInfo->OsName() : std::string()),
      driver_(sections_, engine_, *this, operations_, log_, counters_),
      intake_(*this, counters_, log_) {
    driver_.readSelectAll = [this] { return preferences_.ReadSelectAll(); };
}

INT_PTR MainDialog::Run(HWND owner) {
    template_ = TahomaTemplate();
    return RunModal(owner, template_);
}

bool MainDialog::OnInit() {
    if (startup_.instanceChecker) startup_.instanceChecker->Track(Window());
    icon_ = static_cast<HICON>(
        LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
    SendMessageA(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    backgrounds_[0] = LoadBackground(IDB_BACKGROUND_HOME);
    backgrounds_[1] = LoadBackground(IDB_BACKGROUND_PAGES);
    whiteBrush_.reset(CreateSolidBrush(RGB(255, 255, 255)));

    scaler_.Record(Window());
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

    FitClientToBackground();
    // Loaded after the size change, which would otherwise cut the control below the picture's width.
    animation_.Attach(Item(IDC_ANIMATION));
    animation_.LoadFromResource(ResourceModule(), MAKEINTRESOURCEA(IDR_BUSY_ANIMATION), "GIF");
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
    CreateDirectoryA((WithoutTrailingBackslashes(ExecutableFolder()) + "\\Backup").c_str(), nullptr);
    return true;
}

void MainDialog::FitClientToBackground() {
    SIZE picture{kClientWidth, kClientHeight};
    BITMAP info{};
    if (backgrounds_[0] && GetObjectA(backgrounds_[0].get(), sizeof(info), &info)) {
        picture = {info.bmWidth, info.bmHeight};
    }
    RECT window{}, client{};
    GetWindowRect(Window(), &window);
    GetClientRect(Window(), &client);
    const int width = picture.cx + (window.right - window.left) - client.right;
    const int height = picture.cy + (window.bottom - window.top) - client.bottom;
    SetWindowPos(Window(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    SetWindowPos(Window(), nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

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
    for (ScanSection& section : sections_.Sections()) {
        choiceList_.AddRow(Format("<b>Section Name : %s</b><br><font color=\"#7B7B7B\">Description : %s</font>",
                                  section.name.c_str(), section.description.c_str()),
                           &section, section.included != 0);
    }
}

void MainDialog::ShowAdvancedPage(bool show) {
    ShowControls({IDC_ADVANCED_TITLE, IDC_ADVANCED_LINE1, IDC_ADD_REMOVE_MANAGER, IDC_BHO_MANAGER, IDC_STARTUP_MANAGER,
                  IDC_STARTUP_OPTIONS, IDC_ADVANCED_LINE2, IDC_RUN_AT_STARTUP, IDC_REMOVAL_OPTIONS, IDC_ADVANCED_LINE3,
                  IDC_SELECT_ALL_ERRORS, IDC_AUTO_BACKUP, IDC_MANAGE_LOG, IDC_ADVANCED_LINE4, IDC_LOG_PATH_LABEL,
                  IDC_LOG_FOLDER, IDC_CHOOSE_LOG_FOLDER, IDC_SAVE_PREFERENCES},
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

void MainDialog::ShowTotalProblems(const std::string& text) {
    totalsPacer_.Request([this, text] { SetDlgItemTextA(Window(), IDC_SCAN_TOTAL, text.c_str()); });
}

void MainDialog::ShowAffectedSections(const std::string& text) {
    SetDlgItemTextA(Window(), IDC_SCAN_AFFECTED, text.c_str());
}

void MainDialog::ShowStatus(const std::string& text) { host_.pathLabel.ShowPath(text); }

std::string MainDialog::StartButtonCaption() const {
    char caption[64] = {};
    GetDlgItemTextA(Window(), IDC_START_ABORT, caption, sizeof(caption));
    return caption;
}

void MainDialog::SetStartButtonCaption(const std::string& caption) {
    SetDlgItemTextA(Window(), IDC_START_ABORT, caption.c_str());
}

void MainDialog::ShowAnimation(bool visible) {
    ShowWindow(Item(IDC_ANIMATION), visible ? SW_SHOW : SW_HIDE);
    if (visible) animation_.Draw();
    else animation_.Stop();
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
        link.SetErrorHandler([this](HWND, const std::string& text) { Message(text); });
        link.Attach(Item(kLinks[i].id));
        link.SetUnderlineMode(1);
    }
}

void MainDialog::ShowEndMessage(const std::string& text) {
    if (closing_) return;  // the window is closing: nobody is there to read it
    Message(text);
}

void MainDialog::AddResultRow(ScanSection& section, const std::string& markup, bool checked) {
    const int row = resultsList_.AddRow(markup, &section, checked);
    if (row >= 0) resultsList_.SetSeverity(row, static_cast<int>(section.severity));
}

void MainDialog::ShowResultsTotal(const std::string& text) {
    SetDlgItemTextA(Window(), IDC_RESULTS_TOTAL, text.c_str());
}

int MainDialog::Message(const std::string& text) const {
    return ShowMessageBox(Window(), text, startup_.applicationName);
}

void MainDialog::ScanNowCommand() {
    if (driver_.IsScanning()) return;
    SetBackground(1);
    driver_.ScanNow();
}

void MainDialog::ChooseSectionsCommand() {
    if (driver_.IsScanning()) return;
    SetBackground(1);
    InvalidateRect(Window(), nullptr, FALSE);
    HideAllPages();
    ShowSectionChoicePage(true);
}

void MainDialog::SaveSectionsCommand() {
    if (driver_.IsScanning()) return;
    for (int row = 0; row < choiceList_.RowCount(); ++row) {
        auto* section = static_cast<ScanSection*>(choiceList_.RowData(row));
        if (!OwnsSection(section)) continue;
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
    if (driver_.IsScanning()) return;
    advanced_.runAtStartup = Checked(Window(), IDC_RUN_AT_STARTUP) ? 1 : 0;
    advanced_.selectAll = Checked(Window(), IDC_SELECT_ALL_ERRORS) ? 1 : 0;
    advanced_.autoBackup = Checked(Window(), IDC_AUTO_BACKUP) ? 1 : 0;
    char folder[MAX_PATH] = {};
    GetDlgItemTextA(Window(), IDC_LOG_FOLDER, folder, sizeof(folder));
    advanced_.logFilePath = folder;
    Message(preferences_.Save(advanced_) ? kPreferencesSavedText : kEmptyLogPathText);
}

void MainDialog::OpenHelp() const {
    const std::string help = WithoutTrailingBackslashes(ExecutableFolder()) + "\\Tidrex.chm";
    ShellExecuteA(nullptr, nullptr, help.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainDialog::Close() {
    if (driver_.IsScanning()) {
        // The scan runs further down this stack; it must end before the window goes.
        closing_ = true;
        engine_.RequestAbort();
    }
    End(IDCANCEL);
}

bool MainDialog::OnCommand(int id, int, HWND) {
    switch (id) {
        case IDC_NAV_SCAN: ScanNowCommand(); return true;
        case IDC_START_ABORT: driver_.StartOrAbortScan(); return true;
        case IDC_NAV_SECTIONS: ChooseSectionsCommand(); return true;
        case IDC_CHOICE_SAVE: SaveSectionsCommand(); return true;
        case IDC_NAV_RESTORE: RestoreBackupCommand(); return true;
        case IDC_NAV_ADVANCED: AdvancedControlsCommand(); return true;
        case IDC_CHOOSE_LOG_FOLDER: ChooseLogFolderCommand(); return true;
        case IDC_SAVE_PREFERENCES: SavePreferencesCommand(); return true;
        case IDC_LINK_HELP: OpenHelp(); return true;
        case IDOK: return true;  // Enter does nothing
        case IDCANCEL: Close(); return true;
        default: return false;
    }
}

bool MainDialog::OwnsSection(const ScanSection* section) const {
    const auto& all = sections_.Sections();
    return std::any_of(all.begin(), all.end(), [section](const ScanSection& own) { return &own == section; });
}

bool MainDialog::OnNotify(NMHDR& header, LRESULT&) {
    if (header.idFrom != IDC_RESULTS_LIST || header.code != LVN_ITEMCHANGED) return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!CheckMarkupList::CheckStateChanged(change) || change.iItem < 0) return false;
    auto* section = static_cast<ScanSection*>(resultsList_.RowData(change.iItem));
    if (!OwnsSection(section)) return false;
    section->SetCheckedForRemoval(resultsList_.IsChecked(change.iItem) ? 1 : 0);
    return true;
}

void MainDialog::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Window(), &paint);
    if (IsIconic(Window())) {
        RECT client{};
        GetClientRect(Window(), &client);
        DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
                 (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
    } else if (const HBITMAP picture = backgrounds_[backgroundIndex_].get()) {
        BITMAP info{};
        GetObjectA(picture, sizeof(info), &info);
        const UniqueMemoryDc memory(CreateCompatibleDC(dc));
        const SelectedObject selected(memory.get(), picture);
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(Window(), &paint);
}

HBRUSH MainDialog::OnStaticColour(HDC dc, HWND control) {
    switch (GetDlgCtrlID(control)) {
        case IDC_STATUS_LINE:
        case IDC_TOTALS_FRAME:
        case IDC_SELECT_ALL_ERRORS:
        case IDC_AUTO_BACKUP:
        case IDC_LOG_FOLDER:
            SetBkMode(dc, TRANSPARENT);
            return whiteBrush_.get();
        case IDC_SCAN_TOTAL:
        case IDC_SCAN_AFFECTED:
        case IDC_RESULTS_TOTAL:
            SetTextColor(dc, kTotalsColour);
            SetBkMode(dc, TRANSPARENT);
            return whiteBrush_.get();
        case IDC_FOOTER: SetTextColor(dc, kFooterColour); break;
        default: break;
    }
    if (startup_.xpFlag) {
        // Without transparency support the label gets the picture under it copied in first.
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&rect), 2);
        if (const HBITMAP picture = backgrounds_[backgroundIndex_].get()) {
            const UniqueMemoryDc memory(CreateCompatibleDC(dc));
            const SelectedObject selected(memory.get(), picture);
            BitBlt(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, memory.get(), rect.left, rect.top, SRCCOPY);
        }
    }
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}

bool MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_SIZE: scaler_.Rescale(); return false;
        case WM_ERASEBKGND: result = TRUE; return true;
        case WM_PAINT: OnPaint(); result = TRUE; return true;
        case WM_CTLCOLORSTATIC:
            result = reinterpret_cast<INT_PTR>(OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
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
            intake_.AcceptProblem(AdoptProblem(wParam));
            SetWindowLongPtrA(Window(), DWLP_MSGRESULT, 0);
            result = TRUE;
            return true;
        case WM_SHOW_DETAILS: {
            auto* section = reinterpret_cast<ScanSection*>(wParam);
            if (OwnsSection(section)) DetailsDialog(*section).Run(Window());
            SetWindowLongPtrA(Window(), DWLP_MSGRESULT, 0);
            result = TRUE;
            return true;
        }
        default: return false;
    }
}
