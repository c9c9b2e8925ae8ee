#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "TestVectors.h"
#include "VariantBodies.h"

namespace {

typedef LibStatus (*Binary)(const float*, const float*, float*, int);
typedef LibStatus (*InPlace)(const float*, float*, int);
typedef LibStatus (*ScaleF)(float, float*, int);
typedef LibStatus (*ScaleD)(double, double*, int);

const int Lengths[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 64, 1031, 140000};

float RoundedProduct(float a, float b)
{
    return float(double(a) * double(b));
}

float RoundedSum(float a, float b)
{
    return float(double(a) + double(b));
}

} // namespace

TEST(DspArith, MulEqualsRoundedProductInEveryVariantAndAlignment)
{
    const auto bodies = RegisteredBodies<Binary>("dspsMul_32f");
    for (int v = 0; v < 4; ++v)
        for (int len : Lengths)
            for (int o = 0; o < 4; ++o) {
                OffsetVector<float> a(len, o), b(len, (o + 1) & 3), d(len, (o + 2) & 3);
                for (int i = 0; i < len; ++i) {
                    a[i] = TestValue(i, 1);
                    b[i] = TestValue(i, 2);
                }
                ASSERT_EQ(StatusOk, bodies[v](a.data(), b.data(), d.data(), len));
                for (int i = 0; i < len; ++i)
                    ASSERT_TRUE(SameBits(RoundedProduct(a[i], b[i]), d[i]))
                        << VariantNames[v] << " len " << len << " i " << i;
                ASSERT_TRUE(d.TailUntouched());
            }
}

TEST(DspArith, InPlaceMulAndAddInEveryVariantAndAlignment)
{
    const auto muls = RegisteredBodies<InPlace>("dspsMul_32f_I");
    const auto adds = RegisteredBodies<InPlace>("dspsAdd_32f_I");
    for (int v = 0; v < 4; ++v)
        for (int len : Lengths)
            for (int o = 0; o < 4; ++o)
                for (int op = 0; op < 2; ++op) {
                    OffsetVector<float> a(len, o), d(len, (o + 3) & 3);
                    for (int i = 0; i < len; ++i) {
                        a[i] = TestValue(i, 3);
                        d[i] = TestValue(i, 4);
                    }
                    std::vector<float> before(d.data(), d.data() + len);
                    ASSERT_EQ(StatusOk, (op ? adds : muls)[v](a.data(), d.data(), len));
                    for (int i = 0; i < len; ++i) {
                        float want = op ? RoundedSum(a[i], before[i]) : RoundedProduct(a[i], before[i]);
                        ASSERT_TRUE(SameBits(want, d[i])) << VariantNames[v] << " op " << op << " len " << len;
                    }
                    ASSERT_TRUE(d.TailUntouched());
                }
}

TEST(DspArith, SourceMayBeTheDestination)
{
    const auto muls = RegisteredBodies<Binary>("dspsMul_32f");
    const auto adds = RegisteredBodies<InPlace>("dspsAdd_32f_I");
    for (int v = 0; v < 4; ++v) {
        std::vector<float> x(37), y(37);
        for (int i = 0; i < 37; ++i)
            x[i] = y[i] = float(i) - 3.0f;
        ASSERT_EQ(StatusOk, muls[v](x.data(), x.data(), x.data(), 37));
        ASSERT_EQ(StatusOk, adds[v](y.data(), y.data(), 37));
        for (int i = 0; i < 37; ++i) {
            EXPECT_EQ((float(i) - 3) * (float(i) - 3), x[i]);
            EXPECT_EQ(2 * (float(i) - 3), y[i]);
        }
    }
}

