// Private windows and tone generator of the FIR designs: SSE2 variant
// (ramps and cosine recurrences two lanes at a time), shared by SSE3.
#include <emmintrin.h>

#include <cmath>
#include <cstdint>

#include "signal/DspBodies.h"
#include "signal/DspFirWindows.h"

namespace dsp {
namespace sse2 {
namespace {

// Up to this many pairs the Blackman recurrence runs on pairs of doubles.
const int PairedBlackmanPairs = 512;

void WeighBoth(double* x, int n, int k, double w)
{
    x[k] *= w;
    x[n - 1 - k] *= w;
}

// y_k = scale * cos(k theta) two lanes at a time: (y_k, y_(k+1)), advanced by
// y_(k+2) = 2 cos(2 theta) y_k - y_(k-2) from seeds y_0 .. y_3.
class PairedCosine {
public:
    PairedCosine(int n, double scale)
    {
        double c = std::cos(FirTwoPi / (n - 1));
        double y1 = scale * c, y2 = 2.0 * c * y1 - scale, y3 = 2.0 * c * y2 - y1;
        m_older = _mm_set_pd(y1, scale);
        m_newer = _mm_set_pd(y3, y2);
        m_step = _mm_set1_pd(2.0 * (2.0 * c * c - 1.0));
    }
    __m128d Current() const { return m_older; }
    void Advance()
    {
        __m128d next = _mm_sub_pd(_mm_mul_pd(m_step, m_newer), m_older);
        m_older = m_newer;
        m_newer = next;
    }

private:
    __m128d m_older, m_newer, m_step;
};

template <class Weight>
void WeighPairs(double* x, int n, double scale, Weight weight)
{
    int pairs = n / 2;
    PairedCosine y(n, scale);
    int k = 0;
    for (; k + 2 <= pairs; k += 2, y.Advance()) {
        double w[2];
        _mm_storeu_pd(w, weight(y.Current()));
        WeighBoth(x, n, k, w[0]);
        WeighBoth(x, n, k + 1, w[1]);
    }
    if (k < pairs)
        WeighBoth(x, n, k, _mm_cvtsd_f64(weight(y.Current())));
}

LibStatus RaisedCosine(double* x, int n, double a, double b)
{
    LibStatus st = CheckWindowArguments(x, n);
    if (st != StatusOk)
        return st;
    const __m128d va = _mm_set1_pd(a);
    WeighPairs(x, n, b, [&](__m128d y) { return _mm_sub_pd(va, y); });
    return StatusOk;
}

const int ToneBlock = 2048;

// dst[n] = K4 dst[n-4] - dst[n-8] for n = from .. count-1, two at a time once dst + n is aligned.
void ToneCosStep4Kernel_64f(double* dst, int from, int count, double k4)
{
    int n = from;
    if (n < count && (reinterpret_cast<std::uintptr_t>(dst + n) & 15)) {
        dst[n] = k4 * dst[n - 4] - dst[n - 8];
        ++n;
    }
    const __m128d vk = _mm_set1_pd(k4);
    for (; n + 2 <= count; n += 2) {
        __m128d four = _mm_loadu_pd(dst + n - 4), eight = _mm_loadu_pd(dst + n - 8);
        _mm_store_pd(dst + n, _mm_sub_pd(_mm_mul_pd(vk, four), eight));
    }
    for (; n < count; ++n)
        dst[n] = k4 * dst[n - 4] - dst[n - 8];
}

// count samples of the tone starting at sample `first`.
void ToneCosBlock_64f(double* dst, int count, int first, double magn, double rFreq, double phase)
{
    double step = FirTwoPi * rFreq;
    dst[0] = magn * std::cos(step * first + phase);
    if (count > 1)
        dst[1] = magn * std::cos(step * (first + 1) + phase);
    double c = 2.0 * std::cos(step);
    for (int n = 2; n < count && n < 8; ++n)
        dst[n] = c * dst[n - 1] - dst[n - 2];
    double c2 = c * c;
    ToneCosStep4Kernel_64f(dst, 8, count, c2 * (c2 - 4.0) + 2.0);
}

} // namespace

// Hint 1: blocks of 2048 samples, each restarted from two direct cosines.
LibStatus ToneCos_64f(double* pDst, int len, double magn, double rFreq, double* pPhase, int hint)
{
    if (hint != 1)
        return generic::ToneCos_64f(pDst, len, magn, rFreq, pPhase, hint);
    LibStatus st = CheckToneArguments(pDst, len, magn, rFreq, pPhase);
    if (st != StatusOk)
        return st;
    double phase = *pPhase;
    AdvanceTonePhase(pPhase, len, rFreq);
    for (int start = 0; start < len; start += ToneBlock) {
        int count = len - start < ToneBlock ? len - start : ToneBlock;
        ToneCosBlock_64f(pDst + start, count, start, magn, rFreq, phase);
    }
    return StatusOk;
}

// Two ramp lanes (k step, (k+1) step); the ends are multiplied by 0.
LibStatus WinBartlett_64f_I(double* pSrcDst, int len)
{
    if (len == 3)
        return generic::WinBartlett_64f_I(pSrcDst, len);
    LibStatus st = CheckWindowArguments(pSrcDst, len);
    if (st != StatusOk)
        return st;
    double step = 2.0 / (len - 1);
    __m128d ramp = _mm_set_pd(step, 0.0);
    const __m128d advance = _mm_set1_pd(2.0 * step);
    int half = len / 2, k = 0;
    for (; k + 2 <= half; k += 2, ramp = _mm_add_pd(ramp, advance)) {
        double w[2];
        _mm_storeu_pd(w, ramp);
        WeighBoth(pSrcDst, len, k, w[0]);
        WeighBoth(pSrcDst, len, k + 1, w[1]);
    }
    if (k < half)
        WeighBoth(pSrcDst, len, k, _mm_cvtsd_f64(ramp));
    return StatusOk;
}

LibStatus WinHamming_64f_I(double* pSrcDst, int len)
{
    return RaisedCosine(pSrcDst, len, 0.54, 0.46);
}

LibStatus WinHann_64f_I(double* pSrcDst, int len)
{
    return RaisedCosine(pSrcDst, len, 0.5, 0.5);
}

// w_k = ((alpha + 0.5) - y_k) + y_k^2 (-4 alpha), y_k = 0.5 cos(theta_k).
LibStatus WinBlackmanAlpha_64f_I(double* pSrcDst, int len, double alpha)
{
    if (len == 3)
        return generic::WinBlackmanAlpha_64f_I(pSrcDst, len, alpha);
    LibStatus st = CheckWindowArguments(pSrcDst, len);
    if (st != StatusOk)
        return st;
    double lin = alpha + 0.5, quad = -4.0 * alpha;
    if (len / 2 > PairedBlackmanPairs) {
        double twoC = 2.0 * std::cos(FirTwoPi / (len - 1));
        double previous = 0.5 * twoC * 0.5, y = 0.5;
        for (int k = 0; k < len / 2; ++k) {
            WeighBoth(pSrcDst, len, k, (lin - y) + y * y * quad);
            double next = twoC * y - previous;
            previous = y;
            y = next;
        }
        return StatusOk;
    }
    const __m128d vl = _mm_set1_pd(lin), vq = _mm_set1_pd(quad);
    WeighPairs(pSrcDst, len, 0.5,
               [&](__m128d y) { return _mm_add_pd(_mm_sub_pd(vl, y), _mm_mul_pd(_mm_mul_pd(y, y), vq)); });
    return StatusOk;
}

LibStatus WinBlackmanFir_64f_I(double* pSrcDst, int len)
{
    if (len < 4)
        return StatusSizeError;
    double q = 0.5 / std::cos(FirPi / (len - 1));
    return WinBlackmanAlpha_64f_I(pSrcDst, len, q * -q);
}

} // namespace sse2
} // namespace dsp
