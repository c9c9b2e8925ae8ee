// Window functions on floats: SSE2 variant (two interleaved recurrences on pairs of doubles).
#include "signal/DspWindow_sse2.h"

#include <emmintrin.h>

#include <cmath>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspWindow.h"
#include "signal/DspWindow_sse.h"

namespace dsp {
namespace sse2 {
namespace {

void WeighPair(const float* src, float* dst, int len, int k, float w)
{
    dst[k] = _mm_cvtss_f32(_mm_mul_ss(_mm_set_ss(src[k]), _mm_set_ss(w)));
    dst[len - 1 - k] = _mm_cvtss_f32(_mm_mul_ss(_mm_set_ss(src[len - 1 - k]), _mm_set_ss(w)));
}

using sse::BlackmanAlphaKernel;

} // namespace

// y_k = 0.46 cos(k theta) two at a time: y_(k+2) = 2 cos(2 theta) y_k - y_(k-2).
void HammingKernel(const float* src, float* dst, int len)
{
    int pairs = len / 2;
    double c = std::cos(WindowTwoPi / (len - 1));
    double y0 = 0.46, y1 = 0.46 * c;
    double y2 = 2.0 * c * y1 - y0, y3 = 2.0 * c * y2 - y1;
    __m128d older = _mm_set_pd(y1, y0), newer = _mm_set_pd(y3, y2);
    const __m128d step = _mm_set1_pd(2.0 * (2.0 * c * c - 1.0));
    const __m128d a = _mm_set1_pd(0.54);
    int k = 0;
    for (; k + 2 <= pairs; k += 2) {
        __m128 w = _mm_cvtpd_ps(_mm_sub_pd(a, older));
        float wf[4];
        _mm_storeu_ps(wf, w);
        WeighPair(src, dst, len, k, wf[0]);
        WeighPair(src, dst, len, k + 1, wf[1]);
        __m128d next = _mm_sub_pd(_mm_mul_pd(step, newer), older);
        older = newer;
        newer = next;
    }
    if (k < pairs)
        WeighPair(src, dst, len, k, float(0.54 - _mm_cvtsd_f64(older)));
}

#include "signal/DspWindowEntries.inl"

} // namespace sse2
} // namespace dsp
