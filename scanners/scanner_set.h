#pragma once
// The scan operations the scanners supply to the driver.
#include <string>

#include "engine/scan_operations.h"

class ScannerSet : public ScanOperations {
public:
    // Letters of the fixed disks the shortcut scan walks ("CE"); empty: every fixed disk.
    std::string shortcutDrives;

    // Runs the operation's scanner; returns the engine's running flag as it ends.
    bool Run(ScanOperation operation, ScanEngine& engine) override;
};
