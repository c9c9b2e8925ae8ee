#include "ListTestSupport.h"
#include "PaintedHost.h"
#include "gui/controls/CScrollBarControl.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <string>

namespace {
const UINT_PTR kPagingTimer = 50;
using Notes = std::vector<std::pair<int, int>>;

// A 104-pixel bar (a 100-pixel track inside the skin's 2-pixel insets).
struct BarFixture {
    explicit BarFixture(int range = 12, int page = 5)
    {
        ScrollBarParams params;
        params.place.x = 10;
        params.place.y = 10;
        params.place.width = 14;
        params.place.height = 104;
        params.controlId = 1;
        params.place.container = &host.container;
        params.listener = &log;
        params.range = range;
        params.page = page;
        bar.Create(params);
        hwnd = bar.GetWindow()->GetHwnd();
    }
    void Press(int y) { SendTo(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 7, y); }
    void MoveTo(int y) { SendTo(hwnd, WM_MOUSEMOVE, MK_LBUTTON, 7, y); }
    void Release() { SendTo(hwnd, WM_LBUTTONUP, 0, 7, 0); }
    void Timer() { SendMessageA(hwnd, WM_TIMER, kPagingTimer, 0); }
    SkinnedHost host;
    NoteListener log;
    CScrollBarControl bar;
    HWND hwnd;
};
} // namespace

// Range 12 and page 5 on a 100-pixel track: a 41-pixel thumb travelling 59
// pixels over positions 0..7. Nothing to scroll keeps a bar at 0 whatever
// comes.
// The container behind the bar is unpainted (magenta): the track's clear
// corners let it through, the thumb's clear corners show the track.
TEST(ScrollBar, ThumbFromRangeAndPageOverTheTrack)
{
    BarFixture f;
    EXPECT_EQ(2, f.bar.GetTrackStart());
    EXPECT_EQ(41, f.bar.GetThumbLength());
    EXPECT_EQ(59, f.bar.GetTravel());
    const int offsets[] = {0, 8, 16, 25, 33, 42, 50, 59}; // 59 / 7 pixels a unit, cut to whole pixels
    for (int p = 0; p <= 7; ++p) {
        f.bar.SetPosition(p);
        EXPECT_EQ(offsets[p], f.bar.GetThumbOffset()) << p;
    }
    EXPECT_TRUE(f.log.notes.empty());
    for (int range : {5, 0}) {
        BarFixture flat(range, 5);
        EXPECT_EQ(0, flat.bar.GetTravel());
        flat.Press(90);
        flat.Timer();
        flat.Release();
        Wheel(flat.hwnd, -3);
        EXPECT_EQ(0, flat.bar.GetPosition());
        EXPECT_EQ(0, flat.bar.GetThumbOffset());
    }

    {
        // Blending over a clear pixel may round a channel down by one.
        auto magenta = [](uint32_t pixel) { return (pixel & 0xFEFEFE) == 0xFE00FE; };
        BarFixture f;
        for (int p : {0, 3, 7}) {
            f.bar.SetPosition(p);
            const CBitmapDC& face = *f.bar.GetWindow()->GetBackBitmap();
            EXPECT_TRUE(magenta(PixelAt(face, 0, 0))) << p;
            const int top = f.bar.GetTrackStart() + f.bar.GetThumbOffset();
            int behind = 0;
            for (int y = top; y < top + f.bar.GetThumbLength(); ++y)
                for (int x = 0; x < face.GetWidth(); ++x)
                    behind += magenta(PixelAt(face, x, y));
            EXPECT_EQ(0, behind) << p;
        }
    }
}

// A press below the thumb pages at once and on every timer tick, stopping at
// the unit under the cursor (y 75 is unit 6); the target follows the cursor.
// A drag holds the thumb inside its travel, tells each new position once,
// ignores the wheel and snaps to a whole unit on release; the wheel then
// moves by units within 0..7.
TEST(ScrollBar, PagingDragAndWheel)
{
    BarFixture f;
    f.Press(75);
    EXPECT_TRUE(f.bar.IsPaging());
    EXPECT_EQ(5, f.bar.GetPosition());
    f.Timer();
    f.Timer();
    EXPECT_EQ(6, f.bar.GetPosition());
    f.MoveTo(3);
    f.Timer();
    f.Timer();
    f.Release();
    EXPECT_FALSE(f.bar.IsPaging());
    EXPECT_EQ((Notes{{6, 0}, {8, 5}, {8, 6}, {8, 1}, {8, 0}, {7, 0}}), f.log.CodesAndData());
    for (const ControlNotification& n : f.log.notes) {
        EXPECT_EQ(ScrollBarNotify::Kind, n.kind);
        EXPECT_EQ(1, n.controlId);
        EXPECT_EQ(&f.bar, n.sender);
    }

    {
        BarFixture f;
        f.Press(20);
        EXPECT_TRUE(f.bar.IsDragging());
        f.MoveTo(220);
        EXPECT_EQ(59, f.bar.GetThumbOffset());
        f.MoveTo(-280);
        EXPECT_EQ(0, f.bar.GetThumbOffset());
        f.MoveTo(50);
        f.MoveTo(50);
        Wheel(f.hwnd, 1);
        EXPECT_EQ(30, f.bar.GetThumbOffset());
        f.Release();
        EXPECT_EQ(4, f.bar.GetPosition());
        EXPECT_EQ(33, f.bar.GetThumbOffset());
        for (int steps : {1, 1, -10, -1})
            Wheel(f.hwnd, steps);
        EXPECT_EQ(7, f.bar.GetPosition());
        EXPECT_EQ((Notes{{6, 0}, {8, 7}, {8, 0}, {8, 4}, {7, 4}, {8, 3}, {8, 2}, {8, 7}}), f.log.CodesAndData());
    }
}

// Whatever range, page and positions a caller hands over, the position stays
// in 0 .. range - page and the thumb on its track; a page below one unit pages by one.
TEST(ScrollBar, HostileRangesKeepThePositionInside)
{
    const struct {
        int range, page, start, set, pressY, paged;
    } cases[] = {
        {12, -3, 0, 2, 90, 1},
        {12, 0, 0, 3, 90, 1},
        {INT_MIN, 1, 5, 3, 90, 0},
        {1000, -3, 5, 9, 3, 5},
        {12, 5, 0, INT_MAX, 3, 0},
        {12, 5, 0, -7, 90, 5},
        {INT_MAX, INT_MIN, INT_MAX, INT_MIN, 90, INT_MAX - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.range) + " " + std::to_string(c.page));
        BarFixture f(c.range, c.page);
        const int largest = int(std::clamp<int64_t>(int64_t(c.range) - c.page, 0, INT_MAX));
        auto inside = [&] {
            const int p = f.bar.GetPosition(), t = f.bar.GetThumbOffset();
            return p >= 0 && p <= largest && t >= 0 && t <= f.bar.GetTravel();
        };
        f.bar.SetPosition(c.set);
        EXPECT_TRUE(inside());
        f.bar.SetPosition(c.start);
        f.Press(c.pressY);
        EXPECT_EQ(c.paged, f.bar.GetPosition());
        f.Timer();
        EXPECT_TRUE(inside());
        f.Release();
        Wheel(f.hwnd, -30000);
        EXPECT_TRUE(inside());
    }
}
