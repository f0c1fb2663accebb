#pragma once
// The entries of the installed-programs list, for removing those that programs removed
// improperly left behind; each checked entry is exported first and then saved in a backup
// archive. No uninstaller is run.
#include <windows.h>

#include <string>

#include "backup/key_file_backup.h"
#include "scanners/service_scanners.h"
#include "ui/tools/key_manager_dialog.h"

class AddRemoveManagerDialog : public KeyManagerDialog {
public:
    AddRemoveManagerDialog(std::string applicationName, std::string backupFolder, KeyExporter exporter);

protected:
    void FillList() override;
};

inline constexpr const char* kAddRemoveManagerHeader =
    "<font color=\"#0000FF\"><b>Add Remove Programs Manager</b></font><br>An Entry is made in to the Add Remove "
    "Section whenever\t\t\t\ta program is installed by windows, this entry is deleted when the program is uninstalled "
    "properly.<br>Incorrect removal\t\t\t\tleaves the program entry in this section which should be deleted.";
inline constexpr const char* kAddRemoveRemovedText = "Selected Registry Entries Removed";
