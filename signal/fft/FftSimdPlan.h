#pragma once
#include "signal/fft/RealFftSpec.h"

// Plans and tables of the SSE, SSE2 and SSE3 set-ups, which differ only in their limits and
// in the structure of the large-order step.
namespace dsp::simd {

struct FftSimdConfig {
    int variant;
    int radix4Max;                 // small plan up to this complex order
    int indexFormMax;              // index-form bit reversal up to this order, swap list above
    int largeExtraBytes;           // work added by the large plan
    const signed char* split;      // per complex order: order of the column transforms
    const signed char* blockOrder; // per complex order: points per column block (SSE2, SSE3)
};

int FftBuildPlan(RealFftSpec* spec, const float* sine, const FftSimdConfig& config);

} // namespace dsp::simd
