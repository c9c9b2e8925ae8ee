#include "analysis/BlockPeak.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
void ExpectBoth(const std::vector<int32_t>& x, uint32_t peak, bool outside)
{
    const int count = static_cast<int>(x.size());
    const BlockPeak g = BlockPeakGeneric(x.data(), count, -32767, 32766);
    const BlockPeak s = BlockPeakSse2(x.data(), count, -32767, 32766);
    EXPECT_EQ(g.peak, peak);
    EXPECT_EQ(g.outside, outside);
    EXPECT_EQ(s.peak, peak);
    EXPECT_EQ(s.outside, outside);
}
} // namespace

TEST(BlockPeak, LargestMagnitudeAndRangeInEveryLaneAndTail)
{
    std::vector<int32_t> x(11, 0);
    ExpectBoth(x, 0, false);
    for (int at = 0; at < 11; ++at) {
        std::vector<int32_t> y(11, 5);
        y[at] = -32767;
        ExpectBoth(y, 32767, false);
        y[at] = 32767;
        ExpectBoth(y, 32767, true);
        y[at] = -32768;
        ExpectBoth(y, 32768, true);
        y[at] = INT32_MIN;
        ExpectBoth(y, 2147483648u, true);
        y[at] = INT32_MAX;
        ExpectBoth(y, 2147483647u, true);
    }
    const BlockPeak none = BlockPeakSse2(x.data(), 0, -1, 1);
    EXPECT_EQ(none.peak, 0u);
    EXPECT_FALSE(none.outside);
}
