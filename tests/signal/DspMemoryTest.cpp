#include <gtest/gtest.h>

#include <cstdint>

#include "signal/Dsp.h"

TEST(DspMemory, ImpossibleLengthsGiveNullAndFreeOfNullIsHarmless)
{
    EXPECT_EQ(nullptr, dspsMalloc_32f(0));
    EXPECT_EQ(nullptr, dspsMalloc_32f(-5));
    EXPECT_EQ(nullptr, dspsMalloc_8u(0));
    EXPECT_EQ(nullptr, dspsMalloc_16s(-1));
    EXPECT_EQ(nullptr, dspsMalloc_64f(0));
    EXPECT_EQ(nullptr, dspsMalloc_64f(0x20000000));
    EXPECT_EQ(nullptr, dspsMalloc_32f(0x40000000));
    EXPECT_EQ(nullptr, dspsMalloc_64f(0x7FFFFFFF));
    dspsFree(nullptr);
}

TEST(DspMemory, BlocksAreAlignedAndKeepTheirRawAddress)
{
    for (int len = 1; len < 200; len += 7) {
        void* blocks[] = {dspsMalloc_8u(len), dspsMalloc_16s(len), dspsMalloc_32s(len), dspsMalloc_32f(len),
                          dspsMalloc_64f(len)};
        for (void* b : blocks) {
            ASSERT_NE(nullptr, b);
            std::uintptr_t a = reinterpret_cast<std::uintptr_t>(b);
            EXPECT_EQ(0u, a % 32);
            std::uintptr_t raw = reinterpret_cast<std::uintptr_t*>(b)[-1];
            EXPECT_GE(raw, a - 35);
            EXPECT_LE(raw, a - 4);
            dspsFree(b);
        }
    }
}

TEST(DspMemory, WholeBlockIsWritable)
{
    double* p = dspsMalloc_64f(1000);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(StatusOk, dspsSet_64f(2.0, p, 1000));
    EXPECT_EQ(2.0, p[999]);
    dspsFree(p);
}
