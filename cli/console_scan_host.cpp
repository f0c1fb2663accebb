#include "cli/console_scan_host.h"

#include "engine/message_pump.h"

void ConsoleScanHost::PumpMessages() {
    ::PumpMessages();
    CheckInterrupt();
}

void ConsoleScanHost::CheckInterrupt() {
    // Before the scan has started there is nothing to abort yet; the request waits for it.
    if (abortRequested_ || engine_ == nullptr || !engine_->Running() || !interrupted_.load()) return;
    abortRequested_ = true;  // RequestAbort pumps again; ask only once
    engine_->RequestAbort();
}
