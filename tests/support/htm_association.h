#pragma once
// Gives ".htm" below HKEY_CLASSES_ROOT another program id for one test and puts it back after.
// The association is shared by every process of the prefix, so the tests that change it take
// turns through a named mutex, whichever test program they run in.
#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "base/unique_handles.h"

class HtmAssociation {
public:
    explicit HtmAssociation(const std::string& programId, const std::string& command = {})
        : turn_(CreateMutexA(nullptr, FALSE, "TidrexTests.HtmAssociation")) {
        if (turn_) WaitForSingleObject(turn_.get(), 60000);
        char value[MAX_PATH] = {};
        LONG size = sizeof(value);
        hadValue_ = RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", value, &size) == ERROR_SUCCESS;
        old_ = value;
        RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, programId.c_str(), 0);
        if (!command.empty()) {
            const std::string key = programId + "\\shell\\open\\command";
            RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, command.c_str(), 0);
            created_ = programId;
        }
    }
    HtmAssociation(const HtmAssociation&) = delete;
    HtmAssociation& operator=(const HtmAssociation&) = delete;
    ~HtmAssociation() {
        if (hadValue_) RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, old_.c_str(), 0);
        else SHDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
        if (!created_.empty()) SHDeleteKeyA(HKEY_CLASSES_ROOT, created_.c_str());
        if (turn_) ReleaseMutex(turn_.get());
    }

private:
    UniqueKernelObject turn_;
    bool hadValue_ = false;
    std::string old_;
    std::string created_;
};
