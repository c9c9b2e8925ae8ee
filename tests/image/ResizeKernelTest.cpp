// Known results of the nearest, linear, cubic and Lanczos row loops in every variant.
#include <gtest/gtest.h>

#include "ResizeTestSupport.h"

namespace {

class ResizeKernelTest : public ::testing::TestWithParam<int> {
protected:
    const ResizeVariantApi& Api() const { return ResizeVariantAt(GetParam()); }

    // Resizes a constant image so that the destination pixel (x, y) sits at known fractions.
    TestImage<uint8_t> Constant(uint8_t value, int size, double factor, int method)
    {
        TestImage<uint8_t> src(size, size, 4, value);
        int n = static_cast<int>(size * factor + 1e-7);
        TestImage<uint8_t> dst(n, n, 4);
        EXPECT_EQ(StatusOk, CallCore(Api(), src, {0, 0, size, size}, dst, factor, factor, method, 4));
        return dst;
    }
};

// 2 x 2 at 1.5: the centre is the rounded mean of the corners, which stay exact. A lone white
// corner: the horizontal half weight gives 8160 (x64), the vertical blend with a black row 64.
TEST_P(ResizeKernelTest, LinearTwoByTwoBlendsRoundHalfUp)
{
    const uint8_t corners[4][4] = {{0, 255, 10, 1}, {255, 0, 11, 2}, {1, 0, 12, 0}, {0, 0, 14, 0}};
    TestImage<uint8_t> src(2, 2, 4);
    for (int i = 0; i < 4; ++i) {
        for (int c = 0; c < 4; ++c) {
            src.At(i % 2, i / 2, c) = corners[i][c];
        }
    }
    TestImage<uint8_t> dst(3, 3, 4);
    ASSERT_EQ(StatusOk, CallCore(Api(), src, {0, 0, 2, 2}, dst, 1.5, 1.5, InterpLinear, 4));
    for (int c = 0; c < 4; ++c) {
        int sum = corners[0][c] + corners[1][c] + corners[2][c] + corners[3][c];
        EXPECT_EQ((sum + 2) >> 2, dst.At(1, 1, c)) << "channel " << c;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(corners[i][c], dst.At(2 * (i % 2), 2 * (i / 2), c));
        }
    }
    TestImage<uint8_t> corner(2, 2, 4, 0);
    corner.At(1, 1, 0) = 255;
    ASSERT_EQ(StatusOk, CallCore(Api(), corner, {0, 0, 2, 2}, dst, 1.5, 1.5, InterpLinear, 4));
    EXPECT_EQ(64, dst.At(1, 1, 0));
    EXPECT_EQ(128, dst.At(2, 1, 0));
    EXPECT_EQ(128, dst.At(1, 2, 0));
    EXPECT_EQ(255, dst.At(2, 2, 0));
}

// Width 4 at factor 1.75: step 0.5, so destination column 3 sits at t = 0.5 between columns
// 1 and 2, and column 1 at t = -0.5 left of column 1 (taps 0..3). The generic vertical pass
// truncates; the four-wide passes of the others round (95.625 gives 96).
TEST_P(ResizeKernelTest, CubicInterpolatesAndClamps)
{
    struct Case {
        uint8_t p[4];
        int atHalf;
        int atFirst;
    };
    bool rounds = GetParam() != 0;
    for (Case k : {Case{{0, 10, 20, 30}, 15, 5}, Case{{0, 255, 255, 0}, 255, 159},
                   Case{{255, 0, 0, 255}, 0, rounds ? 96 : 95}}) {
        TestImage<uint8_t> src(4, 4, 4);
        for (int x = 0; x < 4; ++x) {
            for (int y = 0; y < 4; ++y) {
                for (int c = 0; c < 4; ++c) {
                    src.At(x, y, c) = k.p[x];
                }
            }
        }
        TestImage<uint8_t> dst(7, 7, 4);
        ASSERT_EQ(StatusOk, CallCore(Api(), src, {0, 0, 4, 4}, dst, 1.75, 1.75, InterpCubic, 4));
        for (int y = 0; y < 7; ++y) {
            EXPECT_EQ(k.p[0], dst.At(0, y, 0));
            EXPECT_EQ(k.atFirst, dst.At(1, y, 2));
            EXPECT_EQ(k.p[1], dst.At(2, y, 1));
            EXPECT_EQ(k.atHalf, dst.At(3, y, 3));
            EXPECT_EQ(k.p[3], dst.At(6, y, 0));
        }
    }
}

