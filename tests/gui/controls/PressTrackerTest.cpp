#include "gui/controls/CPressTracker.h"
#include <gtest/gtest.h>

// Inside takes the right and bottom edges and nothing left of or above the
// window; a move or a release without the capture is ignored wherever it is.
TEST(PressTracker, InsideEdgesAndNoCapture)
{
    using Answer = CPressTracker::Answer;
    const struct {
        POINT at;
        bool inside;
    } cases[] = {{{0, 0}, true},   {{40, 20}, true}, {{41, 20}, false}, {{40, 21}, false},
                 {{-1, 5}, false}, {{5, -1}, false}, {{20, 10}, true},  {{-32768, -32768}, false}};
    CPhysicalWindow window; // never created: it never has the capture
    CPressTracker tracker(window);
    for (const auto& c : cases) {
        EXPECT_EQ(CPressTracker::Inside(c.at, 40, 20), c.inside) << c.at.x << "," << c.at.y;
        EXPECT_EQ(tracker.Move(c.at, 40, 20), Answer::Ignored);
        EXPECT_EQ(tracker.Release(c.at, 40, 20), Answer::Ignored);
    }
}
