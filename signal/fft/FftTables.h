#pragma once
#include <cstdint>

// Table builders of the generic set-up. Each returns a new library block or null. A table of
// order t reads the sine table of order sineOrder with the stride 2^(sineOrder - t).
namespace dsp::generic {

// W_L^p = exp(-2 pi i p / L), 0 <= p < L, as (re, im) folded from the sine table read with
// stride st (values copied or negated, no trigonometry of their own).
void FftTwiddle(const float* sine, uint32_t st, uint32_t L, uint32_t p, float* out);
uint32_t FftReverseBits(uint32_t v, int bits);

void* FftAllocBlock(uint64_t bytes);
float* FftAllocFloats(uint64_t count);
float* FftInitSineTable(int order);
int32_t* FftInitBitRevTable(int c);
float* FftInitRadix4Twiddles(const float* sine, int sineOrder, int t);
float* FftInitQuarterTwiddles(const float* sine, int sineOrder, int t);
// The recombination pair of k for N = 4q, from the sine table of order log2 N: forward
// (0.5 cos, 0.5 - 0.5 sin) of 2 pi k/N, inverse W_N^k.
void FftRecombPair(const float* sine, uint32_t q, uint32_t k, bool inverse, float* out);
float* FftInitRecombFwd(int order, const float* sine);
float* FftInitRecombInv(int order, const float* sine);
float* FftInitLevelMatrix(const float* sine, int sineOrder, int c, int r);

} // namespace dsp::generic
