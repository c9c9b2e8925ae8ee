#include "analysis/CBiquad.h"
#include "analysis/CBiquadCascade.h"
#include "analysis/RtaFilterTables.h"
#include "signal/DspRegistry.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {
const double kPi = 3.14159265358979323846;
// The RTA's first decimation low-pass, rounded to seven digits.
const double kDen[4][6] = {{1, 0, 0, 1, -0.9797641, 0.2790509},
                           {1, 0, 0, 1, -0.8482666, 0.4657191},
                           {1, 0, 0, 1, -0.7075532, 0.6993034},
                           {1, 0, 0, 1, -0.6483569, 0.9028871}};
const double kNum[4][6] = {{0.07833804, 0, 0, 1, 1.809473, 1},
                           {0.2121034, 0, 0, 1, 0.9110917, 1},
                           {0.4342468, 0, 0, 1, 0.2838401, 1},
                           {0.618384, 0, 0, 1, 0.02872359, 1}};

// Level in dB of the cascade's settled response to a sine at the given
// fraction of the sample rate.
double ResponseDb(double fraction)
{
    CBiquadCascade c;
    EXPECT_TRUE(c.Design(kDen, kNum, 1.0f, 8));
    const int n = 8192;
    std::vector<float> x(n);
    for (int i = 0; i < n; ++i)
        x[i] = static_cast<float>(std::cos(2.0 * kPi * fraction * i));
    c.Filter(x.data(), x.data(), n);
    double peak = 0.0;
    for (int i = n / 2; i < n; ++i)
        peak = std::max(peak, std::fabs(static_cast<double>(x[i])));
    return 20.0 * std::log10(peak);
}

// The sections run one sample at a time: what every block kernel must equal
// bit for bit.
std::vector<float> SampleBySample(const double (*den)[6], const double (*num)[6], int sections,
                                  const std::vector<float>& x, float gain)
{
    std::vector<CBiquad> chain(sections);
    for (int k = 0; k < sections; ++k)
        chain[k].SetCoefficients(&den[k][3], &num[k][3]);
    std::vector<float> y(x.size());
    for (size_t i = 0; i < x.size(); ++i) {
        float v = x[i];
        for (CBiquad& s : chain)
            v = s.Process(v);
        y[i] = v * gain;
    }
    return y;
}
} // namespace

TEST(Biquad, SectionNormalisesByA0AndRunsDirectFormOne)
{
    CBiquad b;
    b.SetCoefficients(2.0f, -1.0f, 0.0f, 2.0f, 0.0f, 0.0f); // y = x + 0.5 y1
    float expected = 1.0f;
    EXPECT_FLOAT_EQ(b.Process(1.0f), expected);
    for (int i = 0; i < 10; ++i) {
        expected *= 0.5f;
        EXPECT_FLOAT_EQ(b.Process(0.0f), expected);
    }
    const double a[3] = {1.0, 0.0, 0.0}, num[3] = {0.25, 0.5, 0.25};
    b.SetCoefficients(a, num); // states start again from zero
    EXPECT_FLOAT_EQ(b.Process(4.0f), 1.0f);
    EXPECT_FLOAT_EQ(b.Process(0.0f), 2.0f);
    EXPECT_FLOAT_EQ(b.Process(0.0f), 1.0f);
    EXPECT_FLOAT_EQ(b.Process(0.0f), 0.0f);
}

TEST(BiquadCascade, FirstDecimatorPassesDcAndStopsQuarterRate)
{
    EXPECT_NEAR(ResponseDb(0.0), -0.02, 0.02);
    EXPECT_LT(ResponseDb(0.25), -75.0);
    CBiquadCascade c;
    ASSERT_TRUE(c.Design(kDen, kNum, 2.0f, 8));
    EXPECT_EQ(c.GetSectionCount(), 4);
    EXPECT_NEAR(c.GetOutputGain(), 2.0 * 0.07833804 * 0.2121034 * 0.4342468 * 0.618384, 1e-8);
}

