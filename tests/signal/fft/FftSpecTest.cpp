#include "signal/fft/RealFftSpec.h"
#include "signal/DspRegistry.h"
#include "tests/signal/fft/FftTestUtil.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

using namespace ffttest;

TEST(FftSpec, RejectsBadArgumentsWithoutAllocating)
{
    EXPECT_EQ(dspsFFTInitAlloc_R_32f(nullptr, 4, 1, 0), StatusNullPointer);
    const long long before = HeapBytesInUse();
    RealFftSpec* untouched = reinterpret_cast<RealFftSpec*>(0x1234);
    for (int order : {-1, 31})
        EXPECT_EQ(dspsFFTInitAlloc_R_32f(&untouched, order, 1, 0), StatusFftOrderError);
    EXPECT_EQ(dspsFFTInitAlloc_R_32f(&untouched, 31, 3, 0), StatusFftOrderError);
    for (int flag : {0, 3, 5, 16})
        EXPECT_EQ(dspsFFTInitAlloc_R_32f(&untouched, 12, flag, 0), StatusFftFlagError);
    // Tables of order 30 (and 29) cannot exist in a 32-bit process.
    EXPECT_EQ(dspsFFTInitAlloc_R_32f(&untouched, 30, 1, 0), StatusNoMemory);
    EXPECT_EQ(dspsFFTInitAlloc_R_32f(&untouched, 29, 8, 0), StatusNoMemory);
    EXPECT_EQ(untouched, reinterpret_cast<RealFftSpec*>(0x1234));
    EXPECT_EQ(HeapBytesInUse(), before);
}

namespace {
SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}
} // namespace

// Orders whose tables outgrow a 32-bit address space are refused before any
// table is built: the process never touches the memory their first tables take.
TEST(FftSpec, OrdersThatCannotFitAreRefusedBeforeAnyTable)
{
    const SIZE_T firstTableOf28 = SIZE_T(1) << 28; // its sine table alone
    for (int variant : {VariantGeneric, VariantSse, VariantSse2, VariantSse3}) {
        dspsStoreVariant(variant);
        for (int order : {28, 29, 30}) {
            RealFftSpec* untouched = nullptr;
            const SIZE_T before = PeakWorkingSet();
            EXPECT_EQ(dspsFFTInitAlloc_R_32f(&untouched, order, 1, 0), StatusNoMemory) << variant << " " << order;
            EXPECT_LT(PeakWorkingSet() - before, firstTableOf28 / 4) << variant << " " << order;
            EXPECT_EQ(untouched, nullptr);
        }
    }
    dspsStoreVariant(VariantGeneric);
}

TEST(FftSpec, ScalingFollowsTheFlag)
{
    struct Case {
        int flag;
        int fwd;
        int inv;
        float scale;
    };
    const Case cases[] = {{1, 1, 0, 1.0f / 4096}, {2, 0, 1, 1.0f / 4096}, {4, 1, 1, 1.0f / 64}, {8, 0, 0, 0.0f}};
    for (const Case& c : cases) {
        Spec spec(12, c.flag);
        ASSERT_EQ(spec.status(), StatusOk);
        EXPECT_EQ(spec.get()->kind, 6);
        EXPECT_EQ(spec.get()->forwardScaled, c.fwd) << c.flag;
        EXPECT_EQ(spec.get()->inverseScaled, c.inv) << c.flag;
        EXPECT_EQ(spec.get()->scale, c.scale) << c.flag;
    }
}

TEST(FftSpec, WorkBufferSizes)
{
    const int sizes[][2] = {{0, 0},   {3, 0},   {4, 0},     {10, 0},    {11, 0},
                            {12, 16}, {13, 16}, {14, 1040}, {17, 8208}, {20, 32784}};
    for (const auto& s : sizes) {
        Spec spec(s[0], 1);
        ASSERT_EQ(spec.status(), StatusOk) << s[0];
        EXPECT_EQ(spec.bufSize(), s[1]) << "order " << s[0];
    }
}

TEST(FftSpec, GetBufSizeAndFreeCheckTheirArguments)
{
    Spec spec(12, 1);
    int size = -1;
    EXPECT_EQ(dspsFFTGetBufSize_R_32f(nullptr, &size), StatusNullPointer);
    EXPECT_EQ(dspsFFTGetBufSize_R_32f(spec.get(), nullptr), StatusNullPointer);
    EXPECT_EQ(dspsFFTFree_R_32f(nullptr), StatusNullPointer);
    RealFftSpec notASpec = *spec.get();
    notASpec.kind = 5;
    EXPECT_EQ(dspsFFTGetBufSize_R_32f(&notASpec, &size), StatusWrongSpec);
    EXPECT_EQ(size, -1);
    EXPECT_EQ(dspsFFTFree_R_32f(&notASpec), StatusWrongSpec);
    EXPECT_EQ(notASpec.kind, 5);
}

TEST(FftSpec, FreeReleasesEverything)
{
    const long long before = HeapBytesInUse();
    for (int order : {3, 11, 12, 16}) {
        RealFftSpec* spec = nullptr;
        ASSERT_EQ(dspsFFTInitAlloc_R_32f(&spec, order, 4, 1), StatusOk);
        EXPECT_GT(HeapBytesInUse(), before);
        EXPECT_EQ(dspsFFTFree_R_32f(spec), StatusOk);
    }
    EXPECT_EQ(HeapBytesInUse(), before);
}
