#pragma once
// GetDriveType is slow under Wine (a trip to the mount manager, about 0.6 ms a call) and a long
// walk asks about the same few drive roots again and again. While a DriveTypeCache lives, the
// answers its thread gets are kept per drive letter; drives do not change type during a scan.
#include <windows.h>

#include <array>

class DriveTypeCache {
public:
    // Becomes the thread's cache unless one is active already (then it keeps out of the way).
    DriveTypeCache();
    DriveTypeCache(const DriveTypeCache&) = delete;
    DriveTypeCache& operator=(const DriveTypeCache&) = delete;
    ~DriveTypeCache();

private:
    friend UINT DriveTypeOf(const char* root);
    std::array<UINT, 26> types_{};  // 0 (DRIVE_UNKNOWN): not asked yet
    bool active_;
};

// GetDriveType of the root; a root "X:\" is answered from the thread's cache when one is active.
UINT DriveTypeOf(const char* root);
