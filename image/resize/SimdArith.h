#pragma once
// Arithmetic of the SSE, SSE2 and SSE3 variants: single precision, every product and partial
// sum rounded to float; the vector forms compute each element as the scalar ones do.
// kSse2 (SSE2, SSE3): the integer vertical Lanczos sum in double, and Lanczos weights from
// min(|t|, 3), which reads the table's extra 0.
// Included only by the SSE variants' files.
#include <emmintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "image/resize/LanczosKernelSamples.h"
#include "image/resize/ResizeKernelMath.h"

namespace {

inline __m128 Single(float v)
{
    return _mm_set_ss(v);
}
inline float Value(__m128 v)
{
    return _mm_cvtss_f32(v);
}
inline __m128 Mul(__m128 a, __m128 b)
{
    return _mm_mul_ss(a, b);
}
inline __m128 Add(__m128 a, __m128 b)
{
    return _mm_add_ss(a, b);
}
inline __m128 Sub(__m128 a, __m128 b)
{
    return _mm_sub_ss(a, b);
}

template <bool kSse2>
struct SimdArith {
    static const bool kFourWideRounding = true;
    static const bool kSuperDoubleTail = kSse2;
    static const bool kVectorRows = true;
    static const LanczosExtras kLanczosExtras = kSse2 ? LanczosExtrasBroadcastWide : LanczosExtrasBroadcast;

    static float SixTaps(const float s[6], const float* w)
    {
        __m128 sum = Mul(Single(s[0]), Single(w[0]));
        for (int k = 1; k < 6; ++k) {
            sum = Add(sum, Mul(Single(s[k]), Single(w[k])));
        }
        return Value(sum);
    }

    static float LanczosHorz(const float s[6], const float* w) { return SixTaps(s, w); }
    static float LanczosVertFloat(const float s[6], const float* w) { return SixTaps(s, w); }

    static double LanczosVert(const float s[6], const float* w)
    {
        if (!kSse2) {
            return SixTaps(s, w);
        }
        double sum = static_cast<double>(s[0]) * w[0];
        for (int k = 1; k < 6; ++k) {
            sum += static_cast<double>(s[k]) * w[k];
        }
        return sum;
    }

    static float LanczosWeight(__m128 t)
    {
        const float* table = LanczosKernelSamples;
        __m128 magnitude = _mm_max_ss(t, Sub(Single(0.0f), t));
        if (kSse2) {
            magnitude = _mm_min_ss(magnitude, Single(3.0f));
        } else if (!(Value(magnitude) < 3.0f)) {
            return 0.0f;
        }
        __m128 a = Mul(magnitude, Single(100.0f));
        int m = _mm_cvttss_si32(a);
        __m128 part = Sub(a, _mm_cvtsi32_ss(a, m));
        __m128 slope = Sub(Single(table[m + 1]), Single(table[m]));
        return Value(Add(Single(table[m]), Mul(part, slope)));
    }

    static void LanczosWeights(const float* fractions, int count, float* weights)
    {
        for (int i = 0; i < count; ++i) {
            __m128 base = Sub(Single(-2.0f), Single(fractions[i]));
            for (int k = 0; k < 6; ++k) {
                weights[6 * i + k] = LanczosWeight(Add(base, Single(static_cast<float>(k))));
            }
        }
    }

    static float Cubic(float p0, float p1, float p2, float p3, float t)
    {
        __m128 a0 = Single(p0), a1 = Single(p1), a2 = Single(p2), a3 = Single(p3), at = Single(t);
        __m128 d1 = Sub(a1, a0);
        __m128 d2 = Sub(Sub(a2, a1), d1);
        __m128 d3 = Sub(Add(Sub(Sub(a3, a2), a2), a1), d2);
        __m128 c1 = Add(Single(1.0f), at);
        __m128 c2 = Mul(Mul(at, c1), Single(0.5f));
        __m128 c3 = Mul(Mul(Sub(at, Single(1.0f)), c2), Single(static_cast<float>(1.0 / 3.0)));
        __m128 v = Add(Add(Add(a0, Mul(d1, c1)), Mul(d2, c2)), Mul(d3, c3));
        return Value(v);
    }

