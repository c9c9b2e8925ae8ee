#pragma once

// Real recombination between the half-size complex FFT and the real spectrum (n complex points).
namespace dsp::generic {

// x holds Z (point 0 already replaced by (X[0], X[N/2])); afterwards X[1..n-1], Perm layout.
void FftFwdRecombine(float* x, int n, const float* table);

// Pairs k, n-k for k = 1..n/2-1 and the middle point of a Perm-ordered half spectrum into
// twice the spectrum of z[m] = x[2m] + i x[2m+1]; dst points 0 are the caller's. src may be dst.
void FftInvPreRecombine(const float* src, float* dst, int n, const float* table);

} // namespace dsp::generic
