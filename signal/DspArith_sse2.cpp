// Element-wise arithmetic: SSE2 variant (its Mul and Add bodies serve SSE3 too).
#include <emmintrin.h>

#include <cstdint>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse2 {
namespace {

#include "signal/DspArithKernels.inl"

void ScaleFloats(float* x, float c, int len)
{
    ScaleKernel(x, c, len, 131072);
}

void ScaleDoubles(double* x, double c, int len)
{
    ScaleKernel64(x, c, len, 65536);
}

} // namespace

#include "signal/DspArithEntries.inl"

} // namespace sse2
} // namespace dsp