TEST(BiquadCascade, OrderBelowTwoOnlyScalesAndOddOrderDropsTheHalfSection)
{
    CBiquadCascade c;
    ASSERT_TRUE(c.Design(kDen, kNum, 1.5f, 1));
    EXPECT_EQ(c.GetSectionCount(), 0);
    const float in[3] = {1.0f, -2.0f, 0.5f};
    float out[3];
    ASSERT_TRUE(c.Filter(in, out, 3));
    EXPECT_FLOAT_EQ(out[0], 1.5f);
    EXPECT_FLOAT_EQ(out[1], -3.0f);
    EXPECT_FLOAT_EQ(out[2], 0.75f);
    ASSERT_TRUE(c.Design(kDen, kNum, 1.0f, 5));
    EXPECT_EQ(c.GetSectionCount(), 2);
}

TEST(BiquadCascade, BadInputIsRefused)
{
    CBiquadCascade c;
    EXPECT_FALSE(c.Design(nullptr, kNum, 1.0f, 8));
    EXPECT_EQ(c.GetSectionCount(), 0);
    float v = 1.0f;
    EXPECT_FALSE(c.Filter(nullptr, &v, 1));
    EXPECT_FALSE(c.Filter(&v, nullptr, 1));
    EXPECT_FALSE(c.Filter(&v, &v, -1));
    EXPECT_TRUE(c.Filter(&v, &v, 0));
}

// Every processor variant's block kernel, in place, equals the sections run
// one sample at a time, bit for bit, across blocks and through decaying tails.
TEST(BiquadCascade, EveryVariantEqualsTheSectionsSampleBySample)
{
    const int n = 700;
    std::vector<float> x(n);
    for (int i = 0; i < n; ++i)
        x[i] = i < 300 ? static_cast<float>(std::sin(0.07 * i) + 0.5 * std::cos(2.1 * i)) : 0.0f;
    CBiquadCascade designed;
    ASSERT_TRUE(designed.Design(kDen, kNum, 3.0f, 8));
    const std::vector<float> reference = SampleBySample(kDen, kNum, 4, x, designed.GetOutputGain());
    for (int variant : {VariantGeneric, VariantSse, VariantSse2, VariantSse3}) {
        dspsStoreVariant(variant);
        CBiquadCascade c;
        ASSERT_TRUE(c.Design(kDen, kNum, 3.0f, 8));
        std::vector<float> y = x;
        // Blocks shorter than the cascade as well as longer ones.
        for (int at = 0, size = 1; at < n; at += size, size = size % 70 + 2)
            c.Filter(y.data() + at, y.data() + at, std::min(size, n - at));
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(y[i], reference[i]) << variant << " " << i;
    }
    dspsStoreVariant(VariantGeneric);
}

TEST(BiquadCascade, LongCascadeEqualsItsSections)
{
    const int sections = 20;
    std::vector<std::array<double, 6>> den(sections), num(sections);
    for (int k = 0; k < sections; ++k) {
        den[k] = {1, 0, 0, 1, kDen[k % 4][4], kDen[k % 4][5]};
        num[k] = {1.0, 0, 0, kNum[k % 4][3], kNum[k % 4][4], kNum[k % 4][5]};
    }
    const auto* rowsDen = reinterpret_cast<const double(*)[6]>(den.data());
    const auto* rowsNum = reinterpret_cast<const double(*)[6]>(num.data());
    const int n = 300;
    std::vector<float> x(n), y(n);
    for (int i = 0; i < n; ++i)
        x[i] = static_cast<float>(std::sin(0.21 * i));
    const std::vector<float> reference = SampleBySample(rowsDen, rowsNum, sections, x, 1.0f);
    for (int variant : {VariantGeneric, VariantSse2}) {
        dspsStoreVariant(variant);
        CBiquadCascade c;
        ASSERT_TRUE(c.Design(rowsDen, rowsNum, 1.0f, 2 * sections));
        ASSERT_EQ(c.GetSectionCount(), sections);
        c.Filter(x.data(), y.data(), 100);
        c.Filter(x.data() + 100, y.data() + 100, n - 100);
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(y[i], reference[i]) << variant << " " << i;
    }
    dspsStoreVariant(VariantGeneric);
}

