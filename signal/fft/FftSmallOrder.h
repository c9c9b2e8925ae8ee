#pragma once

// Fixed kernels of orders 0..3 (N = 1..8): forward into Perm layout, inverse from Perm layout.
// The scale multiplies the first sums and differences; 1 leaves them unscaled. src may be dst.
namespace dsp::generic {

void FftSmallFwd(int order, const float* src, float* dst, float scale);
void FftSmallInv(int order, const float* src, float* dst, float scale);

} // namespace dsp::generic
