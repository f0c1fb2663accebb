#pragma once
// The scan host of a window: problems go to the target window as WM_SCAN_PROBLEM, the
// current item into the status-line label.
//
// The message carries a pointer, and any program can send any message: the receiver therefore
// adopts a record only through Claim, which hands over nothing but a record this host is
// sending at that moment. A record the receiver did not claim is freed here once the send
// returns.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "engine/scan_host.h"
#include "ui/scan/scan_messages.h"

class WindowScanHost : public ScanHost {
public:
    UINT messageId = WM_SCAN_PROBLEM;
    HWND targetWindow = nullptr;
    HWND statusLine = nullptr;
    std::string applicationName;  // caption of the fault's message box

    void ReportProblem(ProblemPtr problem) override;
    void ShowCurrentItem(const std::string& text) override;
    void PumpMessages() override;
    void Pause(unsigned milliseconds) override;
    void ShowFault(const std::string& text) override;

    // The record behind a WM_SCAN_PROBLEM's wParam when this host sent it and it is still
    // unclaimed; otherwise null, and the pointer is never touched.
    ProblemPtr Claim(WPARAM wParam);

private:
    std::vector<ProblemPtr> sending_;
    unsigned pumpsSinceLook_ = 0;
    uint64_t lastLook_ = 0;
    uint64_t lastYield_ = 0;
};
