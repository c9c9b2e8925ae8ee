// Sample conversions: SSE2 variant.
#include <emmintrin.h>

#include <cstdint>

#include "signal/DspAlign.h"
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspConvert.h"

namespace dsp {
namespace sse2 {
namespace {

#include "signal/DspConvertKernels.inl"

} // namespace

#include "signal/DspConvertEntries.inl"

} // namespace sse2
} // namespace dsp
