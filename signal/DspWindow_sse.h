#pragma once
// The Blackman kernel of the SSE variant, which the SSE2 and SSE3 variants share.

namespace dsp {
namespace sse {

// x has len >= 4 floats; weights N/2 pairs, then sets both ends to +0.0.
void BlackmanAlphaKernel(float* x, int len, float alpha);

} // namespace sse
} // namespace dsp
