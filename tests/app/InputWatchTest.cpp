#include "app/CInputWatch.h"
#include "tests/common/FakeTicks.h"
#include <gtest/gtest.h>
#include <climits>

namespace {

// Quiet for the longer of 250 ms and three block periods: stopped; the next
// block is live at once, even across the tick count's wrap.
TEST(InputWatch, StopsAfterTheQuietTimeAndLivesWithTheNextBlock)
{
    const struct {
        int frames, rate;
        uint32_t start, quiet; // the first block's time; the longest gap still live
    } cases[] = {{480, 48000, 1000, 249},    {2048, 8000, 1000, 767}, {0, 48000, 5, 249},
                 {512, 0, 5, 249},           {-7, -48000, 7, 249},    {65536, 8000, 0xFFFFFF00u, 24575},
                 {INT_MAX, 1, 3, 0x7FFFFFFE}};
    for (const auto& c : cases) {
        FakeTicks ticks(c.start);
        CInputWatch watch(&ticks);
        watch.SetBlockSize(c.frames, c.rate);
        EXPECT_EQ(watch.Check(), InputState::Stopped) << c.frames; // nothing came yet
        watch.NoteBlock();
        EXPECT_EQ(watch.Check(), InputState::Live) << c.frames;
        ticks.now += c.quiet;
        EXPECT_EQ(watch.Check(), InputState::Live) << c.frames;
        ticks.now += 1;
        EXPECT_EQ(watch.Check(), InputState::Stopped) << c.frames;
        watch.NoteBlock();
        EXPECT_EQ(watch.Check(), InputState::Live) << c.frames;
    }
}

} // namespace
