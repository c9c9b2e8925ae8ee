#pragma once
// Arithmetic of the SSE, SSE2 and SSE3 variants: single precision through scalar SSE
// operations, so every product and partial sum is rounded to float as the vector forms do.
// kDoubleVertical: the integer vertical Lanczos sum in double (SSE2, SSE3).
// kClampedWeights: Lanczos weights from min(|t|, 3), reading the table's extra 0 (SSE2, SSE3).
// Included only by the SSE variants' files.
#include <xmmintrin.h>

#include "image/resize/LanczosKernelSamples.h"

namespace {

inline __m128 Single(float v) { return _mm_set_ss(v); }
inline float Value(__m128 v) { return _mm_cvtss_f32(v); }
inline __m128 Mul(__m128 a, __m128 b) { return _mm_mul_ss(a, b); }
inline __m128 Add(__m128 a, __m128 b) { return _mm_add_ss(a, b); }
inline __m128 Sub(__m128 a, __m128 b) { return _mm_sub_ss(a, b); }

template <bool kDoubleVertical, bool kClampedWeights>
struct SimdArith {
  static const bool kFourWideRounding = true;
  static const bool kSuperDoubleTail = kClampedWeights;

  static float SixTaps(const float s[6], const float* w) {
    __m128 sum = Mul(Single(s[0]), Single(w[0]));
    for (int k = 1; k < 6; ++k) {
      sum = Add(sum, Mul(Single(s[k]), Single(w[k])));
    }
    return Value(sum);
  }

  static float LanczosHorz(const float s[6], const float* w) { return SixTaps(s, w); }
  static float LanczosVertFloat(const float s[6], const float* w) { return SixTaps(s, w); }

  static double LanczosVert(const float s[6], const float* w) {
    if (!kDoubleVertical) {
      return SixTaps(s, w);
    }
    double sum = static_cast<double>(s[0]) * w[0];
    for (int k = 1; k < 6; ++k) {
      sum += static_cast<double>(s[k]) * w[k];
    }
    return sum;
  }

  static float LanczosWeight(__m128 t) {
    const float* table = LanczosKernelSamples;
    __m128 magnitude = _mm_max_ss(t, Sub(Single(0.0f), t));
    if (kClampedWeights) {
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

  static void LanczosWeights(const float* fractions, int count, float* weights) {
    for (int i = 0; i < count; ++i) {
      __m128 base = Sub(Single(-2.0f), Single(fractions[i]));
      for (int k = 0; k < 6; ++k) {
        weights[6 * i + k] = LanczosWeight(Add(base, Single(static_cast<float>(k))));
      }
    }
  }

  static float Cubic(float p0, float p1, float p2, float p3, float t) {
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

  static float CubicHorz(float p0, float p1, float p2, float p3, float t) {
    return Cubic(p0, p1, p2, p3, t);
  }
  static double CubicVert(float p0, float p1, float p2, float p3, float t) {
    return Cubic(p0, p1, p2, p3, t);
  }

  // The four-wide conversion: value + 1e-5 rounded to nearest (ties to even).
  static int RoundNearest(float v) { return _mm_cvtss_si32(Add(Single(v), Single(1e-5f))); }

  static float LinearHorz(float a, float b, float t) {
    return Value(Add(Single(a), Mul(Sub(Single(b), Single(a)), Single(t))));
  }
  static float LinearVert(float upper, float lower, float t) {
    __m128 keep = Sub(Single(1.0f), Single(t));
    return Value(Add(Mul(Single(upper), keep), Mul(Single(lower), Single(t))));
  }
};

}  // namespace
