#pragma once
// Timing and input of the FFT benchmarks, so that both sides measure alike.
#include "bench/BenchMedian.h"
#include <chrono>

// Nanoseconds per call over reps calls.
template <typename F>
double NsPerCall(F call, long reps)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (long i = 0; i < reps; ++i)
        call();
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / double(reps);
}

// The number of calls that takes at least ns nanoseconds.
template <typename F>
long RepsFor(F call, double ns)
{
    long reps = 1;
    while (NsPerCall(call, reps) * double(reps) < ns)
        reps *= 2;
    return reps;
}

// Nanoseconds per call: the median of kBenchRuns runs of at least 10 ms each.
template <typename F>
double TimePerCall(F call)
{
    const long reps = RepsFor(call, 1e7);
    return MedianOfRuns([&] { return NsPerCall(call, reps); });
}

// The benchmark input: a fixed pattern in [-1, 1).
inline void FillBenchSignal(float* x, int n)
{
    for (int i = 0; i < n; ++i)
        x[i] = float((i * 7919) % 1000) / 500.0f - 1.0f;
}
