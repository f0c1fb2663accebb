#pragma once
// The bodies of the scan operations, supplied by the scanners.
#include "engine/scan_engine.h"
#include "engine/section_operations.h"

class ScanOperations {
public:
    virtual ~ScanOperations() = default;
    // Runs one operation; returns the engine's running flag as the operation ends.
    virtual bool Run(ScanOperation operation, ScanEngine& engine) = 0;
};
