#include "signal/DspRegistry.h"
#include "tests/signal/fft/FftTestUtil.h"
#include <gtest/gtest.h>
#include <cstring>
#include <tuple>

using namespace ffttest;

class FftSimdOrder : public ::testing::TestWithParam<std::tuple<int, int>> {};

// Every variant against the generic one: all layouts, out of place and in place, destinations
// 4, 8 and 12 bytes off alignment, misaligned and absent work buffers.
TEST_P(FftSimdOrder, MatchesGeneric)
{
    const int variant = std::get<0>(GetParam());
    const int order = std::get<1>(GetParam());
    if (!Supported(variant))
        GTEST_SKIP() << "the processor lacks the variant's instructions";
    const int n = 1 << order;
    Spec generic(order, 4);
    Spec simd(order, 4, variant);
    ASSERT_EQ(simd.status(), StatusOk);
    ASSERT_EQ(simd.get()->variant, variant);
    const std::vector<float> x = RandomSignal(n, 9 * order + variant);
    std::vector<unsigned char> work(simd.bufSize() + 32);
    const double tol = 2e-6 * (order > 1 ? order : 1);
    int round = 0;
    for (Layout layout : kLayouts) {
        if (order > 16 && layout != Layout::Ccs)
            continue;
        const int floats = SpectrumFloats(n, layout);
        std::vector<float> want(floats), back(n);
        ASSERT_EQ(Forward(layout, x.data(), want.data(), generic.get(), nullptr), StatusOk);
        ASSERT_EQ(Inverse(layout, want.data(), back.data(), generic.get(), nullptr), StatusOk);
        for (int offset : {0, 1, 2, 3}) {
            unsigned char* buffer = (round++ & 1) ? work.data() + 5 : nullptr;
            std::vector<float> storage(floats + 8);
            const int toAligned = (4 - reinterpret_cast<uintptr_t>(storage.data()) / 4 % 4) % 4;
            float* dst = storage.data() + toAligned + offset;
            ASSERT_EQ(Forward(layout, x.data(), dst, simd.get(), buffer), StatusOk);
            EXPECT_LT(RelativeRms(dst, want.data(), floats), tol) << "forward offset " << offset;
            ASSERT_EQ(Inverse(layout, want.data(), dst, simd.get(), buffer), StatusOk);
            EXPECT_LT(RelativeRms(dst, back.data(), n), tol) << "inverse offset " << offset;
            std::memcpy(dst, x.data(), n * sizeof(float));
            ASSERT_EQ(Forward(layout, dst, dst, simd.get(), buffer), StatusOk);
            EXPECT_LT(RelativeRms(dst, want.data(), floats), tol) << "in place offset " << offset;
            ASSERT_EQ(Inverse(layout, dst, dst, simd.get(), buffer), StatusOk);
            EXPECT_LT(RelativeRms(dst, x.data(), n), tol) << "round trip offset " << offset;
            if (order > 16)
                break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, FftSimdOrder,
                         ::testing::Combine(::testing::Values(VariantSse, VariantSse2, VariantSse3),
                                            ::testing::Range(0, 23)));

TEST(FftSimd, WorkBufferSizes)
{
    struct Case {
        int variant;
        int order;
        int bytes;
    };
    const Case cases[] = {
        {VariantSse, 4, 80},       {VariantSse, 10, 4112},    {VariantSse, 11, 8208},    {VariantSse, 12, 8208},
        {VariantSse, 14, 9232},    {VariantSse, 17, 16400},   {VariantSse, 20, 40976},   {VariantSse2, 12, 16400},
        {VariantSse2, 14, 65552},  {VariantSse2, 17, 266256}, {VariantSse2, 20, 327696}, {VariantSse3, 12, 16400},
        {VariantSse3, 17, 524304}, {VariantSse3, 20, 532496},
    };
    for (const Case& c : cases) {
        Spec spec(c.order, 1, c.variant);
        ASSERT_EQ(spec.status(), StatusOk);
        EXPECT_EQ(spec.bufSize(), c.bytes) << c.variant << " order " << c.order;
    }
}

// No MMX state is left behind: x87 arithmetic right after a transform is exact.
TEST(FftSimd, LeavesTheFpuClean)
{
    const int n = 4096;
    std::vector<float> x = RandomSignal(n, 5), y(n + 2);
    for (int variant : {VariantSse, VariantSse2, VariantSse3}) {
        if (!Supported(variant))
            continue;
        Spec spec(12, 1, variant);
        ASSERT_EQ(dspsFFTFwd_RToCCS_32f(x.data(), y.data(), spec.get(), nullptr), StatusOk);
        volatile long double a = 1.5L, b = 2.25L;
        EXPECT_EQ(a * b, 3.375L);
        ASSERT_EQ(dspsFFTInv_CCSToR_32f(y.data(), x.data(), spec.get(), nullptr), StatusOk);
        volatile double c = 0.1, d = 3.0;
        EXPECT_EQ(c * d, 0.30000000000000004);
    }
}

class FftSimdLargest : public ::testing::TestWithParam<int> {};

// Orders 23 and 24 of every variant (a second recursion level in SSE) against the generic
// result, as memory allows.
TEST_P(FftSimdLargest, MatchesGeneric)
{
    const int order = GetParam();
    const int n = 1 << order;
    Spec generic(order, 1);
    if (generic.status() == StatusNoMemory)
        GTEST_SKIP() << "no memory for order " << order;
    std::vector<float> x = RandomSignal(n, order), want(n + 2), y(n + 2);
    ASSERT_EQ(dspsFFTFwd_RToCCS_32f(x.data(), want.data(), generic.get(), nullptr), StatusOk);
    for (int variant : {VariantSse, VariantSse2, VariantSse3}) {
        Spec simd(order, 1, variant);
        if (!Supported(variant) || simd.status() == StatusNoMemory)
            continue;
        ASSERT_EQ(dspsFFTFwd_RToCCS_32f(x.data(), y.data(), simd.get(), nullptr), StatusOk);
        EXPECT_LT(RelativeRms(y.data(), want.data(), n + 2), 2e-6 * order) << variant;
        ASSERT_EQ(dspsFFTInv_CCSToR_32f(y.data(), y.data(), simd.get(), nullptr), StatusOk);
        EXPECT_LT(RelativeRms(y.data(), x.data(), n), 2e-6 * order) << variant;
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, FftSimdLargest, ::testing::Values(23, 24));
