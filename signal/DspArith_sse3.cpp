// Element-wise arithmetic: SSE3 variant (Mul and Add run the SSE2 bodies).
#include <emmintrin.h>
#include <pmmintrin.h>

#include <cstdint>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse3 {
namespace {

#include "signal/DspArithKernels.inl"

void ScaleFloats(float* x, float c, int len)
{
    ScaleKernel(x, c, len, 262144);
}

void ScaleDoubles(double* x, double c, int len)
{
    ScaleKernel64(x, c, len, 131072);
}

} // namespace

#include "signal/DspArithEntries.inl"

} // namespace sse3
} // namespace dsp
