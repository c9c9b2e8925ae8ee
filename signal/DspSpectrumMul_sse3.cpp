// Spectrum multiplies: SSE3 variant (duplicated parts and one alternating subtract-add).
#include <xmmintrin.h>
#include <pmmintrin.h>

#include <cstdint>

#include "signal/DspAlign.h"
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse3 {
namespace {

#include "signal/DspSpectrumMulKernels.inl"

const PairTuning PermPairs = {4, 4, 0, 0x7FFFFFFF, StoresOrdinary, 0};
const PairTuning ComplexPairs = {5, 4, 0, 0x7FFFFFFF, StoresStreamWhenAllAligned, 10922};
const PairTuning ComplexPairsInPlace = {5, 4, 0, 0x7FFFFFFF, StoresOrdinary, 0};

} // namespace

#include "signal/DspSpectrumMulEntries.inl"

} // namespace sse3
} // namespace dsp
