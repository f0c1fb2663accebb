#include "scanners/scanner_set.h"

#include "scanners/list_scanners.h"
#include "scanners/registry_walk.h"
#include "scanners/shortcut_scan.h"

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
        case ScanOperation::WalkLocalMachine:
            return WalkLocalMachine(engine);
        case ScanOperation::WalkCurrentUser:
            return WalkCurrentUser(engine);
        case ScanOperation::WalkUsers:
            return WalkUsers(engine);
        case ScanOperation::UsageHistory:
            // Section 13 ends with the current user's usage history; its scanner is called here.
            return engine.Running();
        case ScanOperation::Shortcuts:
            return ScanShortcuts(engine, shortcutDrives);
        default:
            return engine.Running();
    }
}
