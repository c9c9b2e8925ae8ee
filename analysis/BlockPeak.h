#pragma once
#include <cstdint>

// Largest magnitude in a block of samples (that of INT32_MIN is 2^31) and
// whether any sample lies outside low .. high; one body per processor variant
// (BlockPeak.cpp plain code, BlockPeak_sse2.cpp SSE2), with the same results.
struct BlockPeak {
    uint32_t peak;
    bool outside;
};

BlockPeak BlockPeakGeneric(const int32_t* samples, int count, int32_t low, int32_t high);
BlockPeak BlockPeakSse2(const int32_t* samples, int count, int32_t low, int32_t high);
