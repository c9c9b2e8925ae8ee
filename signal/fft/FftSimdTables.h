#pragma once
#include <cstdint>

// Table builders of the SSE, SSE2 and SSE3 set-ups. Groups of four complex values are stored
// as four real parts followed by four imaginary parts. Each returns a library block or null.
namespace dsp::simd {

// Index form: word 0 = 0, word i = 2 * rev(i) over c - 2 bits, a final 0.
int32_t* FftInitBitRevIndex(int c);

// One section per radix-4 stage of order u = (t mod 2) + 4, u + 2, ..., t; per four k:
// W^k, W^2k, W^3k of the stage as four real then four imaginary parts each.
float* FftInitRadix4Twiddles(const float* sine, int sineOrder, int t);

// One section per order v = t down to 11: W_(2^v)^k, k < 2^v / 4, in groups of four.
float* FftInitQuarterTwiddlesSse(const float* sine, int sineOrder, int t);

// k = 1..N/4 in groups of four: forward (0.5 cos, 0.5 - 0.5 sin), inverse W_N^k.
float* FftInitRecombFwd(int order, const float* sine);
float* FftInitRecombInv(int order, const float* sine);

// The generic level matrix with every four values regrouped (SSE).
float* FftInitLevelMatrixSse(const float* sine, int sineOrder, int c, int r);

// Column-stage twiddles of a level 2^c = 2^m * 2^r, in blocks of 2^(b - r) columns (SSE2, SSE3).
float* FftInitLevelMatrixColumns(const float* sine, int sineOrder, int c, int r, int b);

} // namespace dsp::simd
