#include "ui/main/restore_page.h"

#include "backup/backup_list.h"
#include "backup/backup_restore.h"
#include "engine/wow64.h"
#include "ui/message_box.h"
#include "ui/wait_cursor.h"

void RestorePage::Attach(HWND dates, std::string backupFolder) {
    dates_ = dates;
    folder_ = std::move(backupFolder);
}

void RestorePage::Fill() {
    SendMessageA(dates_, CB_RESETCONTENT, 0, 0);
    archives_.clear();
    const DateNames names = UserDateNames();
    for (const BackupArchive& archive : ListBackupArchives(folder_)) {
        // Inserted at the end: unlike an added string, an inserted one is not sorted by its text.
        const LRESULT entry = SendMessageA(dates_, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(BackupListText(archive, names).c_str()));
        if (entry < 0) continue;
        SendMessageA(dates_, CB_SETITEMDATA, static_cast<WPARAM>(entry), static_cast<LPARAM>(archives_.size()));
        archives_.push_back(archive.path);
    }
}

void RestorePage::RestoreSelected(HWND owner, const std::string& caption) {
    const LRESULT selected = SendMessageA(dates_, CB_GETCURSEL, 0, 0);
    const LRESULT index = selected == CB_ERR ? CB_ERR : SendMessageA(dates_, CB_GETITEMDATA, selected, 0);
    if (index < 0 || static_cast<size_t>(index) >= archives_.size()) {
        ShowMessageBox(owner, kSelectBackupDateText, caption);
        SetFocus(dates_);
        return;
    }
    const std::string archive = archives_[static_cast<size_t>(index)];
    RestoreReport report;
    {
        const WaitCursor wait;
        report = RestoreBackup(archive, {&ProgramRestoreScope(), folder_, IsWow64()});
    }
    // The archive of what the restore replaced is listed at once, the restored one still chosen.
    if (!report.replacedArchive.empty()) {
        Fill();
        Select(archive);
    }
    ShowMessageBox(owner, report.Message(), caption);
}

void RestorePage::Select(const std::string& archive) {
    const LRESULT count = SendMessageA(dates_, CB_GETCOUNT, 0, 0);
    for (LRESULT entry = 0; entry < count; ++entry) {
        const LRESULT index = SendMessageA(dates_, CB_GETITEMDATA, static_cast<WPARAM>(entry), 0);
        if (index >= 0 && static_cast<size_t>(index) < archives_.size() &&
            archives_[static_cast<size_t>(index)] == archive) {
            SendMessageA(dates_, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
            return;
        }
    }
}
