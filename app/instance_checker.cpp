#include "app/instance_checker.h"

namespace {
constexpr DWORD kBlockSize = sizeof(DWORD);
}

CInstanceChecker::CInstanceChecker(const std::string& applicationName)
    : mappingName_("CInstanceChecker_MMF_" + applicationName) {}

bool CInstanceChecker::PreviousInstanceRunning() {
    previous_.reset(OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, mappingName_.c_str()));
    return static_cast<bool>(previous_);
}

bool CInstanceChecker::Track(HWND mainWindow) {
    if (PreviousInstanceRunning()) return false;
    own_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBlockSize, mappingName_.c_str()));
    if (!own_) return false;
    UniqueMappedView view(MapViewOfFile(own_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, kBlockSize));
    if (!view) return true;
    const std::lock_guard<std::mutex> guard(lock_);
    *static_cast<DWORD*>(view.get()) = StoredWindowHandle(mainWindow);
    return true;
}

HWND CInstanceChecker::ActivatePreviousInstance() {
    if (!previous_) return nullptr;
    UniqueMappedView view(MapViewOfFile(previous_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, kBlockSize));
    if (!view) {
        previous_.reset();
        return nullptr;
    }
    const std::lock_guard<std::mutex> guard(lock_);
    const HWND previousWindow = WindowFromStored(*static_cast<const DWORD*>(view.get()));
    if (previousWindow) {
        const HWND popup = GetLastActivePopup(previousWindow);
        if (IsIconic(previousWindow)) ShowWindow(previousWindow, SW_RESTORE);
        SetForegroundWindow(popup ? popup : previousWindow);
    }
    view.reset();
    previous_.reset();
    return previousWindow;
}
