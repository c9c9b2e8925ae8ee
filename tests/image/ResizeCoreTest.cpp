// The resize core's checks, fall-backs, clipping, destination extent, layouts and its
// handling of allocation failures.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ResizeTestSupport.h"

namespace {

class ResizeCoreTest : public ::testing::TestWithParam<int> {
protected:
    const ResizeVariantApi& Api() const { return ResizeVariantAt(GetParam()); }
    LibStatus Core(const void* src, ImageSize size, int srcStep, ImageRect roi, void* dst, int dstStep,
                   ImageSize dstSize, double xf, double yf, int interpolation)
    {
        return Api().core(src, size, srcStep, roi, dst, dstStep, dstSize, xf, yf, 0.0, 0.0, 4, 4, PixelType8u, 0,
                          interpolation, 1);
    }
};

TEST_P(ResizeCoreTest, ChecksArgumentsInOrder)
{
    TestImage<uint8_t> src(8, 8, 4, 7);
    TestImage<uint8_t> dst(8, 8, 4, 9);
    const uint8_t* s = src.data.data();
    uint8_t* d = dst.data.data();
    ImageRect roi = {0, 0, 8, 8};
    ImageSize ds = dst.Size();
    // Each case is also wrong in every later way, so only the order picks the status.
    EXPECT_EQ(StatusNullPointer, Core(nullptr, {0, 0}, 0, {-1, 0, 0, 0}, d, 0, {0, 0}, 0, 0, 8));
    EXPECT_EQ(StatusSizeError, Core(s, {0, 8}, 0, {-1, 0, 0, 0}, d, 0, {0, 0}, 0, 0, 8));
    EXPECT_EQ(StatusStepError, Core(s, {8, 8}, 32, {-1, 0, 0, 0}, d, 0, {0, 0}, 0, 0, 8));
    EXPECT_EQ(StatusSizeError, Core(s, {8, 8}, 32, {-1, 0, 8, 8}, d, 32, {0, 0}, 0, 0, 8));
    EXPECT_EQ(StatusSizeError, Core(s, {8, 8}, 32, {0, 0, 0, 8}, d, 32, {0, 0}, 0, 0, 8));
    EXPECT_EQ(StatusNoIntersection, Core(s, {8, 8}, 32, {8, 0, 4, 4}, d, 32, {0, 0}, 0, 0, 8));
    EXPECT_EQ(StatusNoIntersection, Core(s, {8, 8}, 32, {0, 9, 4, 4}, d, 32, {0, 0}, 0, 0, 8));
    EXPECT_EQ(StatusSizeError, Core(s, {8, 8}, 32, roi, d, 32, {0, 8}, 0, 0, 8));
    EXPECT_EQ(StatusResizeFactorError, Core(s, {8, 8}, 32, roi, d, 32, ds, 0.0, 1.0, 8));
    EXPECT_EQ(StatusResizeFactorError, Core(s, {8, 8}, 32, roi, d, 32, ds, 1.0, -2.0, 8));
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(StatusResizeFactorError, Core(s, {8, 8}, 32, roi, d, 32, ds, nan, 1.0, 8));
    EXPECT_EQ(StatusResizeFactorError, Core(s, {8, 8}, 32, roi, d, 32, ds, 1.0, nan, 3));
    EXPECT_EQ(StatusInterpolationError, Core(s, {8, 8}, 32, roi, d, 32, ds, 1.0, 1.0, 8));
    EXPECT_EQ(StatusInterpolationError, Core(s, {8, 8}, 32, roi, d, 32, ds, 1.0, 1.0, 0));
    for (uint8_t v : dst.data) {
        ASSERT_EQ(9, v);
    }
}

TEST_P(ResizeCoreTest, RejectsLayoutsNoKernelHandles)
{
    TestImage<uint8_t> src(8, 8, 4, 7);
    TestImage<uint8_t> dst(8, 8, 4, 9);
    auto call = [&](int pixelStep, int channels, int type, int planar) {
        return Api().core(src.data.data(), src.Size(), 32, {0, 0, 8, 8}, dst.data.data(), 32, dst.Size(), 1.0, 1.0, 0.0,
                          0.0, pixelStep, channels, type, planar, 2, 1);
    };
    EXPECT_EQ(StatusDataTypeError, call(4, 4, 3, 0));
    EXPECT_EQ(StatusDataTypeError, call(4, 4, -1, 0));
    EXPECT_EQ(StatusChannelError, call(4, 2, 0, 0));
    EXPECT_EQ(StatusChannelError, call(2, 3, 0, 0));
    EXPECT_EQ(StatusChannelError, call(3, 4, 0, 0));
    EXPECT_EQ(StatusChannelError, call(4, 1, 0, 1));
    // A step shorter than one sample would make every row the same (and divide by zero).
    for (int method : {InterpNearest, InterpLinear, InterpCubic, InterpLanczos}) {
        EXPECT_EQ(StatusStepError, Api().core(src.data.data(), {2, 2}, 2, {0, 0, 2, 2}, dst.data.data(), 32, {4, 4},
                                              2.0, 2.0, 0.0, 0.0, 1, 1, PixelType32f, 0, method, 1));
        EXPECT_EQ(StatusStepError, Api().core(src.data.data(), {8, 8}, 64, {0, 0, 8, 8}, dst.data.data(), 1, {4, 4},
                                              2.0, 2.0, 0.0, 0.0, 1, 1, PixelType16u, 0, method, 1));
    }
    const void* planes[4] = {src.data.data(), src.data.data(), nullptr, src.data.data()};
    EXPECT_EQ(StatusNullPointer, Api().core(planes, src.Size(), 8, {0, 0, 8, 8}, planes, 8, dst.Size(), 1.0, 1.0, 0.0,
                                            0.0, 0, 4, 0, 1, 2, 1));
    for (uint8_t v : dst.data) {
        ASSERT_EQ(9, v);
    }
}

TEST_P(ResizeCoreTest, AllocationFailureLeavesNothingBehind)
{
    TestImage<uint8_t> src = RandomImage8u(12, 10, 4, 1);
    for (int method : {InterpNearest, InterpLinear, InterpCubic, InterpLanczos}) {
        TestImage<uint8_t> dst(18, 15, 4, 0x5a);
        int calls;
        {
            AllocProbe probe;
            ASSERT_EQ(StatusOk, CallCore(Api(), src, {0, 0, 12, 10}, dst, 1.5, 1.5, method, 4));
            calls = probe.Calls();
            EXPECT_EQ(0, probe.Live());
        }
        EXPECT_GT(calls, 0) << "method " << method;
        for (int failAt = 1; failAt <= calls; ++failAt) {
            TestImage<uint8_t> untouched(18, 15, 4, 0x5a);
            AllocProbe probe(failAt);
            EXPECT_EQ(StatusNoMemory, CallCore(Api(), src, {0, 0, 12, 10}, untouched, 1.5, 1.5, method, 4));
            EXPECT_EQ(0, probe.Live()) << "method " << method << " failing at " << failAt;
            EXPECT_EQ(TestImage<uint8_t>(18, 15, 4, 0x5a).data, untouched.data);
        }
    }
}

// The fall-back looks at the whole image: a narrow image resizes with the simpler method.
TEST_P(ResizeCoreTest, SmallImagesFallBackToSimplerMethods)
{
    struct Case {
        int width;
        int asked;
        int used;
    };
    for (Case c : {Case{7, InterpLanczos, InterpCubic}, Case{3, InterpLanczos, InterpLinear},
                   Case{3, InterpCubic, InterpLinear}, Case{1, InterpLanczos, InterpNearest},
                   Case{1, InterpLinear, InterpNearest}, Case{8, InterpLanczos, InterpLanczos}}) {
        TestImage<uint8_t> src = RandomImage8u(c.width, 100, 4, c.width);
        TestImage<uint8_t> asked(2 * c.width, 130, 4);
        TestImage<uint8_t> used(2 * c.width, 130, 4);
        ImageRect roi = {0, 0, c.width, 100};
        ASSERT_EQ(StatusOk, CallCore(Api(), src, roi, asked, 2.0, 1.3, c.asked, 4));
        ASSERT_EQ(StatusOk, CallCore(Api(), src, roi, used, 2.0, 1.3, c.used, 4));
        EXPECT_EQ(used.data, asked.data) << "width " << c.width << " asked " << c.asked;
    }
    // A narrow region of a large image keeps the method asked for.
    TestImage<uint8_t> src = RandomImage8u(40, 40, 4, 5);
    TestImage<uint8_t> lanczos(4, 20, 4);
    TestImage<uint8_t> cubic(4, 20, 4);
    ASSERT_EQ(StatusOk, CallCore(Api(), src, {10, 10, 2, 10}, lanczos, 2.0, 2.0, InterpLanczos, 4));
    ASSERT_EQ(StatusOk, CallCore(Api(), src, {10, 10, 2, 10}, cubic, 2.0, 2.0, InterpCubic, 4));
    EXPECT_NE(cubic.data, lanczos.data);
}

TEST_P(ResizeCoreTest, ClipsTheRegionAndCutsTheDestination)
{
    TestImage<uint8_t> src = RandomImage8u(30, 20, 4, 3);
    for (int method : {InterpNearest, InterpLinear, InterpCubic, InterpLanczos}) {
        TestImage<uint8_t> clipped(60, 60, 4, 0xee);
        TestImage<uint8_t> exact(60, 60, 4, 0xee);
        ASSERT_EQ(StatusOk, CallCore(Api(), src, {20, 5, 50, 90}, clipped, 2.0, 1.5, method, 4));
        ASSERT_EQ(StatusOk, CallCore(Api(), src, {20, 5, 10, 15}, exact, 2.0, 1.5, method, 4));
        EXPECT_EQ(exact.data, clipped.data);
        // 10 x 15 at 2 x 1.5 covers 20 x 22 pixels; the rest of the destination stays.
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                if (x >= 20 || y >= 22) {
                    ASSERT_EQ(0xee, clipped.At(x, y, 0)) << x << "," << y;
                }
            }
        }
    }
}

