#pragma once
#include <cstdint>

// Bit-reversal permutation of n = 2^c complex points (c >= 3) from the swap-list table.
namespace dsp::generic {

void FftBitRevCopy(const float* src, float* dst, int n, const int32_t* table);
void FftBitRevInPlace(float* x, int n, const int32_t* table);

} // namespace dsp::generic
