#include "cli/console_scan_host.h"

void ConsoleScanHost::CheckInterrupt() {
    // Before the scan has started there is nothing to abort yet; the request waits for it.
    if (abortRequested_ || engine_ == nullptr || !engine_->Running() || !interrupted_.load()) return;
    abortRequested_ = true;  // RequestAbort pumps again; ask only once
    engine_->RequestAbort();
}
