// Spectrum multiplies: SSE variant (shuffles and a sign mask).
#include <xmmintrin.h>

#include <cstdint>

#include "signal/DspAlign.h"
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse {
namespace {

#include "signal/DspSpectrumMulKernels.inl"

const PairTuning PermPairs = {4, 4, 64, 0x7FFFFFFF, StoresOrdinary, 0};
const PairTuning ComplexPairs = {5, 4, 32, 65536, StoresStreamWhenDstAligned, 0};
const PairTuning ComplexPairsInPlace = {3, 2, 64, 65536, StoresOrdinary, 0};
const PairTuning PackPairs = {4, 4, 64, 0x7FFFFFFF, StoresOrdinary, 0};

} // namespace

#include "signal/DspSpectrumMulEntries.inl"

} // namespace sse
} // namespace dsp
