// The restore takes values and keys back into exactly the keys the tool dialogs and the value
// sections remove from, in both registry views.
#include <gtest/gtest.h>

#include "backup/restore_scope.h"
#include "registry/registry_view.h"
#include "registry/view_keys.h"
#include "scanners/association_scanners.h"
#include "scanners/list_scanners.h"
#include "scanners/service_scanners.h"
#include "scanners/usage_history_scanner.h"
#include "ui/tools/bho_manager_dialog.h"
#include "ui/tools/startup_manager_dialog.h"

namespace {
struct ListedKey {
    HKEY handle;
    RootKeyValue root;
    std::string path;
    bool bothViews;  // read in both views, so also as a 32-bit program's key
};

// The key as each view of the registry has it, and as a 32-bit program's key is named where the
// prefix lacks that view's key.
std::vector<std::string> PathsInBothViews(const ListedKey& key) {
    std::vector<std::string> paths{key.path};
    if (key.bothViews) paths.push_back(ThirtyTwoBitKeyPath(key.path));
    for (const ViewKey& view : KeyInBothViews(key.handle, key.path)) paths.push_back(view.path);
    return paths;
}
}  // namespace

TEST(RestoreScopeKeys, TheToolsEntriesComeBackAsKeys) {
    for (const ListedKey& list : {ListedKey{HKEY_LOCAL_MACHINE, kLocalMachine, kBhoListKey, true},
                                  ListedKey{HKEY_LOCAL_MACHINE, kLocalMachine, kUninstallKey, true}}) {
        for (const std::string& path : PathsInBothViews(list)) {
            EXPECT_TRUE(KeyRestoreAllowed(ProgramRestoreScope(), list.root, path + "\\{0A}")) << path;
            EXPECT_FALSE(KeyRestoreAllowed(ProgramRestoreScope(), list.root, path)) << path;
        }
    }
}

TEST(RestoreScopeKeys, TheValueSectionsAndTheStartupListsTakeValuesBack) {
    const std::vector<ListedKey> keys = {
        {HKEY_LOCAL_MACHINE, kLocalMachine, kFontsKey, false},
        {HKEY_CURRENT_USER, kCurrentUser, kSoundsKey, false},
        {HKEY_LOCAL_MACHINE, kLocalMachine, kHelpFilesKey, true},
        {HKEY_LOCAL_MACHINE, kLocalMachine, kSharedFilesKey, true},
        {HKEY_CURRENT_USER, kCurrentUser, std::string(kFileExtsKey) + "\\.txt\\OpenWithList", false},
        {HKEY_CURRENT_USER, kCurrentUser,
         std::string(kUserAssistKey) + "\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count", false},
        {HKEY_CURRENT_USER, kCurrentUser, kStartupRunKey, true},
        {HKEY_LOCAL_MACHINE, kLocalMachine, kStartupRunKey, true}};
    RestoreScope sectionsAndTools = ProgramRestoreScope();
    // Without the full scan's walks, which take values from nearly every key.
    std::erase_if(sectionsAndTools.valueAreas, [](const ValueArea& area) { return area.walked; });
    for (const ListedKey& key : keys) {
        for (const std::string& path : PathsInBothViews(key)) {
            EXPECT_TRUE(ValueRestoreAllowed(sectionsAndTools, key.root, path)) << path;
        }
    }
}