TEST_P(ResizeCoreTest, TinyScaledRegionStillGivesOnePixel)
{
    TestImage<uint8_t> src = RandomImage8u(10, 10, 4, 4);
    for (int method : {InterpNearest, InterpLinear, InterpCubic, InterpLanczos}) {
        TestImage<uint8_t> dst(3, 3, 4, 0xee);
        ASSERT_EQ(StatusOk, CallCore(Api(), src, {0, 0, 1, 1}, dst, 0.5, 0.5, method, 4));
        // Step 0 takes the region's first pixel; nearest takes the centre (0.5 / 0.5, 0.5 / 0.5).
        int at = method == InterpNearest ? 1 : 0;
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(src.At(at, at, c), dst.At(0, 0, c)) << "method " << method;
        }
        EXPECT_EQ(0xee, dst.At(1, 0, 0));
        EXPECT_EQ(0xee, dst.At(0, 1, 0));
    }
}

TEST_P(ResizeCoreTest, NearestTakesPixelCentres)
{
    TestImage<uint8_t> src(10, 10, 4);
    for (int x = 0; x < 10; ++x) {
        for (int y = 0; y < 10; ++y) {
            src.At(x, y, 0) = static_cast<uint8_t>(x);
            src.At(x, y, 1) = static_cast<uint8_t>(y);
        }
    }
    TestImage<uint8_t> dst(8, 8, 4, 0xee);
    ASSERT_EQ(StatusOk, CallCore(Api(), src, {0, 0, 10, 10}, dst, 0.5, 0.5, InterpNearest, 4));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(2 * i + 1, dst.At(i, 0, 0));
        EXPECT_EQ(2 * i + 1, dst.At(0, i, 1));
    }
    EXPECT_EQ(0xee, dst.At(5, 0, 0));
}

