#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <variant>
#include <vector>

#include "app/os_version.h"
#include "cli/backup_commands.h"
#include "cli/command_line.h"
#include "cli/console_scan.h"
#include "cli/ignore_commands.h"

namespace {
std::atomic<bool> g_interrupted{false};

// Runs on a thread of its own: only raises the flag that the scan reads between items.
BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    g_interrupted.store(true);
    return TRUE;
}

int Run(const ScanCommand& scan) { return RunConsoleScan({scan, CurrentOsName(), &g_interrupted, stdout}); }

int Run(const BackupCommandLine& line) { return RunBackupCommand(line, CurrentOsName(), g_interrupted, stdout); }

int Run(const IgnoreCommandLine& line) { return RunIgnoreCommand({line}); }
}  // namespace

int main(int argc, char** argv) {
    const ParsedCommandLine parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.command) {
        std::fputs(parsed.output.c_str(), stdout);
        std::fputs(parsed.error.c_str(), stderr);
        return parsed.exitStatus;
    }
    // The reports carry their own CR LF line ends.
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    CoInitialize(nullptr);
    const int status = std::visit([](const auto& command) { return Run(command); }, *parsed.command);
    CoUninitialize();
    return status;
}
