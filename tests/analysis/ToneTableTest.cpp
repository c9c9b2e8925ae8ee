#include "analysis/CBandToneTable.h"
#include "analysis/PinkNoiseState.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
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

TEST(PinkNoise, StartsSilentAndScalesItsFullSumToOne)
{
    struct Guarded {
        PinkNoiseState state;
        int32_t after;
    };
    for (int rows : {-3, 0, 1, 12, 30, 40}) {
        const int used = std::min(std::max(rows, 0), PinkNoiseState::kMaxRows);
        Guarded g;
        std::memset(&g, 0x55, sizeof(g));
        ASSERT_TRUE(InitPinkNoise(&g.state, rows));
        for (int i = 0; i < used; ++i)
            EXPECT_EQ(g.state.rows[i], 0) << rows;
        EXPECT_EQ(g.state.runningSum, 0) << rows;
        EXPECT_EQ(g.state.counter, 0) << rows;
        // The rows' update schedule repeats after 2^rows samples.
        EXPECT_EQ(static_cast<uint32_t>(g.state.mask) + 1u, 1u << used) << rows;
        // All rows and the white term at 24-bit full scale sum to 1.0.
        EXPECT_NEAR(g.state.scale * (used + 1) * 8388608.0, 1.0, 1e-6) << rows;
        EXPECT_EQ(g.after, 0x55555555) << rows;
    }
    EXPECT_FALSE(InitPinkNoise(nullptr, 30));
}
