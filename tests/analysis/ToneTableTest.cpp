#include "analysis/CBandToneTable.h"
#include "analysis/PinkNoiseState.h"
#include <gtest/gtest.h>
#include <cstring>

TEST(BandToneTable, SineTableAndIncrements)
{
    CBandToneTable t;
    const int32_t* sine = t.GetSine();
    EXPECT_EQ(sine[0], 0);
    EXPECT_EQ(sine[256], 2097152);
    EXPECT_EQ(sine[512], 0);
    EXPECT_EQ(sine[768], -2097152);
    EXPECT_EQ(sine[1024], 0);
    EXPECT_EQ(t.GetBandCount(), 0);

    t.Setup(1, 48000);
    ASSERT_EQ(t.GetBandCount(), 63);
    EXPECT_EQ(t.GetIncrement(61), 1956224); // 22387.2 Hz
    EXPECT_EQ(t.GetIncrement(62), 0);       // 25118.9 Hz lies above 22800 Hz
    EXPECT_EQ(t.GetIncrement(34), static_cast<int32_t>(1000.0 * 4194304.0 / 48000.0));
    CBandToneTable third;
    third.Setup(0, 48000);
    ASSERT_EQ(third.GetBandCount(), 31);
    for (int i = 0; i < 31; ++i)
        EXPECT_GT(third.GetIncrement(i), 0) << i;
    third.Setup(2, 48000);
    EXPECT_EQ(third.GetBandCount(), 0);
    EXPECT_GT(third.GetIncrement(0), 0); // increments stay as they were
    EXPECT_EQ(third.GetPhase(0), 0);
    EXPECT_EQ(third.GetIncrement(64), 0);
}

TEST(PinkNoise, InitialisesThirtyRows)
{
    PinkNoiseState s;
    std::memset(&s, 0x55, sizeof(s));
    ASSERT_TRUE(InitPinkNoise(&s, 30));
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(s.rows[i], 0);
    EXPECT_EQ(s.runningSum, 0);
    EXPECT_EQ(s.counter, 0);
    EXPECT_EQ(s.mask, 1073741823);
    EXPECT_FLOAT_EQ(s.scale, static_cast<float>(1.0 / (31.0 * 8388608.0)));
    EXPECT_FALSE(InitPinkNoise(nullptr, 30));
    ASSERT_TRUE(InitPinkNoise(&s, 40)); // limited to the 30 rows there are
    EXPECT_EQ(s.mask, 1073741823);
}
