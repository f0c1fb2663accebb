#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <vector>

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
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.command) {
        std::fprintf(stderr, "%s\n%s", parsed.error.c_str(), kUsageText);
        return kExitUsage;
    }
    // The log texts carry their own CR LF line ends.
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    CoInitialize(nullptr);
    const int status = RunConsoleScan({*parsed.command, SystemInfo().OsName(), &g_interrupted, stdout});
    CoUninitialize();
    return status;
}
