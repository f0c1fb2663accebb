#pragma once
#include <cstdint>

// The totals of the current scan, reset when a scan is prepared and raised by the intake.
struct ScanCounters {
    int32_t totalProblems = 0;
    int32_t affectedSections = 0;
};
