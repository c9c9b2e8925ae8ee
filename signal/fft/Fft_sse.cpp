// The SSE variant of the real FFT: fused kernel up to complex order 9, radix-4 at 10, above
// that the halving step (11, 12) or the four-column recursive step.
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

namespace dsp::sse {

namespace {

constexpr int kFusedMax = 9;
constexpr int kRadix4Max = 10;
constexpr int kLeafOrder = 10;
constexpr int kLeafPoints = 1 << kLeafOrder;

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
    5,
    6,
    // c = 15..29
    7,
    8,
    8,
    8,
    10,
    10,
    10,
    10,
    8,
    8,
    10,
    10,
    10,
    10,
    10,
};

const simd::FftSimdConfig kConfig = {VariantSse, kRadix4Max, 9, 8208, kSplit, nullptr};

#include "signal/fft/FftSimdVector.inl"
#include "signal/fft/FftSimdPasses.inl"
#include "signal/fft/FftSimdRecombine.inl"
#include "signal/fft/FftSimdLargeSse.inl"
#include "signal/fft/FftSimdTransforms.inl"
#include "signal/fft/FftFlows.inl"

} // namespace

#include "signal/fft/FftSimdBodies.inl"

} // namespace dsp::sse
