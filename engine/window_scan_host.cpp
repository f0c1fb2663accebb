#include "engine/window_scan_host.h"

#include "engine/message_pump.h"

void WindowScanHost::ReportProblem(ProblemPtr problem) { SendProblem(targetWindow, messageId, std::move(problem)); }

void WindowScanHost::ShowCurrentItem(const std::string& text) {
    if (statusLine) SetWindowTextA(statusLine, text.c_str());
}

void WindowScanHost::PumpMessages() { ::PumpMessages(); }
