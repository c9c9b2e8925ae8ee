// Supersampling of 8-bit pixels: checks, destination size, the four modes, area averages
// against a double-precision reference, layouts and the mended faults.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ResizeTestSupport.h"

namespace {

// Mean of the source area a destination pixel covers, in double precision.
template <class T>
double AreaMean(const TestImage<T>& src, ImageRect roi, double xs, double ys, int i, int j, int c)
{
    double sum = 0.0;
    for (int y = static_cast<int>(j * ys); y < (j + 1) * ys && y < roi.height; ++y) {
        double wy = std::min(y + 1.0, (j + 1) * ys) - std::max<double>(y, j * ys);
        for (int x = static_cast<int>(i * xs); x < (i + 1) * xs && x < roi.width; ++x) {
            double wx = std::min(x + 1.0, (i + 1) * xs) - std::max<double>(x, i * xs);
            sum += wx * wy * src.At(roi.x + x, roi.y + y, c);
        }
    }
    return sum / (xs * ys);
}

class ResizeSuperTest : public ::testing::TestWithParam<int> {
protected:
    const ResizeVariantApi& Api() const { return ResizeVariantAt(GetParam()); }

    LibStatus Super(const TestImage<uint8_t>& src, ImageRect roi, TestImage<uint8_t>& dst, double xf, double yf,
                    int channels = 4)
    {
        return CallSuper(Api(), src, roi, dst, xf, yf, channels);
    }

    // The destination against the area mean, rounded half up; returns how many were exact.
    void ExpectAreaMeans(const TestImage<uint8_t>& src, ImageRect roi, int w, int h)
    {
        TestImage<uint8_t> dst(w, h, 4);
        double xf = static_cast<double>(w) / roi.width;
        double yf = static_cast<double>(h) / roi.height;
        ASSERT_EQ(StatusOk, Super(src, roi, dst, xf, yf));
        int exact = 0;
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                for (int c = 0; c < 4; ++c) {
                    double mean = AreaMean(src, roi, 1.0 / xf, 1.0 / yf, i, j, c);
                    int expected = static_cast<int>(mean + 0.5);
                    ASSERT_NEAR(expected, dst.At(i, j, c), 1) << i << "," << j << "," << c;
                    exact += expected == dst.At(i, j, c);
                }
            }
        }
        EXPECT_GT(exact, w * h * 4 * 9 / 10);
    }
};

TEST_P(ResizeSuperTest, ChecksArgumentsInOrder)
{
    TestImage<uint8_t> src(8, 8, 4, 7);
    TestImage<uint8_t> dst(8, 8, 4, 9);
    auto call = [&](const void* s, ImageSize size, int step, ImageRect roi, int dstStep, ImageSize ds, double xf,
                    double yf) {
        return Api().super(s, size, step, roi, dst.data.data(), dstStep, ds, xf, yf, 4, 4, 0, 0);
    };
    const uint8_t* s = src.data.data();
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(StatusNullPointer, call(nullptr, {0, 0}, 0, {-1, 0, 0, 0}, 0, {0, 0}, 0, 0));
    EXPECT_EQ(StatusSizeError, call(s, {8, 0}, 0, {-1, 0, 0, 0}, 0, {0, 0}, 0, 0));
    EXPECT_EQ(StatusStepError, call(s, {8, 8}, 0, {-1, 0, 0, 0}, 32, {0, 0}, 0, 0));
    EXPECT_EQ(StatusStepError, call(s, {8, 8}, 32, {-1, 0, 0, 0}, 0, {0, 0}, 0, 0));
    EXPECT_EQ(StatusSizeError, call(s, {8, 8}, 32, {0, -1, 8, 8}, 32, {0, 0}, 0, 0));
    EXPECT_EQ(StatusNoIntersection, call(s, {8, 8}, 32, {8, 0, 8, 8}, 32, {0, 0}, 0, 0));
    EXPECT_EQ(StatusSizeError, call(s, {8, 8}, 32, {0, 0, 8, 8}, 32, {4, 0}, 0, 0));
    EXPECT_EQ(StatusResizeFactorError, call(s, {8, 8}, 32, {0, 0, 8, 8}, 32, {4, 4}, 0, 0.5));
    EXPECT_EQ(StatusResizeFactorError, call(s, {8, 8}, 32, {0, 0, 8, 8}, 32, {4, 4}, 0.5, nan));
    EXPECT_EQ(StatusResizeFactorError, call(s, {8, 8}, 32, {0, 0, 8, 8}, 32, {4, 4}, -1, 0.5));
    // Factors above 1 are outside what the area average is made for.
    EXPECT_EQ(StatusResizeFactorError, call(s, {8, 8}, 32, {0, 0, 8, 8}, 32, {4, 4}, 1.5, 0.5));
    // A pixel type no kernel handles is an error, not a silent success.
    EXPECT_EQ(StatusDataTypeError,
              Api().super(s, {8, 8}, 32, {0, 0, 8, 8}, dst.data.data(), 32, {4, 4}, 0.5, 0.5, 4, 4, 3, 0));
    EXPECT_EQ(StatusStepError,
              Api().super(s, {8, 8}, 3, {0, 0, 8, 8}, dst.data.data(), 32, {4, 4}, 0.5, 0.5, 1, 1, PixelType32f, 0));
    EXPECT_EQ(StatusChannelError,
              Api().super(s, {8, 8}, 32, {0, 0, 8, 8}, dst.data.data(), 32, {4, 4}, 0.5, 0.5, 2, 3, PixelType8u, 0));
    for (uint8_t v : dst.data) {
        ASSERT_EQ(9, v);
    }
}

