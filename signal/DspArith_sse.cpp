// Element-wise arithmetic: SSE variant.
#include <xmmintrin.h>

#include <cstdint>

#include "signal/DspAlign.h"
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse {
namespace {

const int ScalePrefetchFloats = 131072;

#include "signal/DspArithKernels.inl"

} // namespace

#include "signal/DspArithEntries.inl"

} // namespace sse
} // namespace dsp
