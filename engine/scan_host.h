#pragma once
// What a scan operation needs from the program that hosts the scan: where problems go,
// where the item being examined is shown, when window messages are pumped, and the pauses
// that keep a window's scan gentle (a host without a window need not wait).
#include <string>

#include "engine/problem_record.h"

class ScanHost {
public:
    virtual ~ScanHost() = default;
    virtual void ReportProblem(ProblemPtr problem) = 0;
    virtual void ShowCurrentItem(const std::string& text) = 0;
    virtual void PumpMessages() = 0;
    virtual void Pause(unsigned milliseconds) = 0;
    // A starting key that exists but could not be opened for lack of rights: the section was
    // not examined there. The window host runs elevated and ignores it; the console tells.
    virtual void StartingKeyUnreadable(SectionId /*section*/, const std::string& /*keyName*/) {}
    // A fault the scan caught and survived; the user must be told (a message box, or standard error).
    virtual void ShowFault(const std::string& text) = 0;
};
