#pragma once
// Timing helpers of the library benchmark.
#include "bench/BenchClock.h"
#include "bench/BenchMedian.h"

// Calls per second of op: the median of kBenchRuns runs of a batch lasting about
// seconds / kBenchRuns.
template <class Op>
double CallsPerSecond(Op op, double seconds)
{
    const auto run = [&op](long long reps) {
        const double start = BenchNow();
        for (long long i = 0; i < reps; ++i)
            op();
        return BenchNow() - start;
    };
    long long reps = 1;
    while (run(reps) < seconds / kBenchRuns)
        reps *= 2;
    return MedianOfRuns([&] { return double(reps) / run(reps); });
}

void RunVectorBench();
