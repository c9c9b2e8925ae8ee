#pragma once
// The Hamming kernel of the SSE2 variant, which the SSE3 variant shares.

namespace dsp {
namespace sse2 {

// Weighs N/2 pairs of src into dst (len >= 3); an odd-length centre is left to the caller.
void HammingKernel(const float* src, float* dst, int len);

} // namespace sse2
} // namespace dsp
