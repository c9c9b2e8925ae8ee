#include "analysis/CLoudnessChannel.h"
#include "analysis/CSilenceGate.h"
#include "analysis/PeakHold.h"
#include "TestSignals.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<int32_t> Constant(int frames, int32_t value)
{
    return std::vector<int32_t>(frames, value);
}
} // namespace

TEST(LoudnessChannel, WeightingFollowsTheKCurve)
{
    // Gain of the standard's K-weighting (shelf and high pass) at 48 kHz, in dB.
    const struct {
        double hz, gainDb;
    } curve[] = {{50, -3.93}, {100, -1.13}, {500, 0.04}, {1000, 0.70}, {2000, 3.07}, {5000, 4.01}, {10000, 4.04}};
    LoudnessConfig cfg;
    cfg.windowMs[0] = LoudnessConfig::kIntegrated;
    for (const auto& point : curve) {
        CLoudnessChannel ch;
        ch.Init(&cfg);
        SineSource sine(-20.0, point.hz);
        for (int i = 0; i < 200; ++i)
            ch.Process(sine.Next(480).data(), 480, 1);
        // A -20 dBFS sine has a mean square 23.01 dB below full scale.
        EXPECT_NEAR(PowerLevel(ch.GetWindowPower(0)) / 100.0 + 23.01, point.gainDb, 0.15) << point.hz;
    }
}

TEST(LoudnessChannel, WindowLengthsAreFixedByTheFirstBlock)
{
    LoudnessConfig cfg;
    cfg.windowMs[3] = LoudnessConfig::kIntegrated;
    CLoudnessChannel ch;
    ch.Init(&cfg);
    for (int w = 0; w < 4; ++w)
        EXPECT_EQ(ch.GetWindowPower(w), CLoudnessChannel::kNoValue);
    ch.Process(Constant(480, 0).data(), 480, 1);
    EXPECT_EQ(ch.GetWindowBlocks(0), 300);
    EXPECT_EQ(ch.GetWindowBlocks(1), 1000);
    EXPECT_EQ(ch.GetWindowBlocks(2), 3000);
    EXPECT_EQ(ch.GetWindowBlocks(3), 0);
    ch.Process(Constant(960, 0).data(), 960, 2);
    EXPECT_EQ(ch.GetWindowBlocks(0), 300);
    ch.Init(&cfg);
    ch.Process(Constant(960, 0).data(), 960, 3);
    EXPECT_EQ(ch.GetWindowBlocks(0), 150);
}

TEST(LoudnessChannel, IntegratedWindowNeedsSixteenFramesAndAveragesEverything)
{
    LoudnessConfig cfg;
    cfg.windowMs[0] = LoudnessConfig::kIntegrated;
    CLoudnessChannel ch;
    ch.Init(&cfg);
    SineSource sine(-20.0, 1000.0);
    ch.Process(sine.Next(15).data(), 15, 1);
    EXPECT_EQ(ch.GetWindowPower(0), CLoudnessChannel::kNoValue);
    ch.Process(sine.Next(1).data(), 1, 1);
    EXPECT_NE(ch.GetWindowPower(0), CLoudnessChannel::kNoValue);
    for (int i = 0; i < 400; ++i)
        ch.Process(sine.Next(480).data(), 480, 1);
    // Full-scale constant = 2^24; a -20 dBFS sine after K-weighting at 1 kHz.
    EXPECT_NEAR(PowerLevel(ch.GetWindowPower(0)), -2239, 3);
}

TEST(LoudnessChannel, ClipRunsOfThreeCountAcrossBlocksAndAreForgottenAfterTenSeconds)
{
    LoudnessConfig cfg;
    CLoudnessChannel ch;
    ch.Init(&cfg);
    const int32_t broken[4] = {32767, 32767, 0, 32767};
    ch.Process(broken, 4, 100);
    EXPECT_EQ(ch.GetClipTime(), 0u);
    const int32_t run[3] = {-32768, 32767, 40000};
    ch.Process(run, 3, 200);
    EXPECT_EQ(ch.GetClipTime(), 200u);

    CLoudnessChannel straddle;
    straddle.Init(&cfg);
    const int32_t head[3] = {0, 32767, 32767};
    const int32_t tail[2] = {32767, 0};
    straddle.Process(head, 3, 300);
    EXPECT_EQ(straddle.GetClipTime(), 0u);
    straddle.Process(tail, 2, 310);
    EXPECT_EQ(straddle.GetClipTime(), 310u);
    // 32766 and -32767 are in range.
    const int32_t edge[4] = {32766, -32767, 32766, -32767};
    CLoudnessChannel quiet;
    quiet.Init(&cfg);
    quiet.Process(edge, 4, 400);
    EXPECT_EQ(quiet.GetClipTime(), 0u);
    // A run that goes on refreshes the time; it is forgotten after 10 s.
    const std::vector<int32_t> clipped = Constant(64, 32767);
    ch.Process(clipped.data(), 64, 1000);
    ch.Process(clipped.data(), 64, 1400);
    EXPECT_EQ(ch.GetClipTime(), 1400u);
    ch.Process(Constant(64, 0).data(), 64, 11400);
    EXPECT_EQ(ch.GetClipTime(), 1400u);
    ch.Process(Constant(64, 0).data(), 64, 11401);
    EXPECT_EQ(ch.GetClipTime(), 0u);
}

