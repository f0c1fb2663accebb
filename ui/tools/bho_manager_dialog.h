#pragma once
// The browser helper objects registered for Internet Explorer, the version details of the
// library behind the selected one, and removal of the checked registrations, each exported
// first and then saved in a backup archive. Only the registration under the list key goes; the
// class and its library stay.
#include <windows.h>

#include <string>

#include "backup/key_file_backup.h"
#include "engine/section_descriptors.h"
#include "engine/tool_list_keys.h"
#include "ui/tools/key_manager_dialog.h"

class BhoManagerDialog : public KeyManagerDialog {
public:
    BhoManagerDialog(std::string applicationName, std::string backupFolder, KeyExporter exporter);

protected:
    void FillList() override;
    void ShowDetails(int row) override;
};

inline constexpr const char* kUnnamedBho = "None Specified";
// The objects start with the browser: their registrations are removed as startup entries.
inline constexpr SectionId kBhoManagerSection = kStartupProgramsSection;
// The first tag lacks its ">"; the label renders the text as it is.
inline constexpr const char* kBhoManagerHeader =
    "<font color=\"#0000FF\"<b>Manage Browser Helper Objects</b></font><br>BHO's are attached to the Internet "
    "Explorer \t\t\t\t\tand are capable of creating a great deal of menace.<br>It should however be noted that <b>Not "
    "all BHO's are harmful.</b> \t\t\t\t\tUsing this dialog user can himself decide which BHO's are allowed to "
    "execute, simply check the BHO and press Remove\t\t\t\t\tbutton to get rid of the BHO";
inline constexpr const char* kBhoRemovedText = "Select BHOs Removed";
