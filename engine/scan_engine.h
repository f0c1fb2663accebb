#pragma once
// The running scan's shared state: the abort flag, and the host that receives problems,
// shows the current item and pumps messages.
#include <cstdint>
#include <string>

#include "engine/scan_host.h"

class ScanEngine {
public:
    explicit ScanEngine(ScanHost& host) : host_(host) {}

    void ResetRunning() { running = 1; }
    // Called from a dispatched click on "Abort": the current operation sees it at its next item.
    void RequestAbort();
    bool WasAborted() const { return running == 0; }
    bool Running() const { return running != 0; }

    void Report(ProblemPtr problem) { host_.ReportProblem(std::move(problem)); }
    void ShowItem(const std::string& text) { host_.ShowCurrentItem(text); }
    void Pump() { host_.PumpMessages(); }
    void Pause(unsigned milliseconds) { host_.Pause(milliseconds); }
    void ReportUnreadable(SectionId section, const std::string& keyName) {
        host_.StartingKeyUnreadable(section, keyName);
    }
    void ShowFault(const std::string& text) { host_.ShowFault(text); }
    // The rhythm after an examined item of the list scanners: show it, pump, let others run, pump.
    void ItemExamined(const std::string& text);

    ScanHost& Host() { return host_; }

    int32_t running = 0;

private:
    ScanHost& host_;
};
