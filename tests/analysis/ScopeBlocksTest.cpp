#include "analysis/CDelayLine16.h"
#include "analysis/DcBlockQ12.h"
#include "analysis/OnePoleCascade.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <vector>

namespace {
int16_t Settle(int coefficient, int poles, int16_t value)
{
    OnePoleCascade c;
    c.Init(coefficient, poles);
    std::vector<int16_t> in(4000, value), out(4000);
    c.Process(in.data(), out.data(), 4000);
    return out.back();
}
} // namespace

TEST(DelayLine16, ZeroDelayPassesAndDelayOutputsZerosFirst)
{
    CDelayLine16 d;
    ASSERT_TRUE(d.Init(4096));
    std::vector<int16_t> in(300), out(300);
    for (int i = 0; i < 300; ++i)
        in[i] = static_cast<int16_t>(i + 1);
    d.SetDelay(0);
    d.Process(in.data(), out.data(), 300);
    EXPECT_EQ(in, out);

    d.SetDelay(46);
    // Split blocks, one of them in place, give the same continuous delay.
    d.Process(in.data(), out.data(), 100);
    std::vector<int16_t> rest(in.begin() + 100, in.end());
    d.ProcessInPlace(rest.data(), 200);
    std::copy(rest.begin(), rest.end(), out.begin() + 100);
    for (int i = 0; i < 46; ++i)
        ASSERT_EQ(out[i], 0) << i;
    for (int i = 46; i < 300; ++i)
        ASSERT_EQ(out[i], in[i - 46]) << i;
}

TEST(DelayLine16, DelayLimitsAndOddLengths)
{
    CDelayLine16 d;
    ASSERT_TRUE(d.Init(4096));
    d.SetDelay(10);
    d.SetDelay(4096);
    EXPECT_EQ(d.GetDelay(), 10);
    d.SetDelay(-5);
    EXPECT_EQ(d.GetDelay(), 0);
    ASSERT_TRUE(d.Init(1000));
    EXPECT_EQ(d.GetLength(), 1024);
    EXPECT_FALSE(d.Init(0));
    int16_t s[3] = {1, 2, 3};
    EXPECT_TRUE(d.Process(s, s, 3)); // no storage: passes through
    EXPECT_EQ(s[2], 3);
    EXPECT_FALSE(d.Process(nullptr, s, 3));
}

TEST(OnePoleCascade, FivePolesSettleOnPositiveConstantsAndFewerFallShort)
{
    EXPECT_EQ(Settle(300, 5, 1000), 1000);
    EXPECT_EQ(Settle(300, 4, 1000), 993);
    EXPECT_EQ(Settle(300, 5, -1000), -992);
    EXPECT_EQ(Settle(300, 4, -1000), -1000);
    EXPECT_EQ(Settle(1500, 5, 30000), 30000);
}

TEST(OnePoleCascade, CoefficientBitsFourToElevenSetTheSpeed)
{
    // 300 -> 18/256 per stage: after one sample of 8000 the first stage holds 562.
    OnePoleCascade c;
    c.Init(300, 1);
    const int16_t in[1] = {1000};
    int16_t out[1];
    c.Process(in, out, 1);
    EXPECT_EQ(c.state[0], (8000 * 18) >> 8);
    EXPECT_EQ(out[0], ((8000 * 18) >> 8) >> 3);
    OnePoleCascade d;
    d.Init(300 + 4096, 1); // bits above 11 are ignored
    d.Process(in, out, 1);
    EXPECT_EQ(d.state[0], c.state[0]);
    OnePoleCascade bad;
    bad.Init(300, 6);
    out[0] = 77;
    EXPECT_FALSE(bad.Process(in, out, 1));
    EXPECT_EQ(out[0], 77);
}

TEST(DcBlockQ12, RemovesDcKeepsGainAndDoesNotWrapBeyondSixteenBits)
{
    OnePoleCascade rec;
    rec.Init(0, 0);
    std::vector<int32_t> dc(48000, 5000);
    ASSERT_TRUE(DcBlockQ12(&rec, dc.data(), 48000));
    EXPECT_NEAR(dc[0], 5000, 2);
    EXPECT_LT(std::abs(dc.back()), 10);

    std::vector<int32_t> fast(200);
    for (int i = 0; i < 200; ++i)
        fast[i] = i % 2 ? -1000 : 1000;
    OnePoleCascade unity;
    unity.Init(0, 0);
    DcBlockQ12(&unity, fast.data(), 200);
    EXPECT_NEAR(fast[199], -1000, 2);

    // Steps of +-1.5 million (a hot float input at +30 dB gain): once the
    // state has settled, the step's difference exceeds 32 bits.
    OnePoleCascade loud;
    loud.Init(0, 0);
    std::vector<int32_t> square(160000);
    for (int i = 0; i < 160000; ++i)
        square[i] = (i / 40000) % 2 ? 1500000 : -1500000;
    ASSERT_TRUE(DcBlockQ12(&loud, square.data(), 160000));
    EXPECT_NEAR(square[40000], 3000000, 30000);
    EXPECT_NEAR(square[80000], -3000000, 30000);
    EXPECT_NEAR(square[120000], 3000000, 30000);
    EXPECT_NEAR(square[119999], 0, 20000);
    EXPECT_FALSE(DcBlockQ12(nullptr, square.data(), 1));
    EXPECT_FALSE(DcBlockQ12(&loud, nullptr, 1));
}
