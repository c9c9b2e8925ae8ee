// Element-wise arithmetic: SSE variant.
#include <xmmintrin.h>

#include <cstdint>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"

namespace dsp {
namespace sse {
namespace {

#include "signal/DspArithKernels.inl"

void ScaleFloats(float* x, float c, int len)
{
    ScaleKernel(x, c, len, 131072);
}

// Doubles are scaled by the x87 unit.
void ScaleDoubles(double* x, double c, int len)
{
    for (int i = 0; i < len; ++i)
        x[i] = x[i] * c;
}

} // namespace

#include "signal/DspArithEntries.inl"

} // namespace sse
} // namespace dsp