    static float CubicHorz(float p0, float p1, float p2, float p3, float t) { return Cubic(p0, p1, p2, p3, t); }
    static double CubicVert(float p0, float p1, float p2, float p3, float t) { return Cubic(p0, p1, p2, p3, t); }

    // The four-wide conversion: value + 1e-5 rounded to nearest (ties to even).
    static int RoundNearest(float v) { return _mm_cvtss_si32(Add(Single(v), Single(1e-5f))); }

    static float LinearHorz(float a, float b, float t)
    {
        return Value(Add(Single(a), Mul(Sub(Single(b), Single(a)), Single(t))));
    }
    static float LinearVert(float upper, float lower, float t)
    {
        __m128 keep = Sub(Single(1.0f), Single(t));
        return Value(Add(Mul(Single(upper), keep), Mul(Single(lower), Single(t))));
    }

    // Four consecutive samples as floats.
    static __m128 Load4(const uint8_t* p)
    {
        if constexpr (kSse2) {
            int32_t bytes;
            std::memcpy(&bytes, p, 4);
            __m128i zero = _mm_setzero_si128();
            __m128i v = _mm_unpacklo_epi8(_mm_cvtsi32_si128(bytes), zero);
            return _mm_cvtepi32_ps(_mm_unpacklo_epi16(v, zero));
        } else {
            return _mm_setr_ps(p[0], p[1], p[2], p[3]);
        }
    }
    static __m128 Load4(const uint16_t* p) { return _mm_setr_ps(p[0], p[1], p[2], p[3]); }
    static __m128 Load4(const float* p) { return _mm_loadu_ps(p); }

    // The horizontal Lanczos sums of the four channels of one pixel at once; w4 holds each weight
    // four times over.
    template <class S>
    static __m128 PixelSum4(const S* row, const int taps[6], const float* w4)
    {
        __m128 sum = _mm_mul_ps(Load4(row + taps[0]), _mm_load_ps(w4));
        for (int k = 1; k < 6; ++k) {
            sum = _mm_add_ps(sum, _mm_mul_ps(Load4(row + taps[k]), _mm_load_ps(w4 + 4 * k)));
        }
        return sum;
    }

