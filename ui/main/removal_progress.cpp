#include "ui/main/removal_progress.h"

#include <commctrl.h>

#include <string>

#include "resources/resource_ids.h"
#include "ui/scan/message_pump.h"

namespace {
constexpr uint64_t kUpdateEveryMs = 50;

std::string StageText(RemovalStage stage, size_t done, size_t total) {
    const std::string counts = std::to_string(done) + " of " + std::to_string(total);
    return stage == RemovalStage::Saving ? "Saving the backup: " + counts + " items" : "Removing " + counts + " items";
}
}  // namespace

RemovalProgressWindow::~RemovalProgressWindow() {
    if (!Window()) return;
    // The owner first, so that it is the window activated when this one goes.
    EnableWindow(owner_, TRUE);
    DestroyWindow(Window());
}

void RemovalProgressWindow::Show() {
    if (!CreateModeless(owner_, IDD_REMOVAL_PROGRESS)) return;
    EnableWindow(owner_, FALSE);
    ShowWindow(Window(), SW_SHOWNORMAL);
    SetFocus(Item(IDCANCEL));
}

bool RemovalProgressWindow::Advance(RemovalStage stage, size_t done, size_t total) {
    const uint64_t now = GetTickCount64();
    if (now - lastUpdate_ < kUpdateEveryMs) return !aborted_;
    lastUpdate_ = now;
    if (!Window()) {
        if (now - started_ < showAfterMs_) return true;
        Show();
        if (!Window()) return true;
    }
    SetDlgItemTextA(Window(), IDC_REMOVAL_PROGRESS_TEXT, StageText(stage, done, total).c_str());
    HWND bar = Item(IDC_REMOVAL_PROGRESS_BAR);
    SendMessageA(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    UpdateWindow(Window());
    PumpMessages(Window());
    return !aborted_;
}

bool RemovalProgressWindow::OnCommand(int id, int code, HWND) {
    if (id != IDCANCEL || code != BN_CLICKED) return false;
    aborted_ = true;
    SetDlgItemTextA(Window(), IDC_REMOVAL_PROGRESS_TEXT, "Stopping...");
    EnableWindow(Item(IDCANCEL), FALSE);
    return true;
}
