#pragma once
#include <windows.h>

#include "base/unique_handles.h"

// Test processes run side by side and walk the same list keys: one that removes its entries
// while another walks would shift the other's indexes. The tests that touch the list keys hold
// this machine-wide lock for their whole run.
class ListKeysLock {
public:
    ListKeysLock() : mutex_(CreateMutexA(nullptr, FALSE, "TidrexTestsListKeys")) {
        const DWORD waited = WaitForSingleObject(mutex_.get(), 60000);
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ListKeysLock(const ListKeysLock&) = delete;
    ListKeysLock& operator=(const ListKeysLock&) = delete;
    ~ListKeysLock() {
        if (held_) ReleaseMutex(mutex_.get());
    }

private:
    UniqueKernelObject mutex_;
    bool held_ = false;
};
