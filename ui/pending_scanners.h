#pragma once
// The scan operations until the scanners are built: every operation finds nothing and
// reports whether the scan may go on.
#include "engine/scan_operations.h"

class PendingScanners : public ScanOperations {
public:
    bool Run(ScanOperation, ScanEngine& engine) override { return engine.Running(); }
};