// Pairs of the decimators' shape (four sections) and of the band-passes' (eight, numerator
// 1, 0, -1), in blocks long enough for every section to have a sample and in shorter ones.
TEST(BiquadCascade, PairEqualsEachCascadeAlone)
{
    const double den2[4][6] = {
        {1, 0, 0, 1, -1.5, 0.9}, {1, 0, 0, 1, -1.2, 0.5}, {1, 0, 0, 1, 0.3, 0.2}, {1, 0, 0, 1, -0.1, 0.7}};
    double bandDen[2][kRtaBandPassSections][6], bandNum[2][kRtaBandPassSections][6];
    for (int band = 0; band < 2; ++band)
        ASSERT_TRUE(RtaBandPassRows(48000, 1, 20 + band, bandDen[band], bandNum[band]));
    struct Shape {
        const double (*denA)[6];
        const double (*denB)[6];
        const double (*numA)[6];
        const double (*numB)[6];
        int order;
        int block;
    };
    const Shape shapes[] = {{kDen, den2, kNum, kNum, 8, 50},
                            {kDen, den2, kNum, kNum, 8, 3},
                            {bandDen[0], bandDen[1], bandNum[0], bandNum[1], 16, 50},
                            {bandDen[0], bandDen[1], bandNum[0], bandNum[1], 16, 4}};
    std::vector<float> x(200);
    for (int i = 0; i < 200; ++i)
        x[i] = static_cast<float>(std::sin(0.3 * i) - 0.2 * std::cos(0.011 * i * i));
    for (const Shape& shape : shapes) {
        for (int variant : {VariantGeneric, VariantSse2, VariantSse3}) {
            dspsStoreVariant(variant);
            CBiquadCascade a, b, pa, pb;
            ASSERT_TRUE(a.Design(shape.denA, shape.numA, 1.0f, shape.order));
            ASSERT_TRUE(b.Design(shape.denB, shape.numB, 0.5f, shape.order));
            ASSERT_TRUE(pa.Design(shape.denA, shape.numA, 1.0f, shape.order));
            ASSERT_TRUE(pb.Design(shape.denB, shape.numB, 0.5f, shape.order));
            std::vector<float> ya(200), yb(200), za(200), zb(200);
            for (int at = 0; at < 200; at += shape.block) {
                const int n = std::min(shape.block, 200 - at);
                a.Filter(x.data() + at, ya.data() + at, n);
                b.Filter(x.data() + at, yb.data() + at, n);
                ASSERT_TRUE(CBiquadCascade::FilterPair(pa, pb, x.data() + at, za.data() + at, zb.data() + at, n));
            }
            for (int i = 0; i < 200; ++i) {
                ASSERT_EQ(za[i], ya[i]) << shape.order << " " << shape.block << " " << variant << " " << i;
                ASSERT_EQ(zb[i], yb[i]) << shape.order << " " << shape.block << " " << variant << " " << i;
            }
        }
    }
    // Cascades of different lengths still filter, one after the other.
    CBiquadCascade pa, pb, shorter;
    ASSERT_TRUE(pa.Design(kDen, kNum, 1.0f, 8));
    ASSERT_TRUE(pb.Design(den2, kNum, 0.5f, 8));
    ASSERT_TRUE(shorter.Design(kDen, kNum, 1.0f, 4));
    std::vector<float> za(50), zb(50);
    EXPECT_TRUE(CBiquadCascade::FilterPair(pa, shorter, x.data(), za.data(), zb.data(), 50));
    EXPECT_FALSE(CBiquadCascade::FilterPair(pa, pb, nullptr, za.data(), zb.data(), 50));
    dspsStoreVariant(VariantGeneric);
}
