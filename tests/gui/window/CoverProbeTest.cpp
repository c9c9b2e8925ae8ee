#include "gui/window/CCoverProbe.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// Plain windows answer hit tests (a static control would let them through).
const char kClass[] = "CoverProbeTestWindow";
const int kCrowd = 300; // hidden windows, as desktops carry them

enum class Shown { No, Yes };

HWND Popup(const RECT& r, Shown shown, DWORD exStyle = 0, HWND after = HWND_TOPMOST)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = kClass;
    RegisterClassA(&wc); // fails harmlessly once registered
    const HWND hwnd = CreateWindowExA(exStyle | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kClass, "", WS_POPUP, r.left,
                                      r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    // Shown without activation: other tests' windows keep the focus they hold.
    SetWindowPos(hwnd, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (shown == Shown::Yes ? SWP_SHOWWINDOW : 0));
    return hwnd;
}

struct Windows {
    ~Windows()
    {
        for (HWND w : made)
            DestroyWindow(w);
    }
    HWND Add(HWND w)
    {
        made.push_back(w);
        return w;
    }
    std::vector<HWND> made;
};

// Topmost and in a corner of its own, so that other tests' windows stay out of the way.
const RECT kAll = {1100, 900, 1164, 948};
const RECT kLeft = {1100, 900, 1132, 948}, kRight = {1132, 900, 1164, 948};
const RECT kColumnShort = {1100, 900, 1163, 948}; // covers every probed point, not every pixel
const RECT kTwoColumns = {1100, 900, 1148, 948};  // leaves the last column of probed points
const RECT kStripLeft = {1100, 900, 1118, 948}, kStripRight = {1120, 900, 1164, 948}; // open between points
const RECT kElsewhere = {0, 0, 1, 1};
const DWORD kStart = 1000; // ms; a probe is given the time of each ask
const int kTurn = 9;       // frames in which a covered window's probe asks each point once

void Hidden(Windows& windows, int count)
{
    for (int i = 0; i < count; ++i)
        windows.Add(Popup(kAll, Shown::No));
}

// Frames asked at a time until the probe answers "not covered"; kTurn + 1 when it never does.
int FramesUntilShown(CCoverProbe& probe, HWND target, DWORD now)
{
    int frames = 1;
    while (frames <= kTurn && probe.IsWhollyCovered(target, now))
        ++frames;
    return frames;
}

} // namespace

// Covered only while windows above it together hide every pixel of it;
// windows below it, hidden ones and see-through ones hide nothing.
TEST(CoverProbe, CoveredOnlyWhenWindowsAboveHideAllOfIt)
{
    struct Cover {
        RECT rect;
        DWORD exStyle;
        Shown shown;
        HWND after;
    };
    const struct {
        const char* name;
        int hidden; // hidden windows between it and the covers
        std::vector<Cover> covers;
        bool covered;
    } cases[] = {
        {"nothing above", 0, {}, false},
        {"one over all", 0, {{kAll, 0, Shown::Yes, HWND_TOPMOST}}, true},
        {"one over all, hidden windows between", kCrowd, {{kAll, 0, Shown::Yes, HWND_TOPMOST}}, true},
        {"one a column short", 0, {{kColumnShort, 0, Shown::Yes, HWND_TOPMOST}}, false},
        {"two halves", 0, {{kLeft, 0, Shown::Yes, HWND_TOPMOST}, {kRight, 0, Shown::Yes, HWND_TOPMOST}}, true},
        {"one half", 0, {{kLeft, 0, Shown::Yes, HWND_TOPMOST}}, false},
        {"strip between the points, hidden windows between",
         kCrowd,
         {{kStripLeft, 0, Shown::Yes, HWND_TOPMOST}, {kStripRight, 0, Shown::Yes, HWND_TOPMOST}},
         false},
        {"hidden", 0, {{kAll, 0, Shown::No, HWND_TOPMOST}}, false},
        {"see-through", 0, {{kAll, WS_EX_LAYERED, Shown::Yes, HWND_TOPMOST}}, false},
        {"below", 0, {{kAll, 0, Shown::Yes, HWND_BOTTOM}}, false},
    };
    for (const auto& c : cases) {
        Windows windows;
        const HWND target = windows.Add(Popup(kAll, Shown::Yes));
        Hidden(windows, c.hidden);
        for (const Cover& cover : c.covers)
            windows.Add(Popup(cover.rect, cover.shown, cover.exStyle, cover.after));
        CCoverProbe probe;
        EXPECT_EQ(probe.IsWhollyCovered(target, kStart), c.covered) << c.name;
    }
    CCoverProbe probe;
    EXPECT_FALSE(probe.IsWhollyCovered(nullptr, kStart));
}

// A cover moved away is seen in the next frame, one that leaves a probed
// point within a turn of the points, one that leaves only pixels between
// them once a look period has passed.
TEST(CoverProbe, ACoverMovedAwayIsSeenInTime)
{
    const struct {
        const char* name;
        RECT to;
        DWORD after;
        int mostFrames;
    } moves[] = {
        {"away", kElsewhere, 0, 1},
        {"off a column of points", kTwoColumns, 0, kTurn},
        {"off pixels between points", kColumnShort, CCoverProbe::kLookPeriodMs, 1},
    };
    Windows windows;
    const HWND target = windows.Add(Popup(kAll, Shown::Yes));
    const HWND cover = windows.Add(Popup(kAll, Shown::Yes));
    CCoverProbe probe;
    for (const auto& m : moves) {
        SetWindowPos(cover, nullptr, kAll.left, kAll.top, kAll.right - kAll.left, kAll.bottom - kAll.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(probe.IsWhollyCovered(target, kStart)) << m.name;
        SetWindowPos(cover, nullptr, m.to.left, m.to.top, m.to.right - m.to.left, m.to.bottom - m.to.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_LE(FramesUntilShown(probe, target, kStart + m.after), m.mostFrames) << m.name;
    }
}

// A covered frame costs no more system calls than a shown one, and neither
// frames nor the look that finds the covers grow with hidden windows above.
TEST(CoverProbe, CoveredFramesCostNoMoreThanShownOnes)
{
    const struct {
        const char* name;
        std::vector<RECT> covers;
    } cases[] = {
        {"over all", {kAll}},
        {"strip between the points", {kStripLeft, kStripRight}},
    };
    for (const auto& c : cases) {
        int costs[2][2] = {}; // per crowd: the look, a turn of frames
        for (int crowd : {0, 1}) {
            Windows windows;
            const HWND target = windows.Add(Popup(kAll, Shown::Yes));
            Hidden(windows, crowd * kCrowd);
            CCoverProbe probe;
            const auto callsOf = [&](int frames) {
                const int before = probe.GetCallCount();
                for (int i = 0; i < frames; ++i)
                    probe.IsWhollyCovered(target, kStart);
                return probe.GetCallCount() - before;
            };
            EXPECT_EQ(FramesUntilShown(probe, target, kStart), 1);
            const int shownTurn = callsOf(kTurn);
            for (const RECT& r : c.covers)
                windows.Add(Popup(r, Shown::Yes));
            costs[crowd][0] = callsOf(1);
            costs[crowd][1] = callsOf(kTurn);
            EXPECT_LE(costs[crowd][1], shownTurn) << c.name;
            EXPECT_EQ(probe.GetLookCount(), 1) << c.name;
        }
        EXPECT_EQ(costs[1][0], costs[0][0]) << c.name;
        EXPECT_EQ(costs[1][1], costs[0][1]) << c.name;
    }
}
