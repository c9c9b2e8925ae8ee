// Sample conversions: SSE3 variant (the SSE2 kernels, built for SSE3).
#include <emmintrin.h>
#include <pmmintrin.h>

#include <cstdint>

#include "signal/DspAlign.h"
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspConvert.h"

namespace dsp {
namespace sse3 {
namespace {

#include "signal/DspConvertKernels.inl"

} // namespace

#include "signal/DspConvertEntries.inl"

} // namespace sse3
} // namespace dsp
