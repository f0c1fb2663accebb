#include "engine/wow64.h"

#include "base/runtime_function.h"
#include "base/unique_handles.h"

bool IsWow64() {
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    UniqueModule kernel(LoadLibraryA("kernel32.dll"));
    auto isWow64Process = FindFunction<IsWow64ProcessFunction>(kernel.get(), "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

BOOL DisableFsRedirection(PVOID* oldState) {
    using DisableFunction = BOOL(WINAPI*)(PVOID*);
    auto disable = FindFunction<DisableFunction>(GetModuleHandleA("kernel32"), "Wow64DisableWow64FsRedirection");
    return disable ? disable(oldState) : FALSE;
}

BOOL RevertFsRedirection(PVOID oldState) {
    using RevertFunction = BOOL(WINAPI*)(PVOID);
    auto revert = FindFunction<RevertFunction>(GetModuleHandleA("kernel32"), "Wow64RevertWow64FsRedirection");
    if (!revert) return FALSE;
    revert(oldState);
    return TRUE;
}

FsRedirectionOff::FsRedirectionOff(bool wow64) : active_(wow64) {
    if (active_) DisableFsRedirection(&oldState_);
}

FsRedirectionOff::~FsRedirectionOff() {
    if (active_) RevertFsRedirection(oldState_);
}
