#pragma once
// Dispatches at most ten pending messages of the thread's queue and returns.
void PumpMessages();
