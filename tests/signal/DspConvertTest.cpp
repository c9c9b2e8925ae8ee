#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <climits>
#include <cmath>
#include <limits>

#include "TestVectors.h"
#include "VariantBodies.h"

namespace {

typedef LibStatus (*F32s)(const float*, int*, int, int, int);
typedef LibStatus (*F16s)(const float*, short*, int, int, int);
typedef LibStatus (*I32f)(const int*, float*, int, int);
typedef LibStatus (*S16f)(const short*, float*, int, int);
const F32s To32s[] = DSP_VARIANT_BODIES(dspsConvert_32f32s_Sfs);
const F16s To16s[] = DSP_VARIANT_BODIES(dspsConvert_32f16s_Sfs);
const I32f From32s[] = DSP_VARIANT_BODIES(dspsConvert_32s32f_Sfs);
const S16f From16s[] = DSP_VARIANT_BODIES(dspsConvert_16s32f_Sfs);

__attribute__((target("sse"))) unsigned GetCsr()
{
    return _mm_getcsr();
}

__attribute__((target("sse"))) void SetCsr(unsigned csr)
{
    _mm_setcsr(csr);
}

const int Lengths[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 300};

int To32(int v, float x, int mode, int sf)
{
    int out = 12345;
    EXPECT_EQ(StatusOk, To32s[v](&x, &out, 1, mode, sf));
    return out;
}

int To16(int v, float x, int mode, int sf)
{
    short out = 12345;
    EXPECT_EQ(StatusOk, To16s[v](&x, &out, 1, mode, sf));
    return out;
}

double Scale(int sf)
{
    return std::ldexp(1.0, -sf);
}

// Reference of the float-to-integer conversions for finite values.
long long Expected(float x, int mode, int sf, long long lo, long long hi)
{
    double v = double(x) * Scale(sf);
    if (v >= double(hi) + (hi == 32767 ? 0.0 : 1.0))
        return hi;
    if (v <= double(lo))
        return lo;
    double t = mode == 1 ? std::nearbyint(v) : std::trunc(v);
    return (long long)t;
}

float Interesting(int i)
{
    const float table[] = {0.0f,      -0.0f,       0.5f,         1.5f,          2.5f,          -2.5f,          3.5f,
                           -0.5f,     0.49999997f, 2.9f,         -2.9f,         32766.5f,      32767.0f,       40000.0f,
                           -32768.4f, -32768.6f,   -40000.0f,    2147483520.0f, 2147483648.0f, -2147483648.0f, -3.0e9f,
                           1.0e-30f,  123456.789f, -98765.4321f, 1.0e20f,       -1.0e20f};
    const int n = sizeof(table) / sizeof(table[0]);
    return i < n ? table[i] : TestValue(i, 9) * 1000.0f;
}

} // namespace

TEST(DspConvert, IntegerToFloatIdenticalInEveryVariant)
{
    const int scales[] = {0, 1, -1, 15, 31, 126, 130, 200, -96, -100, -112, -200};
    for (int sf : scales)
        for (int len : Lengths)
            for (int o = 0; o < 4; ++o) {
                OffsetVector<int> s32(len, o);
                OffsetVector<short> s16(len, o);
                for (int i = 0; i < len; ++i) {
                    s32[i] = i == 0 ? INT_MIN : i == 1 ? INT_MAX : i == 2 ? 16777217 : int(TestValue(i, 1) * 100000);
                    s16[i] = i == 0 ? -32768 : i == 1 ? 32767 : short(TestValue(i, 2) * 300);
                }
                int s32scale = sf > 126 ? 126 : sf < -96 ? -96 : sf;
                int s16scale = sf > 126 ? 126 : sf < -112 ? -112 : sf;
                for (int v = 0; v < 4; ++v) {
                    OffsetVector<float> d32(len, (o + 1) & 3), d16(len, (o + 2) & 3);
                    ASSERT_EQ(StatusOk, From32s[v](s32.data(), d32.data(), len, sf));
                    ASSERT_EQ(StatusOk, From16s[v](s16.data(), d16.data(), len, sf));
                    for (int i = 0; i < len; ++i) {
                        ASSERT_TRUE(SameBits(float(double(s32[i]) * Scale(s32scale)), d32[i]))
                            << VariantNames[v] << " sf " << sf << " i " << i;
                        ASSERT_TRUE(SameBits(float(double(s16[i]) * Scale(s16scale)), d16[i]))
                            << VariantNames[v] << " sf " << sf << " i " << i;
                    }
                    ASSERT_TRUE(d32.TailUntouched());
                    ASSERT_TRUE(d16.TailUntouched());
                }
            }
}

