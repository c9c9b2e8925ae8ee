#pragma once
#include "signal/fft/RealFftSpec.h"

// Large-order step of the generic engine (complex order c >= 11): 2^c points in bit-reversed
// order in place to their transform in natural order, scaled inside by the direction's flag.
namespace dsp::generic {

void FftFwdLarge(const RealFftSpec* spec, float* x, int c, float* work);
void FftInvLarge(const RealFftSpec* spec, float* x, int c, float* work);

// Joins total/sub transformed blocks of sub points into one transform of total points with
// radix-2 stages; forward 0 conjugates the quarter twiddles of order log2(total).
void FftRadix2Combine(float* x, int total, int sub, const float* quarter, int forward, int chunkPoints);

} // namespace dsp::generic
