// Sample conversions: SSE variant (MMX integer lanes, rounding by the control word).
#include <mmintrin.h>
#include <xmmintrin.h>

#include <cfloat>
#include <cstdint>
#include <cstring>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspConvert.h"

namespace dsp {
namespace sse {
namespace {

typedef __m64 __attribute__((may_alias, aligned(1))) UnalignedM64;

// Mode 1 rounds to nearest, every other mode truncates, through the SIMD
// rounding control; the caller's setting comes back at the end. Every MMX loop
// ends with EMMS before any x87 code runs.
class RoundingScope {
public:
    explicit RoundingScope(int rndMode) : m_saved(_mm_getcsr())
    {
        unsigned rounding = rndMode == 1 ? _MM_ROUND_NEAREST : _MM_ROUND_TOWARD_ZERO;
        _mm_setcsr((m_saved & ~_MM_ROUND_MASK) | rounding);
    }
    ~RoundingScope() { _mm_setcsr(m_saved); }

private:
    unsigned m_saved;
};

int Bits(float x)
{
    int b;
    std::memcpy(&b, &x, sizeof(b));
    return b;
}

// Saturation is decided on the unscaled element against 2147483520.0 * 2^sf.
struct Plan {
    bool scaled;
    float factor;
    int boundBits;
};

Plan PlanOf(int sf)
{
    double bound = 2147483520.0 * ReferenceScale(-sf);
    return Plan{sf != 0, SimdScale(sf), Bits(bound > FLT_MAX ? FLT_MAX : float(bound))};
}

__m128 Scale(__m128 v, const Plan& plan)
{
    return plan.scaled ? _mm_mul_ps(v, _mm_set1_ps(plan.factor)) : v;
}

int ToInt32One(float x, const Plan& plan)
{
    if (Bits(x) > plan.boundBits)
        return 0x7FFFFFFF;
    return _mm_cvtss_si32(Scale(_mm_set_ss(x), plan));
}

__m64 SaturatePair(__m64 bits, __m64 converted, const Plan& plan)
{
    __m64 over = _mm_cmpgt_pi32(bits, _mm_set1_pi32(plan.boundBits));
    return _mm_or_si64(_mm_andnot_si64(over, converted), _mm_and_si64(over, _mm_set1_pi32(0x7FFFFFFF)));
}

void Float32sKernel(const float* s, int* d, int len, const Plan& plan)
{
    int i = 0;
    for (; i < len && (reinterpret_cast<std::uintptr_t>(s + i) & 31); ++i)
        d[i] = ToInt32One(s[i], plan);
    for (; i + 4 <= len; i += 4) {
        __m128 v = Scale(_mm_loadu_ps(s + i), plan);
        const UnalignedM64* bits = reinterpret_cast<const UnalignedM64*>(s + i);
        UnalignedM64* out = reinterpret_cast<UnalignedM64*>(d + i);
        out[0] = SaturatePair(bits[0], _mm_cvtps_pi32(v), plan);
        out[1] = SaturatePair(bits[1], _mm_cvtps_pi32(_mm_movehl_ps(v, v)), plan);
    }
    _mm_empty();
    for (; i < len; ++i)
        d[i] = ToInt32One(s[i], plan);
}

__m128 Limit16(__m128 v)
{
    return _mm_min_ps(v, _mm_set1_ps(32767.0f));
}

short ToInt16One(float x, const Plan& plan)
{
    int r = _mm_cvtss_si32(Limit16(Scale(_mm_set_ss(x), plan)));
    return short(r < -32768 ? -32768 : r);
}

void Float16sKernel(const float* s, short* d, int len, const Plan& plan)
{
    int i = 0;
    for (; i < len && (reinterpret_cast<std::uintptr_t>(s + i) & 31); ++i)
        d[i] = ToInt16One(s[i], plan);
    for (; i + 4 <= len; i += 4) {
        __m128 v = Limit16(Scale(_mm_loadu_ps(s + i), plan));
        __m64 packed = _mm_packs_pi32(_mm_cvtps_pi32(v), _mm_cvtps_pi32(_mm_movehl_ps(v, v)));
        *reinterpret_cast<UnalignedM64*>(d + i) = packed;
    }
    _mm_empty();
    for (; i < len; ++i)
        d[i] = ToInt16One(s[i], plan);
}

float IntToFloatOne(int x, bool scaled, float factor)
{
    __m128 v = _mm_cvtsi32_ss(_mm_setzero_ps(), x);
    return _mm_cvtss_f32(scaled ? _mm_mul_ss(v, _mm_set_ss(factor)) : v);
}

// At most one element first, to bring the source to 8 bytes.
void Int32FloatKernel(const int* s, float* d, int len, bool scaled, float factor)
{
    int i = 0;
    if (len > 0 && (reinterpret_cast<std::uintptr_t>(s) & 7) == 4) {
        d[0] = IntToFloatOne(s[0], scaled, factor);
        i = 1;
    }
    __m128 vf = _mm_set1_ps(factor);
    for (; i + 4 <= len; i += 4) {
        const UnalignedM64* q = reinterpret_cast<const UnalignedM64*>(s + i);
        __m128 v = _mm_cvtpi32x2_ps(q[0], q[1]);
        _mm_storeu_ps(d + i, scaled ? _mm_mul_ps(v, vf) : v);
    }
    _mm_empty();
    for (; i < len; ++i)
        d[i] = IntToFloatOne(s[i], scaled, factor);
}

void Int16FloatKernel(const short* s, float* d, int len, bool scaled, float factor)
{
    int i = 0;
    if (len > 0 && (reinterpret_cast<std::uintptr_t>(d) & 7) == 4) {
        d[0] = IntToFloatOne(s[0], scaled, factor);
        i = 1;
    }
    __m128 vf = _mm_set1_ps(factor);
    for (; i + 4 <= len; i += 4) {
        __m128 v = _mm_cvtpi16_ps(*reinterpret_cast<const UnalignedM64*>(s + i));
        _mm_storeu_ps(d + i, scaled ? _mm_mul_ps(v, vf) : v);
    }
    _mm_empty();
    for (; i < len; ++i)
        d[i] = IntToFloatOne(s[i], scaled, factor);
}

void FloatToInt(const float* s, int* d, int len, int rndMode, int sf)
{
    RoundingScope rounding(rndMode);
    Float32sKernel(s, d, len, PlanOf(sf));
}

void FloatToInt(const float* s, short* d, int len, int rndMode, int sf)
{
    RoundingScope rounding(rndMode);
    Float16sKernel(s, d, len, PlanOf(sf));
}

} // namespace

#include "signal/DspConvertEntries.inl"

} // namespace sse
} // namespace dsp
