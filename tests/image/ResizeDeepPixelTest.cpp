// Lanczos and supersampling of 16-bit and float pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "ResizeTestSupport.h"

namespace {

class ResizeDeepPixelTest : public ::testing::TestWithParam<int> {
protected:
    const ResizeVariantApi& Api() const { return ResizeVariantAt(GetParam()); }

    template <class T>
    LibStatus Super(const TestImage<T>& src, ImageRect roi, TestImage<T>& dst, double xf, double yf, int channels)
    {
        return CallSuper(Api(), src, roi, dst, xf, yf, channels);
    }

    template <class T>
    TestImage<T> Lanczos(const TestImage<T>& src, ImageRect roi, double xf, double yf, int channels)
    {
        TestImage<T> dst(ReferenceExtent(roi.width, xf, 200), ReferenceExtent(roi.height, yf, 200), src.pixelStep,
                         T(7));
        EXPECT_EQ(StatusOk, CallCore(Api(), src, roi, dst, xf, yf, InterpLanczos, channels));
        return dst;
    }
};

TEST_P(ResizeDeepPixelTest, LanczosAtScaleOneCopies)
{
    TestImage<uint8_t> src8 = RandomImage8u(23, 17, 4, 11);
    EXPECT_EQ(src8.data, Lanczos(src8, {0, 0, 23, 17}, 1.0, 1.0, 4).data);
    TestImage<uint16_t> src16 = RandomImage16u(17, 13, 4, 61);
    EXPECT_EQ(src16.data, Lanczos(src16, {0, 0, 17, 13}, 1.0, 1.0, 4).data);
    TestImage<float> src32 = RandomImage32f(17, 13, 1, 62);
    EXPECT_EQ(src32.data, Lanczos(src32, {0, 0, 17, 13}, 1.0, 1.0, 1).data);
}

// Size 10 at factor 1.9: odd destination indices sit at fraction 0.5.
TEST_P(ResizeDeepPixelTest, LanczosDarkensFlatSixteenBitImages)
{
    EXPECT_EQ(988, Lanczos(TestImage<uint16_t>(10, 10, 1, 1000), {0, 0, 10, 10}, 1.9, 1.9, 1).At(1, 1, 0));
    EXPECT_EQ(0, Lanczos(TestImage<uint16_t>(10, 10, 1, 1), {0, 0, 10, 10}, 1.9, 1.9, 1).At(3, 5, 0));
    EXPECT_EQ(1000, Lanczos(TestImage<uint16_t>(10, 10, 4, 1000), {0, 0, 10, 10}, 1.9, 1.9, 4).At(2, 4, 3));
}

TEST_P(ResizeDeepPixelTest, LanczosSaturatesSixteenBitsButNotFloats)
{
    TestImage<uint16_t> step16(12, 12, 1, 0);
    TestImage<float> step32(12, 12, 1, 0.0f);
    for (int y = 0; y < 12; ++y) {
        for (int x = 6; x < 12; ++x) {
            step16.At(x, y, 0) = 65535;
            step32.At(x, y, 0) = 1.0f;
        }
    }
    TestImage<uint16_t> out16 = Lanczos(step16, {0, 0, 12, 12}, 1.9, 1.9, 1);
    TestImage<float> out32 = Lanczos(step32, {0, 0, 12, 12}, 1.9, 1.9, 1);
    EXPECT_EQ(0, out16.At(9, 4, 0));
    EXPECT_EQ(65535, out16.At(13, 4, 0));
    EXPECT_LT(out32.At(9, 4, 0), -0.01f);
    EXPECT_GT(out32.At(13, 4, 0), 1.01f);
}

// Regions next to each border: taps outside the image repeat the edge, taps outside the region
// but inside the image read the image.
TEST_P(ResizeDeepPixelTest, LanczosHandlesEveryBorderDistance)
{
    TestImage<uint16_t> src16 = RandomImage16u(12, 11, 4, 63);
    TestImage<float> src32 = RandomImage32f(12, 11, 3, 64);
    for (ImageRect roi : {ImageRect{0, 0, 5, 5}, ImageRect{1, 1, 5, 5}, ImageRect{2, 2, 6, 6}, ImageRect{9, 8, 3, 3},
                          ImageRect{10, 9, 2, 2}, ImageRect{11, 10, 1, 1}, ImageRect{4, 0, 3, 11}}) {
        for (double f : {2.6, 0.8, 0.3}) {
            TestImage<uint16_t> out16 = Lanczos(src16, roi, f, f, 3);
            TestImage<float> out32 = Lanczos(src32, roi, f, f, 3);
            for (int y = 0; y < out16.height; ++y) {
                double py = ReferencePosition(y, roi.height, f, InterpLanczos);
                for (int x = 0; x < out16.width; ++x) {
                    double px = ReferencePosition(x, roi.width, f, InterpLanczos);
                    for (int c = 0; c < 3; ++c) {
                        double v = std::trunc(ReferenceSample(src16, roi, px, py, c, InterpLanczos) + 1e-7);
                        ASSERT_NEAR(v < 0       ? 0
                                    : v > 65535 ? 65535
                                                : v,
                                    out16.At(x, y, c), 1)
                            << roi.x << "," << roi.y << " factor " << f << " at " << x << "," << y;
                        ASSERT_NEAR(ReferenceSample(src32, roi, px, py, c, InterpLanczos), out32.At(x, y, c), 2e-5);
                    }
                    ASSERT_EQ(7, out16.At(x, y, 3));
                }
            }
        }
    }
}

TEST_P(ResizeDeepPixelTest, SuperSixteenBitHalfSizeRoundsHalfUp)
{
    const uint16_t blocks[4][4] = {{1, 1, 0, 0}, {1, 0, 0, 0}, {3, 0, 0, 0}, {1, 1, 1, 0}};
    const uint16_t expected[4] = {1, 0, 1, 1};
    TestImage<uint16_t> src(8, 2, 1);
    for (int b = 0; b < 4; ++b) {
        for (int i = 0; i < 4; ++i) {
            src.At(2 * b + i % 2, i / 2, 0) = blocks[b][i];
        }
    }
    TestImage<uint16_t> dst(4, 1, 1);
    ASSERT_EQ(StatusOk, Super(src, {0, 0, 8, 2}, dst, 0.5, 0.5, 1));
    for (int b = 0; b < 4; ++b) {
        EXPECT_EQ(expected[b], dst.At(b, 0, 0)) << "block " << b;
    }
}

// Whole steps of 512 x 256 pixels sum more than 32 bits hold.
TEST_P(ResizeDeepPixelTest, SuperSixteenBitLargeFootprintsDoNotWrap)
{
    TestImage<uint16_t> white(512, 256, 1, 65535);
    TestImage<uint16_t> dst(1, 1, 4);
    ASSERT_EQ(StatusOk, Super(white, {0, 0, 512, 256}, dst, 1.0 / 512, 1.0 / 256, 1));
    EXPECT_EQ(65535, dst.At(0, 0, 0));
    TestImage<uint16_t> halves(512, 256, 4, 40000);
    for (int i = 0; i < 512 * 128 * 4; ++i) {
        halves.data[i] = 20000;
    }
    ASSERT_EQ(StatusOk, Super(halves, {0, 0, 512, 256}, dst, 1.0 / 512, 1.0 / 256, 4));
    EXPECT_EQ(30000, dst.At(0, 0, 2));
    TestImage<uint16_t> thirds(300, 300, 1, 65535);
    ASSERT_EQ(StatusOk, Super(thirds, {0, 0, 300, 300}, dst, 1.0 / 3, 1.0 / 3, 1));
    EXPECT_EQ(65535, dst.At(0, 0, 0));
}

TEST_P(ResizeDeepPixelTest, SuperFractionalColumnsShareTheBorderColumn)
{
    TestImage<uint16_t> row(3, 1, 1);
    row.data = {10, 20, 30};
    TestImage<uint16_t> dst(2, 1, 1);
    ASSERT_EQ(StatusOk, Super(row, {0, 0, 3, 1}, dst, 2.0 / 3, 1.0, 1));
    EXPECT_EQ(13, dst.At(0, 0, 0));
    EXPECT_EQ(27, dst.At(1, 0, 0));
    // A step just below a whole number: the leading sliver of the second pixel is dropped and
    // it takes the next three columns whole.
    TestImage<uint16_t> ramp(9, 1, 1);
    ramp.data = {100, 200, 300, 400, 500, 600, 700, 800, 900};
    TestImage<uint16_t> out(3, 1, 1);
    ASSERT_EQ(StatusOk, Super(ramp, {0, 0, 9, 1}, out, 1.0 / (3 - 3e-8), 1.0, 1));
    EXPECT_EQ(200, out.At(0, 0, 0));
    EXPECT_EQ(500, out.At(1, 0, 0));
    EXPECT_EQ(800, out.At(2, 0, 0));
}

TEST_P(ResizeDeepPixelTest, SuperFloatAveragesWithoutRounding)
{
    TestImage<float> src(2, 2, 4);
    const float block[4] = {1, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        src.At(i % 2, i / 2, 0) = block[i];
        src.At(i % 2, i / 2, 1) = -0.0f;
        src.At(i % 2, i / 2, 2) = -1e30f;
    }
    TestImage<float> dst(1, 1, 4);
    ASSERT_EQ(StatusOk, Super(src, {0, 0, 2, 2}, dst, 0.5, 0.5, 4));
    EXPECT_EQ(2.5f, dst.At(0, 0, 0));
    EXPECT_FALSE(std::signbit(dst.At(0, 0, 1)));
    EXPECT_FLOAT_EQ(-1e30f, dst.At(0, 0, 2));
    TestImage<float> copy(2, 2, 4);
    ASSERT_EQ(StatusOk, Super(src, {0, 0, 2, 2}, copy, 1.0, 1.0, 4));
    EXPECT_FALSE(std::signbit(copy.At(1, 1, 1)));
    EXPECT_EQ(4.0f, copy.At(1, 1, 0));
}

// Rows at 0.4: row 0 = rows 0, 1 and half of 2; row 1 = half of 2, rows 3 and 4.
TEST_P(ResizeDeepPixelTest, SuperFloatFractionalRows)
{
    TestImage<float> src(1, 10, 1);
    for (int y = 0; y < 10; ++y) {
        src.At(0, y, 0) = static_cast<float>(1 << y);
    }
    TestImage<float> dst(1, 4, 1);
    ASSERT_EQ(StatusOk, Super(src, {0, 0, 1, 10}, dst, 1.0, 0.4, 1));
    EXPECT_FLOAT_EQ((1 + 2 + 0.5f * 4) * 0.4f, dst.At(0, 0, 0));
    EXPECT_FLOAT_EQ((0.5f * 4 + 8 + 16) * 0.4f, dst.At(0, 1, 0));
    EXPECT_FLOAT_EQ((32 + 64 + 0.5f * 128) * 0.4f, dst.At(0, 2, 0));
    EXPECT_FLOAT_EQ((0.5f * 128 + 256 + 512) * 0.4f, dst.At(0, 3, 0));
}

TEST_P(ResizeDeepPixelTest, SuperConstantImagesStayConstant)
{
    for (double f : {0.5, 1.0 / 3, 0.75, 0.4, 0.7, 1.0 / (3 + 2e-8)}) {
        TestImage<uint16_t> src16(30, 24, 4, 65535);
        TestImage<float> src32(30, 24, 3, 0.3f);
        TestImage<uint16_t> out16(30, 24, 4, 5);
        TestImage<float> out32(30, 24, 3, 5.0f);
        ASSERT_EQ(StatusOk, Super(src16, {0, 0, 30, 24}, out16, f, f, 3));
        ASSERT_EQ(StatusOk, Super(src32, {0, 0, 30, 24}, out32, f, f, 3));
        int w = ReferenceExtent(30, f, 30);
        int h = ReferenceExtent(24, f, 24);
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 30; ++x) {
                bool inside = x < w && y < h;
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(inside ? 65535 : 5, out16.At(x, y, c)) << "factor " << f;
                    ASSERT_NEAR(inside ? 0.3f : 5.0f, out32.At(x, y, c), 1e-6) << "factor " << f;
                }
                ASSERT_EQ(5, out16.At(x, y, 3));
            }
        }
    }
}

