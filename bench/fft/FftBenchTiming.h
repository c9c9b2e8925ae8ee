#pragma once
// Timing and input of the FFT benchmarks, so that both sides measure alike.
#include <chrono>

// Nanoseconds per call, from repeated runs of at least 20 ms each, best of three.
template <typename F>
double TimePerCall(F call)
{
    using Clock = std::chrono::steady_clock;
    int reps = 1;
    double best = 1e30;
    for (int round = 0; round < 3;) {
        const auto start = Clock::now();
        for (int i = 0; i < reps; ++i)
            call();
        const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
        if (ns < 2e7) {
            reps *= 2;
            continue;
        }
        best = ns / reps < best ? ns / reps : best;
        ++round;
    }
    return best;
}

// The benchmark input: a fixed pattern in [-1, 1).
inline void FillBenchSignal(float* x, int n)
{
    for (int i = 0; i < n; ++i)
        x[i] = float((i * 7919) % 1000) / 500.0f - 1.0f;
}