    // Six neighbouring four-channel pixels as floats; eight-bit ones widened 16 bytes at a time.
    template <class S>
    static void LoadSix(const S* p, __m128 taps[6])
    {
        if constexpr (kSse2 && std::is_same<S, uint8_t>::value) {
            const __m128i zero = _mm_setzero_si128();
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16));
            const __m128i words[3] = {_mm_unpacklo_epi8(a, zero), _mm_unpackhi_epi8(a, zero),
                                      _mm_unpacklo_epi8(b, zero)};
            for (int i = 0; i < 3; ++i) {
                taps[2 * i] = _mm_cvtepi32_ps(_mm_unpacklo_epi16(words[i], zero));
                taps[2 * i + 1] = _mm_cvtepi32_ps(_mm_unpackhi_epi16(words[i], zero));
            }
        } else {
            for (int k = 0; k < 6; ++k) {
                taps[k] = Load4(p + 4 * k);
            }
        }
    }

    // count samples (a multiple of four) as floats; out 16-byte aligned.
    static void Widen(const uint8_t* p, int count, float* out)
    {
        const __m128i zero = _mm_setzero_si128();
        int i = 0;
        for (; i + 16 <= count; i += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i words[2] = {_mm_unpacklo_epi8(a, zero), _mm_unpackhi_epi8(a, zero)};
            for (int h = 0; h < 2; ++h) {
                _mm_store_ps(out + i + 8 * h, _mm_cvtepi32_ps(_mm_unpacklo_epi16(words[h], zero)));
                _mm_store_ps(out + i + 8 * h + 4, _mm_cvtepi32_ps(_mm_unpackhi_epi16(words[h], zero)));
            }
        }
        for (; i < count; i += 4) {
            _mm_store_ps(out + i, Load4(p + i));
        }
    }

    static void Widen(const uint16_t* p, int count, float* out)
    {
        const __m128i zero = _mm_setzero_si128();
        int i = 0;
        for (; i + 8 <= count; i += 8) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            _mm_store_ps(out + i, _mm_cvtepi32_ps(_mm_unpacklo_epi16(a, zero)));
            _mm_store_ps(out + i + 4, _mm_cvtepi32_ps(_mm_unpackhi_epi16(a, zero)));
        }
        for (; i < count; i += 4) {
            _mm_store_ps(out + i, Load4(p + i));
        }
    }

    // One pixel's horizontal sums stored as floats, or widened to double.
    static void StorePixel(__m128 sum, float* out) { _mm_storeu_ps(out, sum); }
    static void StorePixel(__m128 sum, double* out)
    {
        _mm_store_pd(out, _mm_cvtps_pd(sum));
        _mm_store_pd(out + 2, _mm_cvtps_pd(_mm_movehl_ps(sum, sum)));
    }

    // The horizontal Lanczos pass of a four-channel row: count pixels at the element offsets,
    // taps repeating the edge pixels low and high, weights broadcast (w4). One loop with its
    // state in registers: the six-term sum of a pixel is a chain of dependent steps, and the
    // processor overlaps the chains of neighbouring pixels only when little else is in the way.
    template <class S, class Out>
    static void LanczosRow4(const S* row, const int32_t* offsets, const float* w4, int count, int low, int high,
                            Out* out)
    {
        const int kStep = 4;
        for (int x = 0; x < count; ++x, w4 += 24, out += 4) {
            const int base = offsets[x];
            if (base - 2 * kStep >= low && base + 3 * kStep <= high) {
                __m128 taps[6];
                LoadSix(row + base - 2 * kStep, taps);
                __m128 sum = _mm_mul_ps(taps[0], _mm_load_ps(w4));
                for (int k = 1; k < 6; ++k) {
                    sum = _mm_add_ps(sum, _mm_mul_ps(taps[k], _mm_load_ps(w4 + 4 * k)));
                }
                StorePixel(sum, out);
                continue;
            }
            int taps[6];
            for (int k = 0; k < 6; ++k) {
                taps[k] = std::min(std::max(base + (k - 2) * kStep, low), high);
            }
            StorePixel(PixelSum4(row, taps, w4), out);
        }
    }

    static __m128 SixRowsSingle(float* const rows[6], int e, const float* w)
    {
        __m128 sum = _mm_mul_ps(_mm_loadu_ps(rows[0] + e), _mm_set1_ps(w[0]));
        for (int k = 1; k < 6; ++k) {
            sum = _mm_add_ps(sum, _mm_mul_ps(_mm_loadu_ps(rows[k] + e), _mm_set1_ps(w[k])));
        }
        return sum;
    }

    // Two pairs of double sums plus 1e-7, limited to 0..limit, truncated.
    static __m128i BiasClampTruncate(__m128d low, __m128d high, __m128d limit)
    {
        const __m128d bias = _mm_set1_pd(1e-7);
        const __m128d zero = _mm_setzero_pd();
        // max_pd gives its second operand for a NaN, so a NaN sum becomes 0.
        low = _mm_min_pd(_mm_max_pd(_mm_add_pd(low, bias), zero), limit);
        high = _mm_min_pd(_mm_max_pd(_mm_add_pd(high, bias), zero), limit);
        return _mm_unpacklo_epi64(_mm_cvttpd_epi32(low), _mm_cvttpd_epi32(high));
    }

    // Elements e..e+3 of the six rows summed in double, plus 1e-7, limited to 0..limit, truncated.
    static __m128i SixRowsDouble(const float* const rows[6], int e, const __m128d w[6], __m128d limit)
    {
        __m128d low = _mm_setzero_pd();
        __m128d high = _mm_setzero_pd();
        for (int k = 0; k < 6; ++k) {
            __m128 r = _mm_loadu_ps(rows[k] + e);
            __m128d pl = _mm_mul_pd(_mm_cvtps_pd(r), w[k]);
            __m128d ph = _mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(r, r)), w[k]);
            low = k == 0 ? pl : _mm_add_pd(low, pl);
            high = k == 0 ? ph : _mm_add_pd(high, ph);
        }
        return BiasClampTruncate(low, high, limit);
    }

    // Elements e..e+3 of six rows already widened to double, summed.
    static void SixWideRows(const double* const rows[6], int e, const __m128d w[6], __m128d& low, __m128d& high)
    {
        low = _mm_mul_pd(_mm_load_pd(rows[0] + e), w[0]);
        high = _mm_mul_pd(_mm_load_pd(rows[0] + e + 2), w[0]);
        for (int k = 1; k < 6; ++k) {
            low = _mm_add_pd(low, _mm_mul_pd(_mm_load_pd(rows[k] + e), w[k]));
            high = _mm_add_pd(high, _mm_mul_pd(_mm_load_pd(rows[k] + e + 2), w[k]));
        }
    }

    // Four results stored as samples: eight-bit ones saturated, sixteen-bit ones already within
    // the sample range.
    static void Store4(uint8_t* dst, __m128i v)
    {
        const __m128i words = _mm_packs_epi32(v, v);
        const int32_t bytes = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
        std::memcpy(dst, &bytes, 4);
    }

    static void Store4(uint16_t* dst, __m128i v)
    {
        int32_t values[4];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(values), v);
        for (int i = 0; i < 4; ++i) {
            dst[i] = static_cast<uint16_t>(values[i]);
        }
    }

    // The vertical Lanczos pass of integer samples over widened rows; count is a multiple of 4.
    template <class S>
    static void LanczosBlendWide(S* dst, int count, double* const rows[6], const float* w)
    {
        __m128d weights[6];
        const double* r[6];
        for (int k = 0; k < 6; ++k) {
            weights[k] = _mm_set1_pd(w[k]);
            r[k] = rows[k];
        }
        const __m128d limit = _mm_set1_pd(SampleLimit<S>::kMax);
        const __m128d bias = _mm_set1_pd(1e-7);
        for (int e = 0; e < count; e += 4) {
            __m128d low, high;
            SixWideRows(r, e, weights, low, high);
            if constexpr (std::is_same<S, uint8_t>::value) {
                // The packs saturate below 0 and above 255 as the limits would, and the sums stay
                // far inside the int range (six weights of about 1 at most times 255); a NaN
                // truncates to INT_MIN, which packs to 0.
                Store4(dst + e, _mm_unpacklo_epi64(_mm_cvttpd_epi32(_mm_add_pd(low, bias)),
                                                   _mm_cvttpd_epi32(_mm_add_pd(high, bias))));
            } else {
                Store4(dst + e, BiasClampTruncate(low, high, limit));
            }
        }
    }

    // The vertical Lanczos pass over the first count - count % 4 elements; returns that count.
    // The weights are broadcast and the row pointers read once per row: the sample stores could
    // alias them, which would make the compiler read them again for every four elements.
    template <class S>
    static int LanczosBlendBulk(S* dst, int count, float* const rows[6], const float* w)
    {
        int bulk = count - count % 4;
        if constexpr (std::is_same<S, float>::value) {
            for (int e = 0; e < bulk; e += 4) {
                _mm_storeu_ps(dst + e, SixRowsSingle(rows, e, w));
            }
        } else if constexpr (kSse2) {
            __m128d weights[6];
            const float* r[6];
            for (int k = 0; k < 6; ++k) {
                weights[k] = _mm_set1_pd(w[k]);
                r[k] = rows[k];
            }
            const __m128d limit = _mm_set1_pd(SampleLimit<S>::kMax);
            for (int e = 0; e < bulk; e += 4) {
                Store4(dst + e, SixRowsDouble(r, e, weights, limit));
            }
        } else {
            for (int e = 0; e < bulk; e += 4) {
                float sums[4];
                _mm_storeu_ps(sums, SixRowsSingle(rows, e, w));
                for (int i = 0; i < 4; ++i) {
                    dst[e + i] = ClampTruncate<S>(static_cast<double>(sums[i]) + 1e-7);
                }
            }
        }
        return bulk;
    }
};

} // namespace
