#include "analysis/BlockPeak.h"
#include <emmintrin.h>

BlockPeak BlockPeakSse2(const int32_t* samples, int count, int32_t low, int32_t high)
{
    // Unsigned comparisons as signed ones on values with the top bit flipped.
    const __m128i bias = _mm_set1_epi32(INT32_MIN);
    const __m128i below = _mm_set1_epi32(low), above = _mm_set1_epi32(high);
    __m128i peak = bias, outside = _mm_setzero_si128();
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + i));
        const __m128i sign = _mm_srai_epi32(x, 31);
        const __m128i magnitude = _mm_xor_si128(_mm_sub_epi32(_mm_xor_si128(x, sign), sign), bias);
        const __m128i larger = _mm_cmpgt_epi32(magnitude, peak);
        peak = _mm_or_si128(_mm_and_si128(larger, magnitude), _mm_andnot_si128(larger, peak));
        outside = _mm_or_si128(outside, _mm_or_si128(_mm_cmplt_epi32(x, below), _mm_cmpgt_epi32(x, above)));
    }
    alignas(16) uint32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), peak);
    BlockPeak result = BlockPeakGeneric(samples + i, count - i, low, high);
    for (uint32_t lane : lanes) {
        if ((lane ^ 0x80000000u) > result.peak)
            result.peak = lane ^ 0x80000000u;
    }
    result.outside = result.outside || _mm_movemask_epi8(outside) != 0;
    return result;
}
