#pragma once

// Radix-4 complex FFT of n = 2^t points (3 <= t <= 10) held in bit-reversed order, in place,
// unscaled, natural-order result. twiddles: the radix-4 table of order t.
namespace dsp::generic {

void FftFwdRadix4(float* x, int n, const float* twiddles); // kernel e^(-2 pi i jk/n)
void FftInvRadix4(float* x, int n, const float* twiddles); // kernel e^(+2 pi i jk/n)
void FftScale(float scale, float* x, int count);

} // namespace dsp::generic
