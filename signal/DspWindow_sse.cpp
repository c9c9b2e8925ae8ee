// Window functions on floats: SSE variant (three-term cosine recurrences).
#include "signal/DspWindow_sse.h"

#include <xmmintrin.h>

#include <cmath>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspWindow.h"

namespace dsp {
namespace sse {
namespace {

// Up to this many pairs the weights are applied in single precision.
const int SinglePrecisionPairs = 512;

// y_k = scale * cos(2*pi*k/(N-1)) by y_(k+1) = 2c * y_k - y_(k-1).
struct CosineRecurrence {
    CosineRecurrence(int n, double scale)
        : twoC(2.0 * std::cos(WindowTwoPi / (n - 1))), y(scale), previous(scale * twoC * 0.5)
    {}
    double Next()
    {
        double current = y;
        double next = twoC * y - previous;
        previous = y;
        y = next;
        return current;
    }
    double twoC, y, previous;
};

// Four pairs: the front four from `front`, the mirrored four ending at `back`.
void WeighFour(const float* srcFront, const float* srcBack, float* dstFront, float* dstBack, __m128 w)
{
    __m128 wBack = _mm_shuffle_ps(w, w, _MM_SHUFFLE(0, 1, 2, 3));
    _mm_storeu_ps(dstFront, _mm_mul_ps(_mm_loadu_ps(srcFront), w));
    _mm_storeu_ps(dstBack, _mm_mul_ps(_mm_loadu_ps(srcBack), wBack));
}

void HammingKernel(const float* src, float* dst, int len)
{
    int pairs = len / 2;
    if (pairs > SinglePrecisionPairs) {
        CosineRecurrence y(len, 0.46);
        for (int k = 0; k < pairs; ++k) {
            double w = 0.54 - y.Next();
            dst[k] = float(src[k] * w);
            dst[len - 1 - k] = float(src[len - 1 - k] * w);
        }
        return;
    }
    CosineRecurrence y(len, double(0.46f));
    const float a = 0.54f;
    int k = 0;
    for (; k + 4 <= pairs; k += 4) {
        float yf[4];
        for (int j = 0; j < 4; ++j)
            yf[j] = float(y.Next());
        __m128 w = _mm_sub_ps(_mm_set1_ps(a), _mm_loadu_ps(yf));
        WeighFour(src + k, src + len - 4 - k, dst + k, dst + len - 4 - k, w);
    }
    for (; k < pairs; ++k) {
        double w = double(a) - double(float(y.Next()));
        dst[k] = float(src[k] * w);
        dst[len - 1 - k] = float(src[len - 1 - k] * w);
    }
}

void WeighBlackmanPair(float* x, int len, int k, double al, double yk)
{
    double w = (al + 0.5) - yk - 4.0 * al * yk * yk;
    x[k] = float(x[k] * w);
    x[len - 1 - k] = float(x[len - 1 - k] * w);
}

void BlackmanSinglePrecision(float* x, int len, double al, CosineRecurrence& y)
{
    int pairs = len / 2;
    const __m128 quad = _mm_set1_ps(float(-4.0 * al));
    const __m128 lin = _mm_set1_ps(float(al + 0.5));
    int k = 0;
    for (; k + 4 <= pairs; k += 4) {
        float yf[4];
        for (int j = 0; j < 4; ++j)
            yf[j] = float(y.Next());
        __m128 v = _mm_loadu_ps(yf);
        __m128 w = _mm_add_ps(_mm_mul_ps(_mm_mul_ps(v, v), quad), _mm_sub_ps(lin, v));
        WeighFour(x + k, x + len - 4 - k, x + k, x + len - 4 - k, w);
    }
    for (; k < pairs; ++k)
        WeighBlackmanPair(x, len, k, al, float(y.Next()));
}

} // namespace

void BlackmanAlphaKernel(float* x, int len, float alpha)
{
    int pairs = len / 2;
    double al = alpha;
    CosineRecurrence y(len, 0.5);
    if (pairs <= SinglePrecisionPairs) {
        BlackmanSinglePrecision(x, len, al, y);
    } else {
        for (int k = 0; k < pairs; ++k)
            WeighBlackmanPair(x, len, k, al, y.Next());
    }
    x[0] = 0.0f;
    x[len - 1] = 0.0f;
}

#include "signal/DspWindowEntries.inl"

} // namespace sse
} // namespace dsp
