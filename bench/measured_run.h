#pragma once
// What the walk benchmarks measure of one run: its time, and the process's peak working set
// once it has ended (runs go from small to large, so the peak belongs to the largest run so far).
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <functional>

struct MeasuredRun {
    double seconds = 1e300;
    double peakMegabytes = 0;
    long long items = 0;     // what the run walked (string values or files)
    long long problems = 0;  // what it reported or found missing
};

inline MeasuredRun Measure(const std::function<void(long long& items, long long& problems)>& work) {
    MeasuredRun run;
    const auto start = std::chrono::steady_clock::now();
    work(run.items, run.problems);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    run.peakMegabytes = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    return run;
}

// The faster of the two runs.
inline MeasuredRun Best(const MeasuredRun& a, const MeasuredRun& b) { return b.seconds < a.seconds ? b : a; }
