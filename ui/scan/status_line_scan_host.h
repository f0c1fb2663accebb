#pragma once
// The main window's scan host: problems go to the window as WM_SCAN_PROBLEM, and the item
// being examined goes into the status line, shortened to fit by the path label (which is written
// at most twenty times a second, however fast the items come).
#include "controls/path_label.h"
#include "ui/scan/window_scan_host.h"
#include "ui/message_box.h"

class StatusLineScanHost : public WindowScanHost {
public:
    void ShowCurrentItem(const std::string& text) override { pathLabel.ShowPathSoon(text); }
    void ShowFault(const std::string& text) override { ShowMessageBox(targetWindow, text, applicationName); }

    PathLabel pathLabel;
};
