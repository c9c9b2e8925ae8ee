// Element-wise arithmetic: SSE2 variant (its Mul and Add bodies serve SSE3 too).
#include <emmintrin.h>

#include <cstdint>

#include "signal/DspAlign.h"
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse2 {
namespace {

const int ScalePrefetchFloats = 131072;
const int ScalePrefetchDoubles = 65536;

#include "signal/DspArithKernels.inl"

} // namespace

#include "signal/DspArithEntries.inl"

} // namespace sse2
} // namespace dsp
