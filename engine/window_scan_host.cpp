#include "engine/window_scan_host.h"

#include "engine/message_pump.h"

void WindowScanHost::ReportProblem(ProblemPtr problem) { SendProblem(targetWindow, messageId, std::move(problem)); }

void WindowScanHost::ShowCurrentItem(const std::string& text) {
    if (statusLine) SetWindowTextA(statusLine, text.c_str());
}

void WindowScanHost::PumpMessages() { ::PumpMessages(); }

void WindowScanHost::ShowFault(const std::string& text) {
    MessageBoxA(targetWindow, text.c_str(), applicationName.c_str(), MB_OK);
}
