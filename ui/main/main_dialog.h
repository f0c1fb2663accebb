#pragma once
// The program's main window: navigation on the left, six pages on the right (home, scan,
// results, section choice, advanced, restore), and the scan with its intake. Its sources are
// split by role: set-up and message routing (main_dialog.cpp), pages (main_dialog_pages.cpp),
// commands (main_dialog_commands.cpp) and drawing (main_dialog_paint.cpp).
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/instance_checker.h"
#include "app/preferences.h"
#include "app/scan_log.h"
#include "backup/backup_set.h"
#include "app/scan_session.h"
#include "engine/scan_events.h"
#include "controls/animated_gif.h"
#include "controls/hyperlink.h"
#include "controls/markup_label.h"
#include "controls/paced_update.h"
#include "base/unique_handles.h"
#include "ui/lists/check_markup_list.h"
#include "ui/dialog_base.h"
#include "ui/dialog_layout.h"
#include "ui/main/restore_page.h"
#include "ui/main/section_status_list.h"
#include "ui/scan/status_line_scan_host.h"
#include "ui/system_info.h"

struct MainDialogStartup {
    const SystemInfo* systemInfo = nullptr;
    CInstanceChecker* instanceChecker = nullptr;  // none: the window is not tracked
    const Preferences* preferences = nullptr;
    std::string applicationName;           // caption of the message boxes
    ScanOperations* operations = nullptr;  // none: the program's scanners
    std::string backupFolder{};            // empty: "Backup" beside the executable
};

class MainDialog : public DialogBase, public ScanEvents {
public:
    explicit MainDialog(const MainDialogStartup& startup);

    // Runs the dialog modally until it closes. It is laid out over its background picture in
    // Tahoma of 8 points at the DPI of the monitor it is on, and follows that DPI when it changes.
    INT_PTR Run(HWND owner = nullptr);

    void ShowHomePage(bool show);
    void ShowScanPage(bool show);
    void ShowSectionChoicePage(bool show);
    void ShowAdvancedPage(bool show);
    void ShowRestorePage(bool show);
    void SetBackground(int index);
    int BackgroundIndex() const { return backgroundIndex_; }
    int Dpi() const { return dpi_; }
    // The background picture's size, which the client area takes.
    SIZE BackgroundSize() const;

    void HideAllPages();
    void ShowResultsPage(bool visible);

    // How the scan shows: the scan list, the labels, "Abort", the animation and the results.
    void ScanPrepared(const SectionTable& sections) override;
    void ScanStarting() override;
    void ScanRunning() override;
    void SectionStarted(const ScanSection& section) override;
    void SectionEnded(const ScanSection& section, SectionEnd end, int problems) override;
    void ProblemFiled(const ScanSection& section, const ProblemRecord& problem, const ScanCounters& counters) override;
    void ScanEnded(const SectionTable& sections, const ScanCounters& counters, bool aborted) override;

    SectionTable& Sections() { return session_.Sections(); }
    ScanEngine& Engine() { return session_.Engine(); }
    ScanDriver& Driver() { return session_.Driver(); }
    const ScanCounters& Counters() const { return session_.Counters(); }
    SectionStatusList& ScanList() { return scanList_; }
    CheckMarkupList& ResultsList() { return resultsList_; }
    CheckMarkupList& ChoiceList() { return choiceList_; }
    // The link control with that id, once the window is set up.
    HyperLink* Link(int controlId);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnDpiChanged(int dpi, const RECT& suggested) override;

private:
    // Pictures, font, client size, layout and animation for the DPI (main_dialog_dpi.cpp).
    void ApplyDpi(int dpi);
    void LoadAnimation();
    void FitClientToBackground();
    void CentreOnWorkArea();
    void ShowControls(std::initializer_list<int> ids, bool show) const;
    void ScanNowCommand();
    void ChooseSectionsCommand();
    void SaveSectionsCommand();
    void RestoreBackupCommand();
    void RemoveProblemsCommand();
    void AdvancedControlsCommand();
    void ChooseLogFolderCommand();
    void SavePreferencesCommand();
    // The details dialog of a section the results show; what it ignores leaves the results.
    void ShowDetailsCommand(ScanSection& section);
    void OpenHelp() const;
    void Close();
    void OnPaint();
    HBRUSH OnStaticColour(HDC dc, HWND control);
    int Message(const std::string& text, UINT type = MB_OK) const;
    void ShowStatus(const std::string& text);
    void ShowAnimation(bool visible);
    void ShowTotal(int totalProblems);
    void ShowResults();
    // The end message's word on disks the shortcut scan left out; empty when none.
    std::string LeftOutDrivesNote();
    // The results row of a section shows it ticked while any of its problems is.
    void ShowSectionTick(int row);

    MainDialogStartup startup_;
    const Preferences& preferences_;
    StatusLineScanHost host_;
    ScanLog log_;
    ScanSession session_;

    DialogLayout layout_;
    int dpi_ = 96;
    UniqueFont font_;
    std::array<UniqueBitmap, 2> backgrounds_;
    int backgroundIndex_ = 0;
    HICON icon_ = nullptr;  // shared resource icon
    UniqueBrush whiteBrush_;
    std::string latestTotal_;
    PacedUpdate totalsPacer_;  // the total changes with every problem; the label need not
    void SetUpLinks();

    std::array<HyperLink, 8> links_;
    AnimatedGif animation_;
    MarkupLabel aboutText_;
    MarkupLabel restoreText_;
    SectionStatusList scanList_;
    CheckMarkupList resultsList_;
    CheckMarkupList choiceList_;
    PreferenceValues advanced_;
    BackupSet backup_;
    RestorePage restorePage_;
    bool closing_ = false;
};

inline constexpr int kClientWidth = 650;
inline constexpr int kClientHeight = 360;
inline constexpr int kResultsRowHeight = 55;
inline constexpr int kChoiceRowHeight = 60;

inline constexpr const char* kAboutText =
    "<b>Quorix's Tidrex Velora</b> safely and effectively scans Windows Registry and hard disk drive for incorrect "
    "File and System References.<br><br>It instantly removes all inconsistencies, cleans registry, optimizes your PC "
    "and provides an error free and fast system.";
inline constexpr const char* kRestoreText =
    "<b>Restore Backup</b><br><br>Use this option to undo the changes made by Tidrex Velora.<br><br>Select the Backup "
    "date and time from the drop down box below and restore the backup.";
