#pragma once
// The scan operations the scanners supply to the driver.
#include "engine/scan_operations.h"

class ScannerSet : public ScanOperations {
public:
    // An operation without a scanner finishes at once, like a scanner whose key is missing.
    bool Run(ScanOperation operation, ScanEngine& engine) override;
};
