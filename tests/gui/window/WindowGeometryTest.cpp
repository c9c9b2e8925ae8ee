#include "gui/window/WindowGeometry.h"
#include <gtest/gtest.h>
#include <climits>

namespace {
const RECT Desktop = {0, 0, 1280, 1024}; // the test desktop: work area = monitor

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}
} // namespace

// Only the handle's sides move; maximum first, minimum after, both against the size at entry.
// An edge 9 px away snaps, 10 px does not; of two near edges the nearer wins.
TEST(WindowGeometry, ClampMovesTheHandlesSidesAndMovesSnap)
{
    const RECT wide = {100, 100, 400, 200}; // 300 x 100
    const struct {
        int handle, minW, minH, maxW, maxH;
        RECT expected;
    } cases[] = {
        {SizingHandle::Left, 0, 0, 200, 1000, {200, 100, 400, 200}},
        {SizingHandle::Right, 0, 0, 200, 1000, {100, 100, 300, 200}},
        {SizingHandle::None, 0, 0, 200, 50, wide},
        {9, 0, 0, 200, 50, wide},
        {SizingHandle::BottomRight, 0, 0, 200, 50, {100, 100, 300, 150}},
        {SizingHandle::TopLeft, 0, 0, 200, 50, {200, 150, 400, 200}},
        {SizingHandle::Top, 0, 0, 200, 50, {100, 150, 400, 200}},
        {SizingHandle::Right, 350, 0, 200, 1000, {100, 100, 450, 200}}, // the minimum wins
        {SizingHandle::Bottom, 0, 120, 1000, 1000, {100, 100, 400, 220}},
    };
    for (const auto& c : cases) {
        RECT rect = wide;
        SizingRectClamp(rect, c.handle, c.minW, c.minH, c.maxW, c.maxH);
        EXPECT_TRUE(Same(rect, c.expected)) << "handle " << c.handle << " max " << c.maxW;
    }

    {
        const struct {
            int x, y, width, height, snappedX, snappedY;
        } moves[] = {
            {9, 500, 100, 100, 0, 500},       {10, 500, 100, 100, 10, 500},   {-9, 500, 100, 100, 0, 500},
            {1171, 500, 100, 100, 1180, 500}, {500, 915, 100, 100, 500, 924}, {500, 914, 100, 100, 500, 914},
            {3, 3, 1270, 1016, 0, 0},         {5, 4, 1270, 1016, 10, 8}, // equal: right and bottom count
        };
        for (const auto& m : moves) {
            int x = m.x, y = m.y;
            SnapMove(x, y, m.width, m.height, Desktop);
            EXPECT_EQ(x, m.snappedX) << m.x << "," << m.y;
            EXPECT_EQ(y, m.snappedY) << m.x << "," << m.y;
        }
        RECT sized = {9, 10, 1271, 600};
        SnapSizingRect(sized, SizingHandle::TopRight, Desktop);
        EXPECT_TRUE(Same(sized, RECT{9, 10, 1280, 600})); // the left side does not move at this handle
    }
}

// Corners are 10 px, sides 5 px; docked, only the inner side is a handle.
// The long sides' edges count 50 px more; 130 or more is out of reach; ties keep the earlier edge.
TEST(WindowGeometry, BorderZonesDockEdgesAndDockedRectangles)
{
    using namespace SizingHandle;
    const int w = 200, h = 100;
    const struct {
        int x, y, docked, handle;
    } cases[] = {
        {9, 9, 0, TopLeft},     {10, 4, 0, Top},     {190, 9, 0, TopRight}, {190, 90, 0, BottomRight},
        {9, 90, 0, BottomLeft}, {195, 50, 0, Right}, {194, 50, 0, None},    {50, 95, 0, Bottom},
        {4, 50, 0, Left},       {5, 50, 0, None},    {199, 50, 1, Right},   {0, 50, 1, None},
        {199, 99, 1, Right},    {50, 99, 2, Bottom}, {0, 50, 3, Left},      {50, 0, 4, Top},
        {50, 0, 2, None},       {4, 9, 3, Left},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BorderHitTest(c.x, c.y, w, h, c.docked), c.handle) << c.x << "," << c.y << " docked " << c.docked;
    EXPECT_EQ(HitCodeOfHandle(TopRight), HTTOPRIGHT);
    EXPECT_EQ(HandleFromSizingEdge(WMSZ_BOTTOMLEFT), BottomLeft);
    EXPECT_EQ(HandleFromSizingEdge(0), None);

    {
        const struct {
            RECT rect;
            int edge;
        } cases[] = {
            {{60, 90, 460, 390}, DockEdge::Top},                      // left counts 110, top 90
            {{80, 130, 480, 430}, DockEdge::Left + DockEdge::TooFar}, // left 130, top 130
            {{79, 130, 479, 430}, DockEdge::Left},
            {{140, 400, 1140, 500}, DockEdge::Left + DockEdge::TooFar}, // left and right equal: left
            {{50, 400, 1230, 500}, DockEdge::Left},
            {{500, 300, 600, 724}, DockEdge::Top + DockEdge::TooFar}, // tall: top and bottom equal, top
            {{1200, 300, 1270, 700}, DockEdge::Right},
            {{300, 900, 900, 1000}, DockEdge::Bottom},
        };
        for (const auto& c : cases)
            EXPECT_EQ(ChooseEdgeInWorkArea(c.rect, Desktop), c.edge) << c.rect.left << "," << c.rect.top;
    }

    {
        EXPECT_TRUE(Same(DockedRectOnMonitor(DockEdge::Left, Desktop, 270, 1024), RECT{0, 0, 270, 1024}));
        EXPECT_TRUE(Same(DockedRectOnMonitor(DockEdge::Bottom, Desktop, 1280, 156), RECT{0, 868, 1280, 1024}));
        EXPECT_TRUE(Same(DockedRectOnMonitor(DockEdge::Right, Desktop, 270, 1024), RECT{1010, 0, 1280, 1024}));
        EXPECT_TRUE(Same(DockedRectOnMonitor(DockEdge::Right, Desktop, 5000, 1024), Desktop));
        EXPECT_TRUE(Same(DockedRectOnMonitor(DockEdge::Bottom, Desktop, 1280, INT_MAX), Desktop));
        // A taskbar's band stays out of a bar's area; the bar's own band does not.
        const RECT work = {0, 0, 1280, 994}, ownBottom = {0, 838, 1280, 994}, ownLeft = {0, 0, 270, 994};
        EXPECT_TRUE(Same(DockArea(DockEdge::Bottom, work, nullptr), work));
        EXPECT_TRUE(Same(DockArea(DockEdge::Bottom, {0, 0, 1280, 838}, &ownBottom), work));
        EXPECT_TRUE(Same(DockArea(DockEdge::Left, {270, 0, 1280, 994}, &ownLeft), work));
        EXPECT_TRUE(Same(DockArea(DockEdge::Left, work, &ownLeft), work)); // Wine's work area leaves the bar in
        // The shell moved the outer side: the inner one follows.
        EXPECT_TRUE(
            Same(KeepDockThickness(DockEdge::Left, {0, 0, 270, 1024}, {30, 0, 270, 1024}), RECT{30, 0, 300, 1024}));
        EXPECT_TRUE(
            Same(KeepDockThickness(DockEdge::Top, {0, 0, 1280, 156}, {0, 40, 1280, 156}), RECT{0, 40, 1280, 196}));
        EXPECT_EQ(TouchingSides({0, 0, 270, 1024}, Desktop), EdgeTouch::Left | EdgeTouch::Top | EdgeTouch::Bottom);
        const struct {
            uint32_t touch;
            int mask;
        } masks[] = {{15, 0}, {0, 15}, {1 | 2 | 8, 10}, {4 | 2 | 8, 5}, {1 | 4 | 8, 3}, {1 | 4 | 2, 12}, {1 | 4, 15}};
        for (const auto& m : masks)
            EXPECT_EQ(FrameMaskOf(m.touch), m.mask) << m.touch;
    }
}

