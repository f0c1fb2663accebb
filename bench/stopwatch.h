#pragma once
// Seconds since a point of the steady clock, for the benchmarks' timings.
#include <chrono>

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