TEST(DspArith, ConstantMultiplyAndItsSpecialConstants)
{
    const ScaleF bodies[] = DSP_VARIANT_BODIES(dspsMulC_32f_I);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (int v = 0; v < 4; ++v)
        for (int len : Lengths)
            for (int o = 0; o < 4; ++o) {
                OffsetVector<float> x(len, o);
                for (int i = 0; i < len; ++i)
                    x[i] = TestValue(i, 5);
                x[0] = nan;
                std::vector<float> before(x.data(), x.data() + len);
                for (float keep : {1.0f, nan}) {
                    ASSERT_EQ(StatusOk, bodies[v](keep, x.data(), len));
                    ASSERT_EQ(0, std::memcmp(before.data(), x.data(), len * sizeof(float)));
                }
                ASSERT_EQ(StatusOk, bodies[v](-2.75f, x.data(), len));
                for (int i = 1; i < len; ++i)
                    ASSERT_TRUE(SameBits(RoundedProduct(before[i], -2.75f), x[i])) << VariantNames[v];
                x[0] = -inf;
                ASSERT_EQ(StatusOk, bodies[v](-0.0f, x.data(), len));
                for (int i = 0; i < len; ++i)
                    ASSERT_TRUE(SameBits(0.0f, x[i])) << VariantNames[v] << " len " << len;
                ASSERT_TRUE(x.TailUntouched());
            }
}

TEST(DspArith, ConstantMultiplyOfDoubles)
{
    const ScaleD bodies[] = DSP_VARIANT_BODIES(dspsMulC_64f_I);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int v = 0; v < 4; ++v)
        for (int len : Lengths)
            for (int o = 0; o < 4; ++o) {
                OffsetVector<double> x(len, o);
                for (int i = 0; i < len; ++i)
                    x[i] = double(TestValue(i, 6)) / 3.0;
                std::vector<double> before(x.data(), x.data() + len);
                ASSERT_EQ(StatusOk, bodies[v](nan, x.data(), len));
                ASSERT_EQ(StatusOk, bodies[v](1.0, x.data(), len));
                ASSERT_EQ(0, std::memcmp(before.data(), x.data(), len * sizeof(double)));
                ASSERT_EQ(StatusOk, bodies[v](0.1, x.data(), len));
                for (int i = 0; i < len; ++i)
                    ASSERT_TRUE(SameBits(before[i] * 0.1, x[i])) << VariantNames[v] << " i " << i;
                ASSERT_EQ(StatusOk, bodies[v](0.0, x.data(), len));
                for (int i = 0; i < len; ++i)
                    ASSERT_TRUE(SameBits(0.0, x[i]));
                ASSERT_TRUE(x.TailUntouched());
            }
}

TEST(DspArith, BadArgumentsWriteNothing)
{
    float a[4] = {1, 2, 3, 4}, d[4] = {5, 6, 7, 8};
    double dd[2] = {1, 2};
    for (int v = VariantGeneric; v <= VariantSse3; ++v) {
        dspsStoreVariant(v);
        EXPECT_EQ(StatusNullPointer, dspsMul_32f(a, nullptr, d, 0));
        EXPECT_EQ(StatusNullPointer, dspsMul_32f(nullptr, a, d, 4));
        EXPECT_EQ(StatusNullPointer, dspsMul_32f_I(a, nullptr, 4));
        EXPECT_EQ(StatusNullPointer, dspsAdd_32f_I(nullptr, d, 4));
        EXPECT_EQ(StatusNullPointer, dspsMulC_32f_I(0.0f, nullptr, 0));
        EXPECT_EQ(StatusNullPointer, dspsMulC_64f_I(2.0, nullptr, 1));
        EXPECT_EQ(StatusSizeError, dspsMul_32f(a, a, d, 0));
        EXPECT_EQ(StatusSizeError, dspsMul_32f_I(a, d, -1));
        EXPECT_EQ(StatusSizeError, dspsAdd_32f_I(a, d, 0));
        EXPECT_EQ(StatusSizeError, dspsMulC_32f_I(0.0f, d, 0));
        EXPECT_EQ(StatusSizeError, dspsMulC_64f_I(0.0, dd, -2));
        EXPECT_EQ(5.0f, d[0]);
        EXPECT_EQ(1.0, dd[0]);
    }
    dspsStoreVariant(VariantGeneric);
}