// A title bar is in reach on any monitor's work area: a move keeps it on the
// one under it only when it leaves every one, and a restored rectangle moves
// only then, wholly onto that one; with stacked monitors a window may rest
// with its title bar on the upper one and its body on the lower one.
TEST(WindowGeometry, TitleBarReachAcrossStackedAndSideBySideMonitors)
{
    const WorkAreas stacked = {{0, 0, 1600, 1000}, {0, 1000, 1600, 2000}};
    const WorkAreas sideBySide = {{0, 0, 1600, 1000}, {1600, 0, 3200, 1000}};
    const struct {
        const char* name;
        const WorkAreas& works;
        POINT to;      // an 800 x 600 window moved there
        POINT kept;    // where the move stops
        RECT restored; // the same window's saved rectangle fitted
    } cases[] = {
        {"title above the seam, body below", stacked, {400, 820}, {400, 820}, {400, 820, 1200, 1420}},
        {"on the lower monitor", stacked, {400, 1300}, {400, 1300}, {400, 1300, 1200, 1900}},
        {"title mostly above the seam", stacked, {400, 980}, {400, 968}, {400, 400, 1200, 1000}},
        {"title mostly below the seam", stacked, {400, 990}, {400, 1000}, {400, 1000, 1200, 1600}},
        {"above the upper monitor", stacked, {400, -50}, {400, 0}, {400, 0, 1200, 600}},
        {"below the lower monitor", stacked, {400, 1990}, {400, 1968}, {400, 1400, 1200, 2000}},
        {"left of both", stacked, {-790, 1500}, {-768, 1500}, {0, 1400, 800, 2000}},
        {"across the side-by-side seam", sideBySide, {1500, 300}, {1500, 300}, {1500, 300, 2300, 900}},
        {"right of the right monitor", sideBySide, {3180, 300}, {3168, 300}, {2400, 300, 3200, 900}},
        {"above the right monitor", sideBySide, {2000, -20}, {2000, 0}, {2000, 0, 2800, 600}},
        {"left of the left monitor", sideBySide, {-790, 300}, {-768, 300}, {0, 300, 800, 900}},
    };
    for (const auto& c : cases) {
        int x = c.to.x, y = c.to.y;
        KeepCaptionOnWorkAreas(x, y, 800, 600, c.works);
        EXPECT_EQ(x, c.kept.x) << c.name;
        EXPECT_EQ(y, c.kept.y) << c.name;
        const RECT saved = {c.to.x, c.to.y, c.to.x + 800, c.to.y + 600};
        const RECT fitted = FitRectToWorkAreas(saved, c.works);
        EXPECT_TRUE(Same(fitted, c.restored)) << c.name << ": " << fitted.left << "," << fitted.top;
    }
    // Larger than the monitor under its title bar: no larger than that one. No monitor: left alone.
    EXPECT_TRUE(Same(FitRectToWorkAreas({0, 100, 1600, 1900}, stacked), RECT{0, 100, 1600, 1100}));
    EXPECT_TRUE(Same(FitRectToWorkAreas({-5000, 0, -4000, 500}, {}), RECT{-5000, 0, -4000, 500}));
    EXPECT_EQ(WorkAreaUnderCaption({0, 0, 10, 10}, {}), nullptr);
}
