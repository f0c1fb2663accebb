#include "engine/scan_engine.h"

#include <windows.h>

void ScanEngine::RequestAbort() {
    host_->ShowCurrentItem("Aborting Scan...");
    running = 0;
    host_->PumpMessages();
}

void ScanEngine::ItemExamined(const std::string& text, unsigned delayMs) {
    host_->ShowCurrentItem(text);
    host_->PumpMessages();
    Sleep(delayMs);
    host_->PumpMessages();
}