TEST_P(ResizeSuperTest, HalfSizeRoundsBlockMeansHalfUp)
{
    TestImage<uint8_t> src(4, 2, 4, 10);
    src.At(0, 1, 0) = 11;
    src.At(1, 1, 0) = 11; // block 10 + 10 + 11 + 11 = 42
    src.At(3, 1, 0) = 11; // block 10 + 10 + 10 + 11 = 41
    src.At(2, 0, 1) = 1;
    src.At(3, 0, 1) = 2;
    src.At(2, 1, 1) = 2;
    src.At(3, 1, 1) = 2; // 1, 2, 2, 2 -> 1.75 -> 2
    TestImage<uint8_t> dst(2, 1, 4);
    ASSERT_EQ(StatusOk, Super(src, {0, 0, 4, 2}, dst, 0.5, 0.5));
    EXPECT_EQ(11, dst.At(0, 0, 0));
    EXPECT_EQ(10, dst.At(1, 0, 0));
    EXPECT_EQ(2, dst.At(1, 0, 1));
    EXPECT_EQ(10, dst.At(0, 0, 2));
}

TEST_P(ResizeSuperTest, FractionalColumnsWeighTheSharedColumn)
{
    TestImage<uint8_t> src(10, 1, 4);
    const uint8_t c[10] = {10, 200, 31, 77, 5, 250, 3, 9, 100, 60};
    for (int x = 0; x < 10; ++x) {
        src.At(x, 0, 0) = c[x];
    }
    TestImage<uint8_t> dst(4, 1, 4);
    ASSERT_EQ(StatusOk, Super(src, {0, 0, 10, 1}, dst, 0.4, 1.0));
    EXPECT_EQ(static_cast<int>((c[0] + c[1] + 0.5 * c[2]) * 0.4 + 0.5), dst.At(0, 0, 0));
    EXPECT_EQ(static_cast<int>((0.5 * c[2] + c[3] + c[4]) * 0.4 + 0.5), dst.At(1, 0, 0));
    EXPECT_EQ(static_cast<int>((c[5] + c[6] + 0.5 * c[7]) * 0.4 + 0.5), dst.At(2, 0, 0));
    EXPECT_EQ(static_cast<int>((0.5 * c[7] + c[8] + c[9]) * 0.4 + 0.5), dst.At(3, 0, 0));
}

TEST_P(ResizeSuperTest, SizesTheDestinationFromTheRegion)
{
    TestImage<uint8_t> src(120, 12, 4, 90);
    TestImage<uint8_t> dst(80, 10, 4, 1);
    ASSERT_EQ(StatusOk, Super(src, {10, 0, 100, 12}, dst, 0.75, 0.75));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 80; ++x) {
            ASSERT_EQ(x < 75 && y < 9 ? 90 : 1, dst.At(x, y, 0)) << x << "," << y;
        }
    }
    // A region past the image is clipped first: 20 columns remain, 10 at 0.5.
    TestImage<uint8_t> clipped(80, 10, 4, 1);
    ASSERT_EQ(StatusOk, Super(src, {100, 0, 50, 12}, clipped, 0.5, 0.5));
    EXPECT_EQ(90, clipped.At(9, 5, 0));
    EXPECT_EQ(1, clipped.At(10, 5, 0));
    EXPECT_EQ(1, clipped.At(9, 6, 0));
}

