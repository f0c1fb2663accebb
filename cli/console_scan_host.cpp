#include "cli/console_scan_host.h"

#include <cstdio>

void ConsoleScanHost::ReportProblem(ProblemPtr problem) {
    if (intake_) intake_->AcceptProblem(std::move(problem));
}

void ConsoleScanHost::PumpMessages() {
    CheckInterrupt();
    if (betweenItems) betweenItems();
}

void ConsoleScanHost::CheckInterrupt() {
    // Before the scan has started there is nothing to abort yet; the request waits for it.
    if (abortRequested_ || engine_ == nullptr || !engine_->Running() || !interrupted_.load()) return;
    abortRequested_ = true;  // RequestAbort pumps again; ask only once
    engine_->RequestAbort();
}

void ConsoleScanHost::ShowFault(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}
