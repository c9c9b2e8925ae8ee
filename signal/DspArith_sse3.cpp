// Element-wise arithmetic: SSE3 variant (Mul and Add run the SSE2 bodies).
#include <emmintrin.h>
#include <pmmintrin.h>

#include <cstdint>

#include "signal/DspAlign.h"
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse3 {
namespace {

const int ScalePrefetchFloats = 262144;
const int ScalePrefetchDoubles = 131072;

#include "signal/DspArithKernels.inl"

} // namespace

#include "signal/DspArithEntries.inl"

} // namespace sse3
} // namespace dsp
