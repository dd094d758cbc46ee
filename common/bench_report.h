// Benchmark helpers: time a step and its baseline in turns, and print the medians side by side.
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

// The median of the values; `values` is reordered.
inline double Median(std::vector<double>& values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Milliseconds one run of `step` takes.
template <typename F>
double Milliseconds(F&& step) {
    double start = BenchNow();
    step();
    return (BenchNow() - start) * 1000.0;
}

// Medians of `ours` and `baseline` run in turns, so that changes in the machine's load (it is
// shared) fall on both alike.
template <typename F, typename G>
std::pair<double, double> MediansInTurns(int runs, F&& ours, G&& baseline) {
    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(Milliseconds(ours));
        b.push_back(Milliseconds(baseline));
    }
    return {Median(a), Median(b)};
}

// bench: <name> <median> <unit> baseline <median> <unit> ratio <r>
inline void PrintBench(const char* name, double value, double baseline, const char* unit) {
    std::printf("bench: %s %.3f %s baseline %.3f %s ratio %.2f\n", name, value, unit, baseline, unit,
                baseline > 0 ? value / baseline : 0.0);
    std::fflush(stdout);
}
