#include "scanners/scanner_set.h"

#include "scanners/association_scanners.h"
#include "scanners/com_class_scanner.h"
#include "scanners/file_type_scanner.h"
#include "scanners/list_scanners.h"
#include "scanners/registry_walk.h"
#include "scanners/service_scanners.h"
#include "scanners/shortcut_scan.h"
#include "scanners/type_library_scanner.h"
#include "scanners/usage_history_scanner.h"

bool ScannerSet::Run(ScanOperation operation, ScanEngine& engine) {
    switch (operation) {
        case ScanOperation::StaticDrivers: return ScanStaticDrivers(engine);
        case ScanOperation::Fonts: return ScanFonts(engine);
        case ScanOperation::Sounds: return ScanSounds(engine);
        case ScanOperation::OpenWith: return ScanOpenWithLists(engine);
        case ScanOperation::Extensions: return ScanExtensions(engine);
        case ScanOperation::FileTypes: return ScanStaleFileTypes(engine);
        case ScanOperation::Services: return ScanServices(engine);
        case ScanOperation::HelpFiles: return ScanHelpFiles(engine);
        case ScanOperation::SharedFiles: return ScanSharedFiles(engine);
        case ScanOperation::ApplicationPaths: return ScanApplicationPaths(engine);
        case ScanOperation::Uninstall: return ScanUninstallEntries(engine);
        case ScanOperation::TypeLibraries: return ScanTypeLibraries(engine);
        case ScanOperation::ComClasses: return ScanComClasses(engine);
        case ScanOperation::WalkLocalMachine: return WalkLocalMachine(engine);
        case ScanOperation::WalkCurrentUser: return WalkCurrentUser(engine);
        case ScanOperation::WalkUsers: return WalkUsers(engine);
        case ScanOperation::UsageHistory:
            // The full registry scan ends with the current user's usage history.
            ScanUsageHistory(engine);
            return engine.Running();
        case ScanOperation::Shortcuts: return ScanShortcuts(engine, shortcutDrives);
    }
    return engine.Running();
}
