#pragma once
// The console's scan host: problems go straight to the intake, no item is shown, and a
// Ctrl+C seen since the last item becomes an abort request on the scanning thread.
#include <atomic>
#include <functional>

#include "cli/unreadable_keys.h"
#include "engine/problem_intake.h"
#include "engine/scan_engine.h"
#include "engine/scan_host.h"

class ConsoleScanHost : public ScanHost {
public:
    // The flag may be set from any thread (the console's control handler runs on its own).
    explicit ConsoleScanHost(std::atomic<bool>& interrupted) : interrupted_(interrupted) {}

    // The session's engine, which an interrupt aborts, and its intake, which files the problems.
    void Attach(ScanEngine& engine, ProblemIntake& intake) {
        engine_ = &engine;
        intake_ = &intake;
    }
    void CollectUnreadable(UnreadableKeys& keys) { unreadable_ = &keys; }

    void ReportProblem(ProblemPtr problem) override;
    void ShowCurrentItem(const std::string&) override { CheckInterrupt(); }
    // No window, so no messages to pump and no reason to wait: the Ctrl+C flag is read, and
    // what waits for a moment between items gets it.
    void PumpMessages() override;
    void Pause(unsigned) override { CheckInterrupt(); }
    void StartingKeyUnreadable(SectionId section, const std::string& keyName) override {
        if (unreadable_) unreadable_->Add(section, keyName);
    }
    // Standard output carries the report: faults go to standard error.
    void ShowFault(const std::string& text) override;

    // Called where a window's scan would pump its messages, after every examined item.
    std::function<void()> betweenItems;

private:
    void CheckInterrupt();

    std::atomic<bool>& interrupted_;
    ProblemIntake* intake_ = nullptr;
    ScanEngine* engine_ = nullptr;
    UnreadableKeys* unreadable_ = nullptr;
    bool abortRequested_ = false;
};
