#pragma once
// WOW64 file-system redirection, looked up at run time: on 32-bit Windows, and for a
// 64-bit process, the functions are absent or report no WOW64 and nothing is touched.
#include <windows.h>

bool IsWow64();
BOOL DisableFsRedirection(PVOID* oldState);
BOOL RevertFsRedirection(PVOID oldState);

// Redirection switched off for one scope, only when the process runs under WOW64.
class FsRedirectionOff {
public:
    explicit FsRedirectionOff(bool wow64);
    FsRedirectionOff(const FsRedirectionOff&) = delete;
    FsRedirectionOff& operator=(const FsRedirectionOff&) = delete;
    ~FsRedirectionOff();

private:
    bool active_;
    PVOID oldState_ = nullptr;
};
