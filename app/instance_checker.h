#pragma once
// One running copy per application name: the first copy keeps a 4-byte named mapping that
// holds its main window's handle; a later copy finds it, brings that window forward and ends.
#include <windows.h>

#include <mutex>
#include <string>

#include "base/unique_handles.h"

class CInstanceChecker {
public:
    explicit CInstanceChecker(const std::string& applicationName);
    CInstanceChecker(const CInstanceChecker&) = delete;
    CInstanceChecker& operator=(const CInstanceChecker&) = delete;

    // True when another copy's block exists; the opened block is kept for activation.
    bool PreviousInstanceRunning();
    // Called once the main window exists: creates the block and stores the window in it,
    // unless another copy's block already exists. True when this copy is the first.
    bool Track(HWND mainWindow);
    // Restores and brings forward the running copy's window (or its last active pop-up);
    // returns that copy's main window, or none.
    HWND ActivatePreviousInstance();

    const std::string& MappingName() const { return mappingName_; }

private:
    std::mutex lock_;
    UniqueKernelObject previous_;
    // The first copy's own block: open until the process ends, so later copies find it.
    UniqueKernelObject own_;
    std::string mappingName_;
};

// The stored 32-bit form of a window handle and back (window handles fit in 32 bits).
inline DWORD StoredWindowHandle(HWND window) { return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window)); }
inline HWND WindowFromStored(DWORD stored) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(stored)));
}
