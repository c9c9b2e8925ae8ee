#pragma once
// Timing helpers of the library benchmark.
#include "bench/BenchClock.h"

// Runs op in growing batches for about `seconds`; returns calls per second.
template <class Op>
double CallsPerSecond(Op op, double seconds)
{
    long long reps = 0, batch = 1;
    double start = BenchNow(), elapsed = 0;
    do {
        for (long long i = 0; i < batch; ++i)
            op();
        reps += batch;
        batch *= 2;
        elapsed = BenchNow() - start;
    } while (elapsed < seconds);
    return double(reps) / elapsed;
}

void RunVectorBench();
