#pragma once
// The two window messages of the scan, and the hand-over of a problem record with them.
#include <windows.h>

#include "engine/problem_record.h"

inline constexpr UINT WM_SCAN_PROBLEM = 0x87B7;  // wParam: a new ProblemRecord, owned by the receiver
inline constexpr UINT WM_SHOW_DETAILS = 0x87B8;  // wParam: the ScanSection of the clicked row

// Blocking hand-over: the receiver adopts the record. A record that no window can
// receive is freed here.
inline void SendProblem(HWND target, UINT message, ProblemPtr problem) {
    if (!IsWindow(target)) return;
    SendMessageA(target, message, reinterpret_cast<WPARAM>(problem.release()), 0);
}

inline ProblemPtr AdoptProblem(WPARAM wParam) { return ProblemPtr(reinterpret_cast<ProblemRecord*>(wParam)); }