TEST_P(ResizeCoreTest, ThreeChannelsInFourBytesKeepTheFourthByte)
{
    TestImage<uint8_t> src = RandomImage8u(16, 12, 4, 6);
    for (int method : {InterpNearest, InterpLinear, InterpCubic, InterpLanczos}) {
        TestImage<uint8_t> three(24, 18, 4, 0x77);
        TestImage<uint8_t> four(24, 18, 4, 0x77);
        ASSERT_EQ(StatusOk, CallCore(Api(), src, {1, 1, 15, 11}, three, 1.5, 1.5, method, 3));
        ASSERT_EQ(StatusOk, CallCore(Api(), src, {1, 1, 15, 11}, four, 1.5, 1.5, method, 4));
        // The SIMD cubic rounds where a four-wide pass runs (contiguous rows) and truncates where
        // it does not (three values in four bytes).
        int tolerance = method == InterpCubic && GetParam() != 0 ? 1 : 0;
        for (size_t i = 0; i < three.data.size(); ++i) {
            if (i % 4 == 3) {
                ASSERT_EQ(0x77, three.data[i]);
            } else {
                ASSERT_NEAR(four.data[i], three.data[i], tolerance) << "method " << method;
            }
        }
    }
}

TEST_P(ResizeCoreTest, PackedThreeChannelsMatchFourChannels)
{
    TestImage<uint8_t> src4 = RandomImage8u(16, 12, 4, 7);
    TestImage<uint8_t> src3(16, 12, 3);
    for (int i = 0; i < 16 * 12; ++i) {
        for (int c = 0; c < 3; ++c) {
            src3.data[3 * i + c] = src4.data[4 * i + c];
        }
    }
    for (int method : {InterpNearest, InterpLinear, InterpCubic, InterpLanczos}) {
        TestImage<uint8_t> three(20, 9, 3);
        TestImage<uint8_t> four(20, 9, 4);
        ASSERT_EQ(StatusOk, CallCore(Api(), src3, {0, 0, 16, 12}, three, 1.25, 0.75, method, 3));
        ASSERT_EQ(StatusOk, CallCore(Api(), src4, {0, 0, 16, 12}, four, 1.25, 0.75, method, 4));
        for (int i = 0; i < 20 * 9; ++i) {
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(four.data[4 * i + c], three.data[3 * i + c]) << "method " << method;
            }
        }
    }
}

