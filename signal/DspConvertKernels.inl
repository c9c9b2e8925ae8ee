// Conversion kernels of the SSE2 and SSE3 variants, included inside each
// variant's namespace after <emmintrin.h> and signal/DspAlign.h.

// Float-to-integer conversions round to nearest unless told to truncate; the
// caller's rounding control comes back when the scope ends.
class NearestRounding {
public:
    NearestRounding() : m_saved(_mm_getcsr())
    {
        if (m_saved & _MM_ROUND_MASK)
            _mm_setcsr(m_saved & ~_MM_ROUND_MASK);
    }
    ~NearestRounding() { _mm_setcsr(m_saved); }

private:
    unsigned m_saved;
};

// Unaligned forms throughout: an aligned form chosen by a run-time test can
// be folded by the compiler into an instruction on the unaligned path.
inline __m128 LoadFloats(const float* p)
{
    return _mm_loadu_ps(p);
}

inline void StoreInts(void* p, __m128i v)
{
    _mm_storeu_si128(static_cast<__m128i*>(p), v);
}

inline void StoreFloats(float* p, __m128 v)
{
    _mm_storeu_ps(p, v);
}

struct FloatToIntPlan {
    bool scaled;
    float factor;
    bool truncate;
};

inline __m128i RoundToInt32(__m128 v, const FloatToIntPlan& plan)
{
    return plan.truncate ? _mm_cvttps_epi32(v) : _mm_cvtps_epi32(v);
}

inline __m128 ScaleFloats(__m128 v, const FloatToIntPlan& plan)
{
    return plan.scaled ? _mm_mul_ps(v, _mm_set1_ps(plan.factor)) : v;
}

// Every v whose bit pattern exceeds that of 2147483520.0 (the largest float
// below 2^31) becomes 2147483647; negative overflow converts to -2^31 itself.
inline __m128i ToInt32Saturated(__m128 v, const FloatToIntPlan& plan)
{
    __m128i r = RoundToInt32(v, plan);
    __m128i over = _mm_cmpgt_epi32(_mm_castps_si128(v), _mm_set1_epi32(0x4EFFFFFF));
    return _mm_or_si128(_mm_andnot_si128(over, r), _mm_and_si128(over, _mm_set1_epi32(0x7FFFFFFF)));
}

// Limited to 32767.0 first (a NaN becomes 32767.0), then narrowed with saturation.
inline __m128i ToInt16Lanes(__m128 v, const FloatToIntPlan& plan)
{
    return RoundToInt32(_mm_min_ps(v, _mm_set1_ps(32767.0f)), plan);
}

inline void Float32sKernel(const float* s, int* d, int len, const FloatToIntPlan& plan)
{
    int i = 0;
    for (; i < len && ElementAligned(d, 4) && !Aligned16(d + i); ++i)
        d[i] = _mm_cvtsi128_si32(ToInt32Saturated(ScaleFloats(_mm_set1_ps(s[i]), plan), plan));
    for (; i + 4 <= len; i += 4)
        StoreInts(d + i, ToInt32Saturated(ScaleFloats(LoadFloats(s + i), plan), plan));
    for (; i < len; ++i)
        d[i] = _mm_cvtsi128_si32(ToInt32Saturated(ScaleFloats(_mm_set1_ps(s[i]), plan), plan));
}

inline short Float16One(float x, const FloatToIntPlan& plan)
{
    __m128i r = ToInt16Lanes(ScaleFloats(_mm_set1_ps(x), plan), plan);
    return short(_mm_cvtsi128_si32(_mm_packs_epi32(r, r)));
}

inline void Float16sKernel(const float* s, short* d, int len, const FloatToIntPlan& plan)
{
    int i = 0;
    for (; i < len && ElementAligned(d, 2) && !Aligned16(d + i); ++i)
        d[i] = Float16One(s[i], plan);
    for (; i + 8 <= len; i += 8) {
        __m128i lo = ToInt16Lanes(ScaleFloats(LoadFloats(s + i), plan), plan);
        __m128i hi = ToInt16Lanes(ScaleFloats(LoadFloats(s + i + 4), plan), plan);
        StoreInts(d + i, _mm_packs_epi32(lo, hi));
    }
    for (; i < len; ++i)
        d[i] = Float16One(s[i], plan);
}

inline float Int32ToFloat(int x, bool scaled, float factor)
{
    __m128 v = _mm_cvtsi32_ss(_mm_setzero_ps(), x);
    return _mm_cvtss_f32(scaled ? _mm_mul_ss(v, _mm_set_ss(factor)) : v);
}

inline void Int32FloatKernel(const int* s, float* d, int len, bool scaled, float factor)
{
    int i = 0;
    for (; i < len && ElementAligned(d, 4) && !Aligned16(d + i); ++i)
        d[i] = Int32ToFloat(s[i], scaled, factor);
    __m128 vf = _mm_set1_ps(factor);
    for (; i + 4 <= len; i += 4) {
        __m128 v = _mm_cvtepi32_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)));
        StoreFloats(d + i, scaled ? _mm_mul_ps(v, vf) : v);
    }
    for (; i < len; ++i)
        d[i] = Int32ToFloat(s[i], scaled, factor);
}

inline void Int16FloatKernel(const short* s, float* d, int len, bool scaled, float factor)
{
    int i = 0;
    for (; i < len && ElementAligned(d, 4) && !Aligned16(d + i); ++i)
        d[i] = Int32ToFloat(s[i], scaled, factor);
    __m128 vf = _mm_set1_ps(factor);
    for (; i + 8 <= len; i += 8) {
        __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        __m128 lo = _mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpacklo_epi16(x, x), 16));
        __m128 hi = _mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpackhi_epi16(x, x), 16));
        StoreFloats(d + i, scaled ? _mm_mul_ps(lo, vf) : lo);
        StoreFloats(d + i + 4, scaled ? _mm_mul_ps(hi, vf) : hi);
    }
    for (; i < len; ++i)
        d[i] = Int32ToFloat(s[i], scaled, factor);
}

// Mode 0 truncates; every other mode rounds to nearest.
inline FloatToIntPlan PlanOf(int rndMode, int sf)
{
    return FloatToIntPlan{sf != 0, SimdScale(sf), rndMode == 0};
}

inline void FloatToInt(const float* s, int* d, int len, int rndMode, int sf)
{
    NearestRounding rounding;
    Float32sKernel(s, d, len, PlanOf(rndMode, sf));
}

inline void FloatToInt(const float* s, short* d, int len, int rndMode, int sf)
{
    NearestRounding rounding;
    Float16sKernel(s, d, len, PlanOf(rndMode, sf));
}
