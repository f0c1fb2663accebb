#pragma once
#include <windows.h>

// Dispatches at most ten pending messages of the thread's queue and returns. The keys of a
// modeless dialog given go through its dialog manager (Tab, Enter, Esc, mnemonics).
void PumpMessages(HWND dialog = nullptr);
