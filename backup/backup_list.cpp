#include "backup/backup_list.h"

#include <windows.h>

#include <algorithm>

#include "base/text_format.h"
#include "base/unique_handles.h"

std::string ArchiveStem(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::vector<BackupArchive> ListBackupArchives(const std::string& backupFolder) {
    std::vector<BackupArchive> archives;
    WIN32_FIND_DATAA found;
    UniqueFindHandle search(FindFirstFileA((backupFolder + "\\*.zip").c_str(), &found));
    if (!search) return archives;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        archives.push_back({backupFolder + "\\" + name, name, ParseBackupName(ArchiveStem(name))});
    } while (FindNextFileA(search.get(), &found));
    std::sort(archives.begin(), archives.end(), [](const BackupArchive& a, const BackupArchive& b) {
        if (a.time.NewerThan(b.time)) return true;
        if (b.time.NewerThan(a.time)) return false;
        return a.fileName > b.fileName;
    });
    return archives;
}

std::string BackupListText(const BackupArchive& archive, const DateNames& names) {
    std::string text = BackupDateText(ArchiveStem(archive.fileName), names);
    if (archive.time.valid && archive.time.sequence > 0) {
        text += Format(" (%lld)", static_cast<long long>(archive.time.sequence + 1));
    }
    return text;
}

DateNames UserDateNames() {
    DateNames names = EnglishDateNames();
    char text[80];
    // The locale's day names run from Monday (LOCALE_SDAYNAME1) to Sunday (LOCALE_SDAYNAME7).
    for (int day = 0; day < 7; ++day) {
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1 + day, text, sizeof(text)) > 0) {
            names.weekdays[(day + 1) % 7] = text;
        }
    }
    for (int month = 0; month < 12; ++month) {
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + month, text, sizeof(text)) > 0) {
            names.months[month] = text;
        }
    }
    return names;
}