TEST(DspConvert, IntegerToFloatKnownValues)
{
    int s[3] = {32768, INT_MIN, 1};
    float d[3];
    ASSERT_EQ(StatusOk, dspsConvert_32s32f_Sfs(s, d, 3, 15));
    EXPECT_EQ(1.0f, d[0]);
    EXPECT_EQ(-65536.0f, d[1]);
    EXPECT_EQ(std::ldexp(1.0f, -15), d[2]);
    int big = 16777217;
    ASSERT_EQ(StatusOk, dspsConvert_32s32f(&big, d, 1));
    EXPECT_EQ(16777216.0f, d[0]);
    short m = -32768;
    ASSERT_EQ(StatusOk, dspsConvert_16s32f(&m, d, 1));
    EXPECT_EQ(-32768.0f, d[0]);
    ASSERT_EQ(StatusOk, dspsConvert_16s32f_Sfs(&m, d, 1, -200));
    EXPECT_EQ(-32768.0f * std::ldexp(1.0f, 112), d[0]);
}

TEST(DspConvert, FloatToIntegerMatchesReferenceInEveryVariant)
{
    const int scales[] = {0, 1, -1, 3, -7, 15, -31, 100, -127, 149, -100};
    for (int sf : scales)
        for (int mode = 0; mode < 2; ++mode)
            for (int len : Lengths)
                for (int o = 0; o < 4; ++o) {
                    OffsetVector<float> s(len, o);
                    for (int i = 0; i < len; ++i)
                        s[i] = std::ldexp(Interesting(i), sf);
                    for (int v = 0; v < 4; ++v) {
                        OffsetVector<int> d32(len, (o + 1) & 3);
                        OffsetVector<short> d16(len, (o + 3) & 3);
                        ASSERT_EQ(StatusOk, To32s[v](s.data(), d32.data(), len, mode, sf));
                        ASSERT_EQ(StatusOk, To16s[v](s.data(), d16.data(), len, mode, sf));
                        for (int i = 0; i < len; ++i) {
                            ASSERT_EQ(Expected(s[i], mode, sf, INT_MIN, INT_MAX), d32[i])
                                << VariantNames[v] << " x " << s[i] << " sf " << sf << " mode " << mode;
                            ASSERT_EQ(Expected(s[i], mode, sf, -32768, 32767), d16[i])
                                << VariantNames[v] << " x " << s[i] << " sf " << sf << " mode " << mode;
                        }
                        ASSERT_TRUE(d32.TailUntouched());
                        ASSERT_TRUE(d16.TailUntouched());
                    }
                }
}

TEST(DspConvert, FloatToIntegerKnownValues)
{
    const float inf = std::numeric_limits<float>::infinity();
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(2, To32(v, 2.5f, 1, 0));
        EXPECT_EQ(4, To32(v, 3.5f, 1, 0));
        EXPECT_EQ(-2, To32(v, -2.5f, 1, 0));
        EXPECT_EQ(0, To32(v, -0.5f, 1, 0));
        EXPECT_EQ(0, To32(v, 0.49999997f, 1, 0));
        EXPECT_EQ(2, To32(v, 2.9f, 0, 0));
        EXPECT_EQ(-2, To32(v, -2.9f, 0, 0));
        EXPECT_EQ(INT_MAX, To32(v, 2147483648.0f, 1, 0));
        EXPECT_EQ(INT_MIN, To32(v, -2147483648.0f, 1, 0));
        EXPECT_EQ(INT_MIN, To32(v, -3.0e9f, 0, 0));
        EXPECT_EQ(INT_MAX, To32(v, inf, 1, 0));
        EXPECT_EQ(INT_MIN, To32(v, -inf, 0, 0));
        EXPECT_EQ(2147483520, To32(v, 1073741760.0f, 1, -1));
        EXPECT_EQ(INT_MAX, To32(v, 1073741824.0f, 1, -1));
        EXPECT_EQ(1, To32(v, 32768.0f, 0, 15));
        EXPECT_EQ(32766, To16(v, 32766.5f, 1, 0));
        EXPECT_EQ(32767, To16(v, 32767.0f, 1, 0));
        EXPECT_EQ(32767, To16(v, 40000.0f, 1, 0));
        EXPECT_EQ(-32768, To16(v, -32768.4f, 1, 0));
        EXPECT_EQ(-32768, To16(v, -40000.0f, 1, 0));
        EXPECT_EQ(2, To16(v, 3.0f, 1, 1));
        EXPECT_EQ(2, To16(v, 5.0f, 1, 1));
    }
}