TEST_P(ResizeCoreTest, PlanesMatchOneChannelImages)
{
    TestImage<uint8_t> planes[3] = {RandomImage8u(14, 11, 1, 1), RandomImage8u(14, 11, 1, 2),
                                    RandomImage8u(14, 11, 1, 3)};
    for (int method : {InterpNearest, InterpLinear, InterpCubic, InterpLanczos}) {
        TestImage<uint8_t> out[3] = {{21, 8, 1}, {21, 8, 1}, {21, 8, 1}};
        const void* srcPlanes[3] = {planes[0].data.data(), planes[1].data.data(), planes[2].data.data()};
        void* dstPlanes[3] = {out[0].data.data(), out[1].data.data(), out[2].data.data()};
        ASSERT_EQ(StatusOk, Api().core(srcPlanes, {14, 11}, 14, {1, 2, 12, 9}, dstPlanes, 21, {21, 8}, 1.75, 0.9, 0.0,
                                       0.0, 0, 3, PixelType8u, 1, method, 1));
        for (int p = 0; p < 3; ++p) {
            TestImage<uint8_t> single(21, 8, 1);
            ASSERT_EQ(StatusOk, CallCore(Api(), planes[p], {1, 2, 12, 9}, single, 1.75, 0.9, method, 1));
            EXPECT_EQ(single.data, out[p].data) << "method " << method << " plane " << p;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, ResizeCoreTest, ::testing::Range(0, 4), ResizeVariantName);

} // namespace
