#pragma once
// What the walk benchmarks measure of one run: its time, and the process's peak working set
// once it has ended (runs go from small to large, so the peak belongs to the largest run so far).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "bench/stopwatch.h"

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
    run.seconds = SecondsSince(start);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    run.peakMegabytes = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    return run;
}

// Runs the plain walk and the scan in pairs, one right after the other, so that both runs of a pair
// meet the same load of a shared machine; the median of the pairs' ratios is the figure.
struct PairedRuns {
    MeasuredRun plain;  // the faster plain run
    MeasuredRun scan;   // the faster scan
    double medianRatio = 0;
    double lowestRatio = 0;
    double highestRatio = 0;
};

inline PairedRuns RunPairs(int rounds, const std::function<void(long long&, long long&)>& plain,
                           const std::function<void(long long&, long long&)>& scan) {
    PairedRuns result;
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        const MeasuredRun plainRun = Measure(plain);
        const MeasuredRun scanRun = Measure(scan);
        if (plainRun.seconds < result.plain.seconds) result.plain = plainRun;
        if (scanRun.seconds < result.scan.seconds) result.scan = scanRun;
        ratios.push_back(scanRun.seconds / plainRun.seconds);
    }
    std::sort(ratios.begin(), ratios.end());
    result.medianRatio = ratios[ratios.size() / 2];
    result.lowestRatio = ratios.front();
    result.highestRatio = ratios.back();
    return result;
}
