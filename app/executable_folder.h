#pragma once
#include <string>

// The folder of the running executable, without a trailing backslash.
std::string ExecutableFolder();
// The executable's full file name.
std::string ExecutablePath();
// The "Backup" folder beside the executable, where removals keep their archives.
std::string DefaultBackupFolder();
