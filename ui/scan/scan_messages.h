#pragma once
// The two window messages of the scan. WM_SCAN_PROBLEM's record is handed over by the host that
// sends it (ui/scan/window_scan_host.h); a receiver claims it from that host, never from the
// bare pointer.
#include <windows.h>

#include "engine/problem_record.h"

inline constexpr UINT WM_SCAN_PROBLEM = 0x87B7;  // wParam: a ProblemRecord the sending host offers
inline constexpr UINT WM_SHOW_DETAILS = 0x87B8;  // wParam: the ScanSection of the clicked row
