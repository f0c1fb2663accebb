#pragma once
// Runs this test program again with one test filter, so that a test can see a setting that a
// process reads only when it starts (the Windows version Wine reports, the screen's DPI).
#include <windows.h>

#include <cstdlib>
#include <string>

inline constexpr const char* kChildVariable = "TIDREX_TEST_CHILD";

// True inside the child run; the child's tests skip themselves otherwise.
inline bool IsChildRun() { return std::getenv(kChildVariable) != nullptr; }

// This program's path in a form CreateProcess accepts: Wine names a program that lies on no
// drive "unix\...", which only works with the "\\?\" prefix.
inline std::string SelfPath() {
    char self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, length < MAX_PATH ? length : 0);
    if (path.rfind("unix\\", 0) == 0) path = "\\\\?\\" + path;
    return path;
}

// The path with its last components removed.
inline std::string Ancestor(std::string path, int levels) {
    for (int i = 0; i < levels; ++i) {
        const size_t slash = path.find_last_of('\\');
        if (slash == std::string::npos) return {};
        path.erase(slash);
    }
    return path;
}

// The child's exit code; -1 when it could not be started or did not end within a minute.
inline int RunChild(const std::string& filter) {
    const std::string self = SelfPath();
    std::string command = "\"" + self + "\" --gtest_filter=" + filter;
    SetEnvironmentVariableA(kChildVariable, "1");
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(self.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup, &process);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    if (!started) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    else TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
