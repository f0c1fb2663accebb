#pragma once
// The programs started at log-on through the two Run keys (the current user's first), the
// version details of the selected one, and removal of the checked entries through a backup
// archive.
#include <windows.h>

#include <string>

#include "engine/tool_list_keys.h"
#include "ui/tools/manager_dialog.h"

struct RunEntry {
    HKEY root;
    std::string keyPath;
    std::string valueName;
    std::string command;  // the value's text, as the list shows it
};

class StartupManagerDialog : public ManagerDialogOf<RunEntry> {
public:
    StartupManagerDialog(std::string applicationName, std::string backupFolder);

protected:
    void FillList() override;
    RegistryProblem ProblemOf(const RunEntry& entry) const override;
    void ShowDetails(int row) override;
};

inline constexpr const char* kStartupManagerHeader =
    "<font color=\"#0000FF\"><b>Startup Program Manager</b></font><br>Startup Program Manager lets you configure the "
    "programs\t\t\t\t\twhich are started at the time your pc boots.<br>Often unwanted programs add themselves in this "
    "list thus making the \t\t\t\t\tbooting process a lot slower. This is a common place where most of Adwares and "
    "Spywares add themselves.";
inline constexpr const char* kStartupRemovedText = "Selected Registry Entries Deleted";