TEST_P(ResizeKernelTest, CubicKeepsAConstantImage)
{
    TestImage<uint8_t> dst = Constant(173, 6, 2.5, InterpCubic);
    for (uint8_t v : dst.data) {
        ASSERT_EQ(173, v);
    }
}

// Size 10 at factor 1.9: step 0.5, so odd destination indices sit at fraction 0.5.
TEST_P(ResizeKernelTest, LanczosDarkensAConstantBetweenSamples)
{
    TestImage<uint8_t> white = Constant(255, 10, 1.9, InterpLanczos);
    EXPECT_EQ(255, white.At(0, 0, 0));
    EXPECT_EQ(252, white.At(1, 1, 0));
    EXPECT_EQ(253, white.At(1, 2, 3));
    TestImage<uint8_t> grey = Constant(200, 10, 1.9, InterpLanczos);
    EXPECT_EQ(197, grey.At(3, 5, 1));
    EXPECT_EQ(200, grey.At(4, 6, 1));
    // Size 10 at 3.7: step 0.25.
    EXPECT_EQ(198, Constant(200, 10, 3.7, InterpLanczos).At(1, 1, 2));
}

TEST_P(ResizeKernelTest, LanczosKeepsIntegerPositionsExact)
{
    TestImage<uint8_t> src = RandomImage8u(10, 10, 4, 12);
    TestImage<uint8_t> dst(19, 19, 4);
    ASSERT_EQ(StatusOk, CallCore(Api(), src, {0, 0, 10, 10}, dst, 1.9, 1.9, InterpLanczos, 4));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            for (int c = 0; c < 4; ++c) {
                ASSERT_EQ(src.At(x, y, c), dst.At(2 * x, 2 * y, c));
            }
        }
    }
}

TEST_P(ResizeKernelTest, LanczosSaturatesAtAStep)
{
    TestImage<uint8_t> src(12, 12, 4, 0);
    for (int y = 0; y < 12; ++y) {
        for (int x = 6; x < 12; ++x) {
            src.At(x, y, 0) = 255;
        }
    }
    TestImage<uint8_t> dst(23, 23, 4);
    ASSERT_EQ(StatusOk, CallCore(Api(), src, {0, 0, 12, 12}, dst, 1.9, 1.9, InterpLanczos, 4));
    // Around the edge at 5.5 the lobes overshoot on both sides.
    EXPECT_EQ(0, dst.At(9, 4, 0));
    EXPECT_EQ(255, dst.At(13, 4, 0));
    EXPECT_GT(dst.At(11, 4, 0), 100);
    EXPECT_LT(dst.At(11, 4, 0), 160);
}

// The skin's copies at 0.75; the region starts inside the image so its left and top columns
// read the image beyond the region.
TEST_P(ResizeKernelTest, LanczosAtThreeQuartersMatchesTheReference)
{
    TestImage<uint8_t> src = RandomImage8u(44, 41, 4, 13);
    for (ImageRect roi : {ImageRect{0, 0, 44, 41}, ImageRect{1, 2, 40, 36}, ImageRect{3, 3, 41, 38}}) {
        int w = ReferenceExtent(roi.width, 0.75, 100);
        int h = ReferenceExtent(roi.height, 0.75, 100);
        TestImage<uint8_t> dst(w, h, 4);
        ASSERT_EQ(StatusOk, CallCore(Api(), src, roi, dst, 0.75, 0.75, InterpLanczos, 4));
        int exact = 0;
        for (int y = 0; y < h; ++y) {
            double py = ReferencePosition(y, roi.height, 0.75, InterpLanczos);
            for (int x = 0; x < w; ++x) {
                double px = ReferencePosition(x, roi.width, 0.75, InterpLanczos);
                for (int c = 0; c < 4; ++c) {
                    double v = ReferenceSample(src, roi, px, py, c, InterpLanczos) + 1e-7;
                    int expected = v <= 0 ? 0 : v >= 255 ? 255 : static_cast<int>(v);
                    ASSERT_NEAR(expected, dst.At(x, y, c), 1) << x << "," << y << "," << c;
                    exact += expected == dst.At(x, y, c);
                }
            }
        }
        EXPECT_GT(exact, w * h * 4 * 95 / 100);
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, ResizeKernelTest, ::testing::Range(0, 4), ResizeVariantName);

} // namespace
