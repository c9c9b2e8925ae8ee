// The SSE2 variant of the real FFT: fused kernel up to complex order 14, radix-4 at 15,
// above that the recursive step over column blocks.
#include <xmmintrin.h>
#include <cstdint>
#include <utility>
#include "signal/DspBodies.h"
#include "signal/fft/FftBitRev.h"
#include "signal/fft/FftLayout.h"
#include "signal/fft/FftOwner.h"
#include "signal/fft/FftSimdPlan.h"
#include "signal/fft/FftSmallOrder.h"
#include "signal/fft/FftSpec.h"
#include "signal/fft/FftWorkBuffer.h"

namespace dsp::sse2 {

namespace {

constexpr int kFusedMax = 14;
constexpr int kRadix4Max = 15;

const signed char kSplit[30] = {
    // c = 0..14
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    // c = 15..29
    0,
    4,
    4,
    4,
    5,
    6,
    6,
    8,
    8,
    8,
    8,
    8,
    8,
    8,
    8,
};

const signed char kBlockOrder[30] = {
    // c = 0..14
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    // c = 15..29
    0,
    9,
    10,
    10,
    13,
    13,
    13,
    14,
    14,
    14,
    14,
    14,
    14,
    14,
    14,
};

const simd::FftSimdConfig kConfig = {VariantSse2, kRadix4Max, 29, 262160, kSplit, kBlockOrder};

#include "signal/fft/FftSimdVector.inl"
#include "signal/fft/FftSimdPasses.inl"
#include "signal/fft/FftSimdRecombine.inl"
#include "signal/fft/FftSimdLargeColumns.inl"
#include "signal/fft/FftSimdTransforms.inl"
#include "signal/fft/FftFlows.inl"

} // namespace

#include "signal/fft/FftSimdBodies.inl"

} // namespace dsp::sse2
