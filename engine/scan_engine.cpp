#include "engine/scan_engine.h"

void ScanEngine::RequestAbort() {
    host_.ShowCurrentItem("Aborting Scan...");
    running = 0;
    host_.PumpMessages();
}

void ScanEngine::ItemExamined(const std::string& text) {
    host_.ShowCurrentItem(text);
    host_.PumpMessages();
    host_.Pause(0);
    host_.PumpMessages();
}
