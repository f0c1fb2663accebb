#include "ui/scan/window_scan_host.h"

#include <algorithm>

#include "ui/scan/message_pump.h"

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

void WindowScanHost::PumpMessages() {
    // Under Wine every look at the queue is a round trip to the server and costs more than most
    // items cost to examine: the queue is looked at on every eighth pump and at least every 10 ms,
    // so a click waits for a few items at most.
    constexpr unsigned kPumpsPerLook = 8;
    constexpr uint64_t kLookIntervalMs = 10;
    const uint64_t now = GetTickCount64();
    if (++pumpsSinceLook_ < kPumpsPerLook && now - lastLook_ < kLookIntervalMs) return;
    pumpsSinceLook_ = 0;
    lastLook_ = now;
    ::PumpMessages();
}

void WindowScanHost::Pause(unsigned milliseconds) {
    // A pause of 0 gives up the rest of the time slice, so that a long scan leaves the processor to
    // others now and then; on a busy machine each one costs a whole slice, so once every 100 ms.
    constexpr uint64_t kYieldIntervalMs = 100;
    const uint64_t now = GetTickCount64();
    if (milliseconds == 0 && now - lastYield_ < kYieldIntervalMs) return;
    lastYield_ = now;
    Sleep(milliseconds);
}

void WindowScanHost::ShowFault(const std::string& text) {
    MessageBoxA(targetWindow, text.c_str(), applicationName.c_str(), MB_OK);
}
