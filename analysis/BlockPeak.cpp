#include "analysis/BlockPeak.h"

BlockPeak BlockPeakGeneric(const int32_t* samples, int count, int32_t low, int32_t high)
{
    BlockPeak result = {0, false};
    for (int i = 0; i < count; ++i) {
        const int32_t x = samples[i];
        const uint32_t magnitude = x < 0 ? 0u - static_cast<uint32_t>(x) : static_cast<uint32_t>(x);
        if (magnitude > result.peak)
            result.peak = magnitude;
        if (x < low || x > high)
            result.outside = true;
    }
    return result;
}