TEST_P(ResizeSuperTest, UniformImagesStayUniform)
{
    for (uint8_t value : {0, 1, 128, 254, 255}) {
        TestImage<uint8_t> src(60, 45, 4, value);
        for (double f : {0.5, 1.0 / 3, 0.75, 0.4, 0.7, 1.0, 1.0 / (3 - 3e-8), 0.999999}) {
            int w = ReferenceExtent(60, f, 100);
            int h = ReferenceExtent(45, f, 100);
            TestImage<uint8_t> dst(w, h, 4);
            ASSERT_EQ(StatusOk, Super(src, {0, 0, 60, 45}, dst, f, f));
            for (uint8_t v : dst.data) {
                ASSERT_EQ(value, v) << "factor " << f;
            }
        }
    }
}

TEST_P(ResizeSuperTest, FactorOneCopiesTheRegion)
{
    TestImage<uint8_t> src = RandomImage8u(20, 15, 4, 31);
    TestImage<uint8_t> dst(12, 9, 4);
    ASSERT_EQ(StatusOk, Super(src, {3, 4, 12, 9}, dst, 1.0, 1.0));
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 12; ++x) {
            for (int c = 0; c < 4; ++c) {
                ASSERT_EQ(src.At(x + 3, y + 4, c), dst.At(x, y, c));
            }
        }
    }
}

// The skin's half-size copies: whole steps, whole rows with fractional columns, both fractional.
TEST_P(ResizeSuperTest, SkinReductionsMatchAreaMeans)
{
    TestImage<uint8_t> src = RandomImage8u(40, 30, 4, 32);
    ExpectAreaMeans(src, {0, 0, 40, 30}, 20, 15);
    ExpectAreaMeans(src, {2, 3, 31, 22}, 15, 11);
    ExpectAreaMeans(src, {5, 1, 17, 17}, 6, 6);
    ExpectAreaMeans(src, {0, 0, 40, 30}, 30, 22);
}

TEST_P(ResizeSuperTest, ThreeChannelsInFourBytesKeepTheFourthByte)
{
    TestImage<uint8_t> src = RandomImage8u(30, 20, 4, 33);
    for (double f : {0.5, 0.75}) {
        TestImage<uint8_t> three(23, 15, 4, 0x77);
        TestImage<uint8_t> four(23, 15, 4, 0x77);
        ASSERT_EQ(StatusOk, Super(src, {0, 0, 30, 20}, three, f, f, 3));
        ASSERT_EQ(StatusOk, Super(src, {0, 0, 30, 20}, four, f, f, 4));
        for (size_t i = 0; i < three.data.size(); ++i) {
            ASSERT_EQ(i % 4 == 3 ? 0x77 : four.data[i], three.data[i]);
        }
    }
}

TEST_P(ResizeSuperTest, OneChannelAndPlanesMatchFourChannels)
{
    TestImage<uint8_t> src = RandomImage8u(30, 20, 4, 34);
    TestImage<uint8_t> planes[4] = {{30, 20, 1}, {30, 20, 1}, {30, 20, 1}, {30, 20, 1}};
    for (size_t i = 0; i < src.data.size(); ++i) {
        planes[i % 4].data[i / 4] = src.data[i];
    }
    for (double f : {0.5, 0.4, 0.75}) {
        TestImage<uint8_t> four(22, 15, 4);
        ASSERT_EQ(StatusOk, Super(src, {1, 1, 29, 19}, four, f, f));
        TestImage<uint8_t> out[4] = {{22, 15, 1}, {22, 15, 1}, {22, 15, 1}, {22, 15, 1}};
        const void* srcPlanes[4];
        void* dstPlanes[4];
        for (int p = 0; p < 4; ++p) {
            srcPlanes[p] = planes[p].data.data();
            dstPlanes[p] = out[p].data.data();
        }
        ASSERT_EQ(StatusOk, Api().super(srcPlanes, {30, 20}, 30, {1, 1, 29, 19}, dstPlanes, 22, {22, 15}, f, f, 0, 4,
                                        PixelType8u, 1));
        TestImage<uint8_t> single(22, 15, 1);
        ASSERT_EQ(StatusOk, Super(planes[2], {1, 1, 29, 19}, single, f, f, 1));
        for (size_t i = 0; i < single.data.size(); ++i) {
            ASSERT_EQ(four.data[4 * i + 2], single.data[i]) << "factor " << f;
            for (int p = 0; p < 4; ++p) {
                ASSERT_EQ(four.data[4 * i + p], out[p].data[i]) << "factor " << f;
            }
        }
    }
}

