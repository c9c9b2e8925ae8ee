#include "analysis/BiquadKernel.h"
#include <emmintrin.h>

namespace biquad_sse2 {
#include "analysis/BiquadKernel.inl"

const int kPairHistory = 2 * kBiquadPairMaxSections + 2;

// Lane 0 from a, lane 1 from b.
void Interleave(const double* a, const double* b, double* out, int count)
{
    for (int j = 0; j < count; ++j) {
        out[2 * j] = a[j];
        out[2 * j + 1] = b[j];
    }
}

void Deinterleave(const double* in, double* a, double* b, int count)
{
    for (int j = 0; j < count; ++j) {
        a[j] = in[2 * j];
        b[j] = in[2 * j + 1];
    }
}

// Section numerators the pair kernel tells apart: any, or the band-pass one (1, 0, -1), whose
// products by 1 and 0 it skips. That changes no output: those products alter at most the sign
// of a zero partial sum, and a zero section output is flushed to +0 either way.
enum class Numerator { Any, BandPass };

// One section on one sample in both lanes; y1, y2 hold its last two outputs
// on entry and, on return, those of the section before it (its input pushed
// into the history they share).
template <Numerator kNumerator>
inline __m128d __attribute__((always_inline)) Section(const double* c, double* w, __m128d v, __m128d& y1, __m128d& y2)
{
    const __m128d x1 = _mm_load_pd(w), x2 = _mm_load_pd(w + 2);
    __m128d y;
    if constexpr (kNumerator == Numerator::BandPass) {
        y = _mm_sub_pd(v, x2);
    } else {
        y = _mm_mul_pd(_mm_load_pd(c), v);
        y = _mm_add_pd(y, _mm_mul_pd(_mm_load_pd(c + 2), x1));
        y = _mm_add_pd(y, _mm_mul_pd(_mm_load_pd(c + 4), x2));
    }
    y = _mm_sub_pd(y, _mm_mul_pd(_mm_load_pd(c + 6), y1));
    y = _mm_sub_pd(y, _mm_mul_pd(_mm_load_pd(c + 8), y2));
    _mm_store_pd(w + 2, x1);
    _mm_store_pd(w, v);
    y1 = v;
    y2 = x1;
    const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), y);
    const __m128d tiny = _mm_cmplt_pd(magnitude, _mm_set1_pd(kFlushBelow));
    return _mm_andnot_pd(tiny, _mm_cvtps_pd(_mm_cvtpd_ps(y)));
}

// Step t of Run in both lanes: sections last down to first.
template <Numerator kNumerator>
inline void __attribute__((always_inline))
PairStep(const double* coefficients, double* history, int sections, const float* input, float* outputA, float* outputB,
         int t, int first, int last, __m128 gains, __m128d* carry)
{
    __m128d y1 = _mm_load_pd(history + 4 * last + 4), y2 = _mm_load_pd(history + 4 * last + 6);
#pragma GCC unroll 8
    for (int s = last; s >= first && s > 0; --s)
        carry[s + 1] = Section<kNumerator>(coefficients + 10 * s, history + 4 * s, carry[s], y1, y2);
    if (first == 0)
        carry[1] = Section<kNumerator>(coefficients, history, _mm_set1_pd(input[t]), y1, y2);
    if (t >= sections - 1) {
        double* w = history + 4 * sections;
        const __m128d v = carry[sections];
        _mm_store_pd(w + 2, _mm_load_pd(w));
        _mm_store_pd(w, v);
        const __m128 out = _mm_mul_ps(_mm_cvtpd_ps(v), gains);
        _mm_store_ss(outputA + t - sections + 1, out);
        _mm_store_ss(outputB + t - sections + 1, _mm_shuffle_ps(out, out, 1));
    }
}

// The same operations and steps as Run, lane by lane. kSections, when not 0, is the section
// count: the steps where every section has a sample, most of them in longer blocks, then
// run with fixed bounds.
template <Numerator kNumerator, int kSections>
void RunPair(const double* coefficients, double* history, int sections, const float* input, float* outputA,
             float* outputB, int count, __m128 gains)
{
    if (kSections)
        sections = kSections;
    __m128d carry[kBiquadPairMaxSections + 1];
    const int steps = count + sections - 1;
    auto bounded = [&](int t) __attribute__((always_inline))
    {
        const int first = t - count + 1 > 0 ? t - count + 1 : 0;
        const int last = t < sections - 1 ? t : sections - 1;
        PairStep<kNumerator>(coefficients, history, sections, input, outputA, outputB, t, first, last, gains, carry);
    };
    int t = 0;
    if (kSections && count >= sections) {
        for (; t < sections - 1; ++t)
            bounded(t);
        for (; t < count; ++t)
            PairStep<kNumerator>(coefficients, history, sections, input, outputA, outputB, t, 0, sections - 1, gains,
                                 carry);
    }
    for (; t < steps; ++t)
        bounded(t);
}

// coefficients: b0, b1, b2, a1, a2 per section.
bool AllBandPass(const double* coefficients, int sections)
{
    for (int s = 0; s < sections; ++s) {
        const double* c = coefficients + 5 * s;
        if (c[0] != 1.0 || c[1] != 0.0 || c[2] != -1.0)
            return false;
    }
    return true;
}
} // namespace biquad_sse2

void BiquadRunSse2(const BiquadBlock& block, const float* input, float* output, int count)
{
    biquad_sse2::Run(block, input, output, count);
}

void BiquadRunPairSse2(const BiquadBlock& a, const BiquadBlock& b, const float* input, float* outputA, float* outputB,
                       int count)
{
    using namespace biquad_sse2;
    alignas(16) double coefficients[2 * 5 * kBiquadPairMaxSections];
    alignas(16) double history[2 * kPairHistory];
    const int sections = a.sections;
    const int nodes = 2 * sections + 2;
    Interleave(a.coefficients, b.coefficients, coefficients, 5 * sections);
    Interleave(a.history, b.history, history, nodes);
    const __m128 gains = _mm_setr_ps(a.outputGain, b.outputGain, 0.0f, 0.0f);
    // The RTA's band-passes have eight sections, its decimators four.
    const bool bandPass = AllBandPass(a.coefficients, sections) && AllBandPass(b.coefficients, sections);
    if (bandPass && sections == 8)
        RunPair<Numerator::BandPass, 8>(coefficients, history, sections, input, outputA, outputB, count, gains);
    else if (bandPass)
        RunPair<Numerator::BandPass, 0>(coefficients, history, sections, input, outputA, outputB, count, gains);
    else if (sections == 4)
        RunPair<Numerator::Any, 4>(coefficients, history, sections, input, outputA, outputB, count, gains);
    else
        RunPair<Numerator::Any, 0>(coefficients, history, sections, input, outputA, outputB, count, gains);
    Deinterleave(history, a.history, b.history, nodes);
}
