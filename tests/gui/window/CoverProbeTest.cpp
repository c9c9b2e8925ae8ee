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
const RECT kElsewhere = {0, 0, 1, 1};

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
        std::vector<Cover> covers;
        bool covered;
    } cases[] = {
        {"nothing above", {}, false},
        {"one over all", {{kAll, 0, Shown::Yes, HWND_TOPMOST}}, true},
        {"one a column short", {{kColumnShort, 0, Shown::Yes, HWND_TOPMOST}}, false},
        {"two halves", {{kLeft, 0, Shown::Yes, HWND_TOPMOST}, {kRight, 0, Shown::Yes, HWND_TOPMOST}}, true},
        {"one half", {{kLeft, 0, Shown::Yes, HWND_TOPMOST}}, false},
        {"hidden", {{kAll, 0, Shown::No, HWND_TOPMOST}}, false},
        {"see-through", {{kAll, WS_EX_LAYERED, Shown::Yes, HWND_TOPMOST}}, false},
        {"below", {{kAll, 0, Shown::Yes, HWND_BOTTOM}}, false},
    };
    for (const auto& c : cases) {
        Windows windows;
        const HWND target = windows.Add(Popup(kAll, Shown::Yes));
        for (const Cover& cover : c.covers)
            windows.Add(Popup(cover.rect, cover.shown, cover.exStyle, cover.after));
        CCoverProbe probe;
        EXPECT_EQ(probe.IsWhollyCovered(target), c.covered) << c.name;
    }
    CCoverProbe probe;
    EXPECT_FALSE(probe.IsWhollyCovered(nullptr));
}

// A cover that uncovers a probed point is seen at once; one that uncovers
// only pixels between them within a walk period.
TEST(CoverProbe, ACoverMovedAwayIsSeenInTime)
{
    Windows windows;
    const HWND target = windows.Add(Popup(kAll, Shown::Yes));
    const HWND cover = windows.Add(Popup(kAll, Shown::Yes));
    CCoverProbe probe;
    EXPECT_TRUE(probe.IsWhollyCovered(target));
    SetWindowPos(cover, nullptr, kElsewhere.left, kElsewhere.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(probe.IsWhollyCovered(target));
    SetWindowPos(cover, nullptr, kAll.left, kAll.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(probe.IsWhollyCovered(target));
    SetWindowPos(cover, nullptr, 0, 0, kColumnShort.right - kColumnShort.left, kColumnShort.bottom - kColumnShort.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(CCoverProbe::kWalkPeriodMs);
    EXPECT_FALSE(probe.IsWhollyCovered(target));
}

// Asking every frame costs no walk over the windows above while a point shows
// the window, and at most one a period while it is covered, however many
// hidden windows lie above.
TEST(CoverProbe, AskingCostsNoWalkPerWindowAbove)
{
    Windows windows;
    const HWND target = windows.Add(Popup(kAll, Shown::Yes));
    for (int i = 0; i < kCrowd; ++i)
        windows.Add(Popup(kAll, Shown::No));
    const int kAsks = 50;
    CCoverProbe probe;
    for (int i = 0; i < kAsks; ++i)
        EXPECT_FALSE(probe.IsWhollyCovered(target));
    EXPECT_EQ(probe.GetWalkCount(), 0);

    windows.Add(Popup(kAll, Shown::Yes));
    const DWORD start = GetTickCount();
    for (int i = 0; i < kAsks; ++i)
        EXPECT_TRUE(probe.IsWhollyCovered(target));
    EXPECT_LE(probe.GetWalkCount(), 1 + int((GetTickCount() - start) / CCoverProbe::kWalkPeriodMs));
}
