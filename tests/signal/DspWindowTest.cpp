#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "TestVectors.h"
#include "VariantBodies.h"

namespace {

typedef LibStatus (*Hamming)(const float*, float*, int);
typedef LibStatus (*Blackman)(float*, int);
const Hamming Hammings[] = DSP_VARIANT_BODIES(dspsWinHamming_32f);
const Blackman Blackmans[] = DSP_VARIANT_BODIES(dspsWinBlackmanStd_32f_I);

const double TwoPi = 6.283185307179586476925286766559;
const int Lengths[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 64, 1000, 1025, 1026, 4096};

double HammingAt(int k, int n)
{
    return 0.54 - 0.46 * std::cos(TwoPi * k / (n - 1));
}

double BlackmanAt(int k, int n)
{
    double a = double(-0.16f);
    double t = TwoPi * k / (n - 1);
    return (a + 1) / 2 - 0.5 * std::cos(t) - a / 2 * std::cos(2 * t);
}

// Single precision agreement on the scale of the window's peak (the SIMD
// kernels form weights near the ends with single-precision cancellation).
void ExpectNear(double want, float got, float source, const char* variant, int n, int k)
{
    ASSERT_NEAR(want, got, 1e-6 * std::fabs(source) + 1e-30) << variant << " n " << n << " k " << k;
}

} // namespace

TEST(DspWindow, HammingInEveryVariantLengthAndAlignment)
{
    for (int v = 0; v < 4; ++v)
        for (int n : Lengths)
            for (int o = 0; o < 4; ++o) {
                OffsetVector<float> src(n, o), dst(n, (o + 1) & 3);
                for (int k = 0; k < n; ++k)
                    src[k] = TestValue(k, 31);
                ASSERT_EQ(StatusOk, Hammings[v](src.data(), dst.data(), n));
                for (int k = 0; k < n; ++k)
                    ExpectNear(src[k] * HammingAt(k, n), dst[k], src[k], VariantNames[v], n, k);
                if (n % 2) {
                    ASSERT_TRUE(SameBits(src[n / 2], dst[n / 2]));
                }
                ASSERT_TRUE(dst.TailUntouched());
                std::vector<float> separate(dst.data(), dst.data() + n);
                ASSERT_EQ(StatusOk, Hammings[v](src.data(), src.data(), n));
                ASSERT_EQ(0, std::memcmp(separate.data(), src.data(), n * sizeof(float)));
            }
}

TEST(DspWindow, BlackmanInEveryVariantLengthAndAlignment)
{
    for (int v = 0; v < 4; ++v)
        for (int n : Lengths)
            for (int o = 0; o < 4; ++o) {
                OffsetVector<float> x(n, o);
                std::vector<float> before(n);
                for (int k = 0; k < n; ++k)
                    before[k] = x[k] = TestValue(k, 32);
                ASSERT_EQ(StatusOk, Blackmans[v](x.data(), n));
                for (int k = 0; k < n; ++k) {
                    if (n > 3 || k != 1)
                        ExpectNear(before[k] * BlackmanAt(k, n), x[k], before[k], VariantNames[v], n, k);
                }
                // The generic variant multiplies the ends by exactly 0, the others store +0.0.
                if (v == 0 && n > 3) {
                    ASSERT_TRUE(x[0] == 0.0f && x[n - 1] == 0.0f);
                } else {
                    ASSERT_TRUE(SameBits(0.0f, x[0]) && SameBits(0.0f, x[n - 1])) << VariantNames[v];
                }
                if (n % 2) {
                    ASSERT_TRUE(SameBits(before[n / 2], x[n / 2])) << VariantNames[v] << " n " << n;
                }
                ASSERT_TRUE(x.TailUntouched());
            }
}

TEST(DspWindow, KnownShapes)
{
    for (int v = 0; v < 4; ++v) {
        float ones[3] = {1, 1, 1}, out[3];
        ASSERT_EQ(StatusOk, Hammings[v](ones, out, 3));
        EXPECT_FLOAT_EQ(0.08f, out[0]);
        EXPECT_EQ(1.0f, out[1]);
        EXPECT_FLOAT_EQ(0.08f, out[2]);
        float three[3] = {5, 7, -9};
        ASSERT_EQ(StatusOk, Blackmans[v](three, 3));
        EXPECT_TRUE(SameBits(0.0f, three[0]) && SameBits(0.0f, three[2]));
        EXPECT_EQ(7.0f, three[1]);
        std::vector<float> w(4096, 1.0f);
        ASSERT_EQ(StatusOk, Blackmans[v](w.data(), 4096));
        EXPECT_EQ(0.0f, w[0]);
        EXPECT_EQ(0.0f, w[4095]);
        for (int k = 0; k < 2048; ++k)
            ASSERT_EQ(w[k], w[4095 - k]) << VariantNames[v] << " k " << k;
        EXPECT_LT(w[2047], 1.0f);
        EXPECT_GT(w[2047], 0.9999f);
    }
}

TEST(DspWindow, BadArguments)
{
    float x[4] = {1, 2, 3, 4};
    for (int v = VariantGeneric; v <= VariantSse3; ++v) {
        dspsStoreVariant(v);
        EXPECT_EQ(StatusNullPointer, dspsWinHamming_32f(nullptr, x, 4));
        EXPECT_EQ(StatusNullPointer, dspsWinHamming_32f(x, nullptr, 2));
        EXPECT_EQ(StatusNullPointer, dspsWinBlackmanStd_32f_I(nullptr, 1));
        EXPECT_EQ(StatusSizeError, dspsWinHamming_32f(x, x, 2));
        EXPECT_EQ(StatusSizeError, dspsWinBlackmanStd_32f_I(x, 2));
        EXPECT_EQ(1.0f, x[0]);
        EXPECT_EQ(2.0f, x[1]);
    }
    dspsStoreVariant(VariantGeneric);
}