TEST(DspConvert, ScaleFactorsBeyondTheSinglePrecisionRange)
{
    for (int v = 0; v < 4; ++v) {
        for (int sf : {-128, -200, -100000}) {
            EXPECT_EQ(0, To32(v, 0.0f, 1, sf)) << VariantNames[v] << " sf " << sf;
            EXPECT_EQ(0, To16(v, 0.0f, 0, sf)) << VariantNames[v] << " sf " << sf;
            EXPECT_EQ(INT_MAX, To32(v, 1.0f, 1, sf));
            EXPECT_EQ(INT_MIN, To32(v, -1.0e-20f, 1, sf));
        }
        EXPECT_EQ(0, To32(v, 3.0e38f, 1, 150));
        EXPECT_EQ(0, To32(v, -3.0e38f, 0, 1000));
    }
}

TEST(DspConvert, VariantRowsForNaNAndOtherRoundingModes)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(INT_MIN, To32(0, nan, 1, 0));
    EXPECT_EQ(-32768, To16(0, nan, 1, 0));
    EXPECT_EQ(2, To32(0, 2.7f, 2, 0));
    EXPECT_EQ(2, To32(1, 2.7f, 2, 0));
    for (int v = 1; v < 4; ++v) {
        EXPECT_EQ(INT_MAX, To32(v, nan, 1, 0)) << VariantNames[v];
        EXPECT_EQ(INT_MIN, To32(v, -nan, 0, 3)) << VariantNames[v];
        EXPECT_EQ(32767, To16(v, nan, 1, 0)) << VariantNames[v];
        EXPECT_EQ(32767, To16(v, -nan, 0, 0)) << VariantNames[v];
    }
    EXPECT_EQ(3, To32(2, 2.7f, 2, 0));
    EXPECT_EQ(3, To32(3, 2.7f, 5, 0));
}

TEST(DspConvert, RoundingControlIsRestoredAndIgnoredOnEntry)
{
    const unsigned saved = GetCsr();
    const unsigned modes[] = {_MM_ROUND_DOWN, _MM_ROUND_UP, _MM_ROUND_TOWARD_ZERO, _MM_ROUND_NEAREST};
    for (unsigned rc : modes)
        for (int v = 0; v < 4; ++v) {
            float src[9] = {2.5f, 3.5f, -2.5f, 1.7f, -1.7f, 0.5f, 7.5f, -7.5f, 100.25f};
            int d[9];
            short h[9];
            unsigned entry = (saved & ~_MM_ROUND_MASK) | rc;
            SetCsr(entry);
            ASSERT_EQ(StatusOk, To32s[v](src, d, 9, 1, 0));
            EXPECT_EQ(entry, GetCsr()) << VariantNames[v];
            ASSERT_EQ(StatusOk, To16s[v](src, h, 9, 0, 0));
            EXPECT_EQ(entry, GetCsr()) << VariantNames[v];
            SetCsr(saved);
            const int nearest[9] = {2, 4, -2, 2, -2, 0, 8, -8, 100};
            const int truncated[9] = {2, 3, -2, 1, -1, 0, 7, -7, 100};
            for (int i = 0; i < 9; ++i) {
                EXPECT_EQ(nearest[i], d[i]) << VariantNames[v] << " rc " << rc;
                EXPECT_EQ(truncated[i], h[i]) << VariantNames[v] << " rc " << rc;
            }
        }
}

TEST(DspConvert, BadArgumentsWriteNothing)
{
    float f[2] = {1, 2};
    int i32[2] = {7, 7};
    short i16[2] = {7, 7};
    for (int v = VariantGeneric; v <= VariantSse3; ++v) {
        dspsStoreVariant(v);
        EXPECT_EQ(StatusNullPointer, dspsConvert_32f32s_Sfs(nullptr, i32, 0, 1, 0));
        EXPECT_EQ(StatusNullPointer, dspsConvert_32f16s_Sfs(f, nullptr, 2, 1, 0));
        EXPECT_EQ(StatusNullPointer, dspsConvert_32s32f_Sfs(i32, nullptr, 0, 3));
        EXPECT_EQ(StatusNullPointer, dspsConvert_16s32f(nullptr, f, 2));
        EXPECT_EQ(StatusSizeError, dspsConvert_32f32s_Sfs(f, i32, 0, 1, 0));
        EXPECT_EQ(StatusSizeError, dspsConvert_32f16s_Sfs(f, i16, -1, 0, 0));
        EXPECT_EQ(StatusSizeError, dspsConvert_32s32f(i32, f, 0));
        EXPECT_EQ(StatusSizeError, dspsConvert_16s32f_Sfs(i16, f, 0, 2));
        EXPECT_EQ(7, i32[0]);
        EXPECT_EQ(7, i16[0]);
        EXPECT_EQ(1.0f, f[0]);
    }
    dspsStoreVariant(VariantGeneric);
}