TEST_P(ResizeSuperTest, AllocationFailureLeavesNothingBehind)
{
    TestImage<uint8_t> src = RandomImage8u(30, 20, 4, 35);
    for (double f : {0.5, 0.75}) {
        TestImage<uint8_t> dst(20, 20, 4, 0x33);
        AllocProbe probe(1);
        EXPECT_EQ(StatusNoMemory, Super(src, {0, 0, 30, 20}, dst, f, f));
        EXPECT_EQ(1, probe.Calls());
        EXPECT_EQ(0, probe.Live());
        EXPECT_EQ(TestImage<uint8_t>(20, 20, 4, 0x33).data, dst.data);
    }
    AllocProbe probe;
    TestImage<uint8_t> dst(20, 20, 4);
    EXPECT_EQ(StatusOk, Super(src, {0, 0, 30, 20}, dst, 0.4, 0.7));
    EXPECT_EQ(0, probe.Live());
}

// A row of 2^28 + 1 pixels needs 2^32 + 16 accumulator bytes: refused as out of memory without
// asking for a block (sizes only; the source is never read).
TEST_P(ResizeSuperTest, ARowTooLongForItsAccumulatorIsRefused)
{
    const int width = (1 << 28) + 1;
    uint8_t pixel[4] = {}, out[4] = {};
    AllocProbe probe(1); // a wrapped request then fails instead of running the kernel
    EXPECT_EQ(StatusNoMemory, Api().super(pixel, {width, 1}, width * 4, {0, 0, width, 1}, out, 4, {1, 1},
                                          1.0 / (1 << 28), 1.0, 4, 4, PixelType8u, 0));
    EXPECT_EQ(0, probe.Calls());
}

// A region smaller than one destination pixel gives that pixel the region's mean and reads
// nothing around it.
TEST_P(ResizeSuperTest, TinyRegionAveragesOnlyTheRegion)
{
    TestImage<uint8_t> src(8, 8, 4, 250);
    src.At(3, 4, 0) = 10;
    src.At(4, 4, 0) = 30;
    for (double f : {0.4, 0.5, 0.1, 1e-300}) {
        TestImage<uint8_t> dst(3, 3, 4, 1);
        ASSERT_EQ(StatusOk, Super(src, {3, 4, 2, 1}, dst, f, f));
        EXPECT_EQ(20, dst.At(0, 0, 0)) << "factor " << f;
        EXPECT_EQ(250, dst.At(0, 0, 1));
        EXPECT_EQ(1, dst.At(1, 0, 0));
        EXPECT_EQ(1, dst.At(0, 1, 0));
    }
}

// Columns that would run past the destination width are never computed: a request cut
// short writes only its own pixels.
TEST_P(ResizeSuperTest, StopsAtTheRequestedWidth)
{
    TestImage<uint8_t> src = RandomImage8u(30, 20, 4, 36);
    TestImage<uint8_t> full(22, 15, 4);
    TestImage<uint8_t> cut(22, 15, 4, 0x44);
    ASSERT_EQ(StatusOk, Super(src, {0, 0, 30, 20}, full, 0.7, 0.7));
    ASSERT_EQ(StatusOk, Api().super(src.data.data(), src.Size(), src.StepBytes(), {0, 0, 30, 20}, cut.data.data(),
                                    cut.StepBytes(), {5, 4}, 0.7, 0.7, 4, 4, 0, 0));
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 22; ++x) {
            for (int c = 0; c < 4; ++c) {
                ASSERT_EQ(x < 5 && y < 4 ? full.At(x, y, c) : 0x44, cut.At(x, y, c));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, ResizeSuperTest, ::testing::Range(0, 4), ResizeVariantName);

} // namespace
