#include "analysis/BiquadKernel.h"

namespace biquad_sse2 {
#include "analysis/BiquadKernel.inl"
}

void BiquadRunSse2(const BiquadBlock& block, const float* input, float* output, int count)
{
    biquad_sse2::Run(block, input, output, count);
}
