// Benchmark helpers: time a step repeatedly, take the median, and print it beside its baseline.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

// Seconds on the performance counter.
inline double BenchNow() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The median of `runs` timings of `step`, in milliseconds.
template <typename F>
double MedianMilliseconds(int runs, F&& step) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double start = BenchNow();
        step();
        times.push_back((BenchNow() - start) * 1000.0);
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

// Medians of `ours` and `baseline` run in turns, so that changes in the machine's load (it is
// shared) fall on both alike.
template <typename F, typename G>
std::pair<double, double> MediansInTurns(int runs, F&& ours, G&& baseline) {
    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(MedianMilliseconds(1, ours));
        b.push_back(MedianMilliseconds(1, baseline));
    }
    std::nth_element(a.begin(), a.begin() + runs / 2, a.end());
    std::nth_element(b.begin(), b.begin() + runs / 2, b.end());
    return {a[runs / 2], b[runs / 2]};
}

// bench: <name> <median> <unit> baseline <median> <unit> ratio <r>
inline void PrintBench(const char* name, double value, double baseline, const char* unit) {
    std::printf("bench: %s %.3f %s baseline %.3f %s ratio %.2f\n", name, value, unit, baseline, unit,
                baseline > 0 ? value / baseline : 0.0);
    std::fflush(stdout);
}
