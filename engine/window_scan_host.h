#pragma once
// The scan host of a window: problems go to the target window as WM_SCAN_PROBLEM, the
// current item into the status-line label.
#include <windows.h>

#include <cstdint>

#include "engine/scan_host.h"
#include "engine/scan_messages.h"

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

private:
    unsigned pumpsSinceLook_ = 0;
    uint64_t lastLook_ = 0;
    uint64_t lastYield_ = 0;
};
