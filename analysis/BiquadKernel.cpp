#include "analysis/BiquadKernel.h"

namespace biquad_generic {
#include "analysis/BiquadKernel.inl"
}

void BiquadRunGeneric(const BiquadBlock& block, const float* input, float* output, int count)
{
    biquad_generic::Run(block, input, output, count);
}
