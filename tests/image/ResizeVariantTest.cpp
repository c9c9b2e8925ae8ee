// How far the processor variants may differ: the same sums in other precisions.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ResizeTestSupport.h"

namespace {

template <class T>
TestImage<T> Resize(int variant, const TestImage<T>& src, double xf, double yf, int method)
{
    ImageRect roi = {1, 1, src.width - 1, src.height - 2};
    TestImage<T> dst(ReferenceExtent(roi.width, xf, 99), ReferenceExtent(roi.height, yf, 99), src.pixelStep);
    EXPECT_EQ(StatusOk, CallCore(ResizeVariantAt(variant), src, roi, dst, xf, yf, method, 4));
    return dst;
}

TEST(ResizeVariants, Sse2AndSse3GiveIdenticalImages)
{
    TestImage<uint8_t> src8 = RandomImage8u(31, 27, 4, 41);
    TestImage<uint16_t> src16 = RandomImage16u(31, 27, 4, 42);
    TestImage<float> src32 = RandomImage32f(31, 27, 4, 43);
    for (int method : {InterpNearest, InterpLinear, InterpCubic, InterpLanczos}) {
        for (double f : {0.75, 1.37, 0.4}) {
            EXPECT_EQ(Resize(2, src8, f, f, method).data, Resize(3, src8, f, f, method).data);
            EXPECT_EQ(Resize(2, src16, f, f, method).data, Resize(3, src16, f, f, method).data);
            EXPECT_EQ(Resize(2, src32, f, f, method).data, Resize(3, src32, f, f, method).data);
        }
    }
}

TEST(ResizeVariants, IntegerMethodsAgreeEverywhere)
{
    TestImage<uint8_t> src8 = RandomImage8u(31, 27, 4, 44);
    TestImage<uint16_t> src16 = RandomImage16u(31, 27, 4, 45);
    for (int method : {InterpNearest, InterpLinear}) {
        for (int v = 1; v < 4; ++v) {
            EXPECT_EQ(Resize(0, src8, 1.3, 0.7, method).data, Resize(v, src8, 1.3, 0.7, method).data);
            EXPECT_EQ(Resize(0, src16, 0.6, 2.1, method).data, Resize(v, src16, 0.6, 2.1, method).data);
        }
    }
}

// Lanczos may differ by one level where a sum lies within rounding of an integer, which stays
// rare; the four-wide cubic passes round where the generic one truncates.
TEST(ResizeVariants, FloatingMethodsDifferByAtMostOneLevel)
{
    TestImage<uint8_t> src = RandomImage8u(40, 33, 4, 46);
    for (int method : {InterpCubic, InterpLanczos}) {
        TestImage<uint8_t> generic = Resize(0, src, 0.75, 0.75, method);
        for (int v = 1; v < 4; ++v) {
            TestImage<uint8_t> other = Resize(v, src, 0.75, 0.75, method);
            int differ = 0;
            for (size_t i = 0; i < generic.data.size(); ++i) {
                ASSERT_LE(std::abs(generic.data[i] - other.data[i]), 1);
                differ += generic.data[i] != other.data[i];
            }
            if (method == InterpLanczos) {
                EXPECT_LT(differ, static_cast<int>(generic.data.size()) / 50) << "variant " << v;
            }
        }
    }
}

} // namespace
