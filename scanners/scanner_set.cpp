#include "scanners/scanner_set.h"

#include "scanners/list_scanners.h"

bool ScannerSet::Run(ScanOperation operation, ScanEngine& engine) {
    // The driver always scans without a pause between items.
    constexpr unsigned kNoDelay = 0;
    switch (operation) {
        case ScanOperation::Fonts:
            return ScanFonts(engine, kNoDelay);
        case ScanOperation::Sounds:
            return ScanSounds(engine, kNoDelay);
        case ScanOperation::HelpFiles:
            return ScanHelpFiles(engine, kNoDelay);
        case ScanOperation::SharedFiles:
            return ScanSharedFiles(engine, kNoDelay);
        case ScanOperation::ApplicationPaths:
            return ScanApplicationPaths(engine, kNoDelay);
        default:
            return engine.Running();
    }
}
