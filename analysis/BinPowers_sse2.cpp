#include "analysis/BinPowers.h"
#include <emmintrin.h>

void BinPowersSse2(const float* spectrum, float* powers, int bins, float scale)
{
    const __m128d s = _mm_set1_pd(scale);
    int k = 0;
    for (; k + 2 <= bins; k += 2) {
        // Bins k and k + 1: (re, im) pairs widened to double.
        const __m128 pair = _mm_loadu_ps(spectrum + 2 * k);
        const __m128d a = _mm_cvtps_pd(pair);
        const __m128d b = _mm_cvtps_pd(_mm_movehl_ps(pair, pair));
        const __m128d re = _mm_unpacklo_pd(a, b), im = _mm_unpackhi_pd(a, b);
        const __m128d p = _mm_mul_pd(_mm_add_pd(_mm_mul_pd(re, re), _mm_mul_pd(im, im)), s);
        _mm_storel_pi(reinterpret_cast<__m64*>(powers + k), _mm_cvtpd_ps(p));
    }
    for (; k < bins; ++k) {
        const double re = spectrum[2 * k], im = spectrum[2 * k + 1];
        powers[k] = static_cast<float>((re * re + im * im) * scale);
    }
}