TEST(LoudnessChannel, PeakHoldDecaysOncePerWholeSixtyFourSamples)
{
    LoudnessConfig cfg;
    cfg.slidingSpanA = cfg.slidingSpanB = 4; // let the sliding maxima empty at once
    CLoudnessChannel ch;
    ch.Init(&cfg);
    const int32_t spike[1] = {20000};
    ch.Process(spike, 1, 1);
    EXPECT_EQ(ch.GetHoldA(), 20000);
    for (int i = 0; i < 3; ++i)
        ch.Process(Constant(63, 0).data(), 63, 1);
    EXPECT_EQ(ch.GetHoldA(), 20000);
    ch.Process(Constant(100, 0).data(), 100, 1);
    EXPECT_EQ(ch.GetHoldA(), 20000 * 16377 >> 14);
    ch.Process(Constant(200, 0).data(), 200, 1);
    int32_t expected = 20000 * 16377 >> 14;
    for (int i = 0; i < 3; ++i)
        expected = expected * 16377 >> 14;
    EXPECT_EQ(ch.GetHoldA(), expected);
    EXPECT_EQ(ch.GetHoldB(), expected);
}

TEST(LoudnessChannel, RaisedInputGainNeitherWrapsEnergyNorHold)
{
    LoudnessConfig cfg;
    CLoudnessChannel loud, normal;
    loud.Init(&cfg);
    normal.Init(&cfg);
    // A full-scale 5 kHz sine in 960-frame blocks (its 32-bit block energy
    // would wrap), and the same at +30 dB input gain (x 31.6).
    SineSource base(0.0, 5000.0), raised(30.0, 5000.0);
    for (int i = 0; i < 400; ++i) {
        normal.Process(base.Next(960).data(), 960, 1);
        loud.Process(raised.Next(960).data(), 960, 1);
    }
    const int normalLevel = PowerLevel(normal.GetWindowPower(0));
    EXPECT_GT(normalLevel, 0); // the shelf lifts 5 kHz above full scale
    EXPECT_LT(normalLevel, 300);
    // The raised block values saturate on their way into the window.
    EXPECT_EQ(loud.GetWindowPower(0), INT32_MAX);
    const int32_t before = loud.GetHoldA();
    EXPECT_GT(before, 1030000);
    int blocks = 0;
    while (loud.GetHoldA() == before && blocks < 200) {
        loud.Process(Constant(128, 0).data(), 128, 1);
        ++blocks;
    }
    // The first fall after the sliding maximum lets go: two decays, in 64 bits.
    const int64_t once = static_cast<int64_t>(before) * 16377 >> 14;
    EXPECT_EQ(loud.GetHoldA(), once * 16377 >> 14);
}

TEST(LoudnessChannel, BadInputReturnsNoPeak)
{
    CLoudnessChannel unset;
    const int32_t s[2] = {1000, -2000};
    EXPECT_EQ(unset.Process(s, 2, 1), 0);
    EXPECT_EQ(unset.GetWindowPower(0), CLoudnessChannel::kNoValue);
    LoudnessConfig cfg;
    CLoudnessChannel ch;
    ch.Init(&cfg);
    EXPECT_EQ(ch.Process(nullptr, 2, 1), 0);
    EXPECT_EQ(ch.Process(s, 0, 1), 0);
    EXPECT_EQ(ch.GetWindowPower(0), CLoudnessChannel::kNoValue);
    EXPECT_EQ(ch.GetWindowPower(7), CLoudnessChannel::kNoValue);
    EXPECT_EQ(ch.Process(s, 2, 1), 2000);
    const int32_t extreme[1] = {INT32_MIN};
    EXPECT_EQ(ch.Process(extreme, 1, 1), INT32_MAX);
}

TEST(SilenceGate, ThresholdsHoldAndReopening)
{
    CSilenceGate off;
    off.Configure(-90, 1000, 48000);
    EXPECT_FALSE(off.IsEnabled());
    off.Update(0, 480);
    EXPECT_FALSE(off.IsGated());
    CSilenceGate zero;
    zero.Configure(0, 1000, 48000);
    EXPECT_FALSE(zero.IsEnabled());

    CSilenceGate g;
    g.Configure(-50, 1000, 48000);
    EXPECT_EQ(g.GetLowThreshold(), 73);
    EXPECT_EQ(g.GetHighThreshold(), 146);
    EXPECT_EQ(g.GetHoldSamples(), 48000);
    g.Update(100, 480); // between the thresholds: stays open
    EXPECT_FALSE(g.IsGated());
    g.Update(72, 480);
    EXPECT_TRUE(g.IsGated());
    int blocks = 0;
    while (g.IsGated() && blocks < 1000) {
        g.Update(0, 480);
        ++blocks;
    }
    EXPECT_EQ(blocks, 100); // 48000 samples
    g.Update(0, 480);       // a longer silence now enters the window
    EXPECT_FALSE(g.IsGated());

    CSilenceGate reopen;
    reopen.Configure(-50, 1000, 48000);
    reopen.Update(10, 480);
    reopen.Update(146, 480);
    EXPECT_TRUE(reopen.IsGated());
    reopen.Update(147, 480);
    EXPECT_FALSE(reopen.IsGated());
}
