#pragma once
// The console's scan host: problems go straight to the intake, no item is shown, and a
// Ctrl+C seen since the last item becomes an abort request on the scanning thread.
#include <atomic>

#include "engine/problem_intake.h"
#include "engine/scan_engine.h"
#include "engine/scan_host.h"

class ConsoleScanHost : public ScanHost {
public:
    // The flag may be set from any thread (the console's control handler runs on its own).
    ConsoleScanHost(ProblemIntake& intake, std::atomic<bool>& interrupted) : intake_(intake), interrupted_(interrupted) {}

    void Attach(ScanEngine& engine) { engine_ = &engine; }

    void ReportProblem(ProblemPtr problem) override { intake_.AcceptProblem(std::move(problem)); }
    void ShowCurrentItem(const std::string&) override { CheckInterrupt(); }
    // No window, so no messages to pump and no reason to wait: only the Ctrl+C flag is read.
    void PumpMessages() override { CheckInterrupt(); }
    void Pause(unsigned) override { CheckInterrupt(); }
    // Standard output carries the report: faults go to standard error.
    void ShowFault(const std::string& text) override;

private:
    void CheckInterrupt();

    ProblemIntake& intake_;
    std::atomic<bool>& interrupted_;
    ScanEngine* engine_ = nullptr;
    bool abortRequested_ = false;
};
