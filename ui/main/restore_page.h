#pragma once
// The restore page's date list and its "Restore Selected Backup" command.
#include <windows.h>

#include <string>
#include <vector>

class RestorePage {
public:
    void Attach(HWND dates, std::string backupFolder);

    // Lists the archives of the backup folder by the date their names tell, newest first (the
    // list's own alphabetical sorting is bypassed), each entry carrying its archive.
    void Fill();
    // Replays the chosen archive and shows the result; an archive of what the restore replaced
    // joins the list.
    void RestoreSelected(HWND owner, const std::string& caption);

private:
    void Select(const std::string& archive);

    HWND dates_ = nullptr;
    std::string folder_;
    std::vector<std::string> archives_;  // an entry's item data is its index here
};
