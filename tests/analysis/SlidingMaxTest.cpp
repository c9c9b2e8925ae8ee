#include "analysis/CSlidingMax.h"
#include <gtest/gtest.h>
#include <random>

namespace {
// Samples, counted in whole updates from the peak's own, for which a lone
// value followed by zeros stays reported.
int HeldSamples(int segments, int span, int block, int offsetBlocks)
{
    CSlidingMax m;
    m.Init(segments, span);
    for (int i = 0; i < offsetBlocks; ++i)
        m.Update(0, block);
    m.Update(1000, block);
    int held = 0;
    while (m.GetMax() == 1000 && held < 10 * span) {
        held += block;
        m.Update(0, block);
    }
    EXPECT_EQ(m.GetMax(), 0);
    return held;
}
} // namespace

TEST(SlidingMax, LonePeakIsHeldForThreeQuartersToAllOfTheSpan)
{
    CSlidingMax m;
    m.Init(4, 4800);
    EXPECT_EQ(m.GetMax(), 0);
    m.Update(700, 480); // restarts segment 0; segments 1..3 hold it
    EXPECT_EQ(m.GetMax(), 700);
    for (int offset = 0; offset < 12; ++offset) {
        const int held = HeldSamples(4, 4800, 480, offset);
        // A restarted segment also drops the update that restarts it, so the
        // lower bound is three quarters of the span less one update.
        EXPECT_GE(held, 3600 - 480) << offset;
        EXPECT_LE(held, 4800) << offset;
    }
}

TEST(SlidingMax, OneSegmentDropsEvenTheValueOfTheExpiringUpdate)
{
    CSlidingMax m;
    m.Init(1, 960);
    m.Update(5, 480); // countdown 0 -> restart
    EXPECT_EQ(m.GetMax(), 0);
    m.Update(5, 480);
    EXPECT_EQ(m.GetMax(), 5);
    m.Update(9000, 480); // the span runs out here
    EXPECT_EQ(m.GetMax(), 0);
}

TEST(SlidingMax, SegmentCountIsLimitedToEightAndZeroHoldsNothing)
{
    CSlidingMax twelve, eight, none;
    twelve.Init(12, 4800);
    eight.Init(8, 4800);
    none.Init(0, 4800);
    std::mt19937 rng(7);
    for (int i = 0; i < 200; ++i) {
        const int v = static_cast<int>(rng() % 30000);
        twelve.Update(v, 256);
        eight.Update(v, 256);
        none.Update(v, 256);
        ASSERT_EQ(twelve.GetMax(), eight.GetMax());
        ASSERT_EQ(none.GetMax(), 0);
    }
}

TEST(SlidingMax, BlocksLongerThanTheSpanKeepTheirOwnPeak)
{
    struct Case {
        int span, block;
    } const cases[] = {{4800, 4800}, {4800, 8192}, {9600, 9600}, {9600, 65536}, {4800, 4500}};
    for (const Case& c : cases) {
        CSlidingMax m;
        m.Init(4, c.span);
        for (int i = 0; i < 6; ++i) {
            const int32_t peak = 1000 + i;
            m.Update(peak, c.block);
            EXPECT_EQ(m.GetMax(), peak) << c.span << " " << c.block << " " << i;
        }
        // A silent block as long as the span leaves nothing of the loud ones.
        m.Update(0, c.block);
        if (c.block >= c.span) {
            EXPECT_EQ(m.GetMax(), 0) << c.span << " " << c.block;
        }
    }
}
