// Spectrum multiplies: SSE2 variant (its Pack bodies serve SSE3 too).
#include <xmmintrin.h>
#include <emmintrin.h>

#include <cstdint>

#include "signal/DspAlign.h"
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse2 {
namespace {

#include "signal/DspSpectrumMulKernels.inl"

const PairTuning PermPairs = {4, 4, 0, 0x7FFFFFFF, StoresOrdinary, 0};
const PairTuning ComplexPairs = {5, 4, 0, 0x7FFFFFFF, StoresOrdinary, 0};
const PairTuning ComplexPairsInPlace = {3, 2, 64, 65536, StoresOrdinary, 0};
const PairTuning PackPairs = {4, 4, 0, 0x7FFFFFFF, StoresOrdinary, 0};

} // namespace

#include "signal/DspSpectrumMulEntries.inl"

} // namespace sse2
} // namespace dsp
