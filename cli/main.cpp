#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <vector>

#include "cli/backup_commands.h"
#include "cli/console_scan.h"
#include "ui/system_info.h"

namespace {
std::atomic<bool> g_interrupted{false};

// Runs on a thread of its own: only raises the flag that the scan reads between items.
BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    g_interrupted.store(true);
    return TRUE;
}
}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const BackupCommandLine backupCommand = ParseBackupCommandLine(arguments);
    const bool isBackupCommand = backupCommand.command != BackupCommandLine::Command::None;
    const ParsedCommandLine parsed = isBackupCommand ? ParsedCommandLine{} : ParseCommandLine(arguments);
    if (!isBackupCommand && !parsed.command) {
        std::fprintf(stderr, "%s\n%s%s", parsed.error.c_str(), kUsageText, kBackupUsageText);
        return kExitUsage;
    }
    if (!backupCommand.error.empty()) {
        std::fprintf(stderr, "%s\n%s", backupCommand.error.c_str(), kBackupUsageText);
        return kExitUsage;
    }
    // The log texts carry their own CR LF line ends.
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    CoInitialize(nullptr);
    const int status = isBackupCommand
                           ? RunBackupCommand(backupCommand, SystemInfo().OsName(), g_interrupted, stdout)
                           : RunConsoleScan({*parsed.command, SystemInfo().OsName(), &g_interrupted, stdout});
    CoUninitialize();
    return status;
}
