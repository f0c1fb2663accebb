#include "ui/dialogs/folder_chooser.h"

#include <shlobj.h>

#include "base/unique_handles.h"
#include "ui/message_box.h"

std::string ChooseLogFolder(HWND owner, const std::string& caption) {
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.put())) || !allocator) return {};
    char displayName[MAX_PATH] = {};
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pidlRoot = nullptr;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = "Choose a Folder to store log files";
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    if (chosen == nullptr) return {};
    char path[MAX_PATH] = {};
    const BOOL hasPath = SHGetPathFromIDListA(chosen, path);
    allocator->Free(chosen);
    if (!hasPath) {
        ShowMessageBox(owner, "Cannot use this path for extraction", caption);
        return {};
    }
    if (path[0] == '\0') {
        ShowMessageBox(owner, "Cannot use this path", caption);
        return {};
    }
    return path;
}
