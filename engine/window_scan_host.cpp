#include "engine/window_scan_host.h"

#include <algorithm>

#include "engine/message_pump.h"

namespace {
WPARAM AsMessageParameter(const ProblemRecord* record) { return reinterpret_cast<WPARAM>(record); }
}  // namespace

void WindowScanHost::ReportProblem(ProblemPtr problem) {
    if (!problem || !IsWindow(targetWindow)) return;
    const WPARAM record = AsMessageParameter(problem.get());
    sending_.push_back(std::move(problem));
    SendMessageA(targetWindow, messageId, record, 0);
    // Claimed slots are empty now; a record that no receiver claimed ends here.
    std::erase_if(sending_,
                  [record](const ProblemPtr& kept) { return !kept || AsMessageParameter(kept.get()) == record; });
}

ProblemPtr WindowScanHost::Claim(WPARAM wParam) {
    const auto found = std::find_if(sending_.begin(), sending_.end(), [wParam](const ProblemPtr& kept) {
        return kept && AsMessageParameter(kept.get()) == wParam;
    });
    if (found == sending_.end()) return nullptr;
    return std::move(*found);  // the emptied slot is dropped when the send returns
}

void WindowScanHost::ShowCurrentItem(const std::string& text) {
    if (statusLine) SetWindowTextA(statusLine, text.c_str());
}

void WindowScanHost::PumpMessages() { ::PumpMessages(); }

void WindowScanHost::ShowFault(const std::string& text) {
    MessageBoxA(targetWindow, text.c_str(), applicationName.c_str(), MB_OK);
}