TEST_P(ResizeDeepPixelTest, SuperPlanesMatchSeparateCalls)
{
    TestImage<float> planes[3] = {RandomImage32f(20, 14, 1, 65), RandomImage32f(20, 14, 1, 66),
                                  RandomImage32f(20, 14, 1, 67)};
    TestImage<float> out[3] = {{9, 6, 1}, {9, 6, 1}, {9, 6, 1}};
    const void* srcPlanes[3];
    void* dstPlanes[3];
    for (int p = 0; p < 3; ++p) {
        srcPlanes[p] = planes[p].data.data();
        dstPlanes[p] = out[p].data.data();
    }
    ASSERT_EQ(StatusOk, Api().super(srcPlanes, {20, 14}, 80, {1, 0, 19, 14}, dstPlanes, 36, {9, 6}, 0.45, 0.45, 0, 3,
                                    PixelType32f, 1));
    for (int p = 0; p < 3; ++p) {
        TestImage<float> single(9, 6, 1);
        ASSERT_EQ(StatusOk, Super(planes[p], {1, 0, 19, 14}, single, 0.45, 0.45, 1));
        EXPECT_EQ(single.data, out[p].data);
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, ResizeDeepPixelTest, ::testing::Range(0, 4), ResizeVariantName);

// The SSE2 and SSE3 row sums of one-channel floats keep the last (width mod 16) columns in
// double: they agree with each other bit for bit and with the others to the last bit.
TEST(ResizeDeepPixelVariants, FloatRowSumsAgree)
{
    TestImage<float> src = RandomImage32f(37, 40, 1, 68);
    TestImage<float> out[4] = {{9, 10, 1}, {9, 10, 1}, {9, 10, 1}, {9, 10, 1}};
    for (int v = 0; v < 4; ++v) {
        ASSERT_EQ(StatusOk,
                  ResizeVariantAt(v).super(src.data.data(), src.Size(), src.StepBytes(), {0, 0, 36, 40},
                                           out[v].data.data(), 36, {9, 10}, 0.25, 0.25, 1, 1, PixelType32f, 0));
    }
    EXPECT_EQ(out[2].data, out[3].data);
    EXPECT_EQ(out[0].data, out[1].data);
    for (size_t i = 0; i < out[0].data.size(); ++i) {
        EXPECT_NEAR(out[0].data[i], out[2].data[i], 1e-6f);
    }
}

} // namespace
