#include "FakeShell.h"
#include "PlacementTestSupport.h"
#include "TopLevelTestSupport.h"
#include "WindowTestSupport.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>

namespace {

bool InCornerSquare(int x, int y, int width, int height)
{
    const int b = 16; // the corner squares the region scans
    return (x < b || x >= width - b) && (y < b || y >= height - b);
}

// Saving into this file's record.
TopLevelWindowParams SavingParams(const TempIni& ini)
{
    TopLevelWindowParams params = ProbeParams();
    params.native.savePlacement = 1;
    params.native.iniPath = ini.path;
    params.native.section = TempIni::Section;
    params.native.key = TempIni::Key;
    return params;
}

} // namespace

// The first layout after Create is the only one told it is first; the
// close command runs the derived Destroy, and the window is gone.
// Only key pixels inside the 16-pixel corner squares leave the window's
// region; the grip picture depends on the window's size.
TEST(TopLevelWindow, LayoutsRegionGripAndClose)
{
    ProbeWindow w;
    const HWND hwnd = w.Create(ProbeParams());
    ASSERT_NE(hwnd, nullptr);
    PumpMessages();
    for (int width : {420, 440}) {
        SetWindowPos(hwnd, nullptr, 0, 0, width, 220, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpMessages();
    }
    ASSERT_GE(w.firsts.size(), 2u);
    EXPECT_TRUE(w.firsts[0]);
    EXPECT_EQ(std::count(w.firsts.begin(), w.firsts.end(), true), 1);
    EXPECT_EQ(w.GetContainer().GetWidth(), 440);
    EXPECT_TRUE(w.titledFrames.back());
    EXPECT_EQ(w.GetContainer().GetCaptionHeight(), 24);

    // Without the taskbar button the title bar, its buttons and the caption band go.
    for (bool shown : {false, true}) {
        w.SetTaskbarButton(shown);
        w.Relayout();
        PumpMessages();
        EXPECT_EQ(w.IsTitleBarShown(), shown);
        EXPECT_EQ(w.titledFrames.back(), shown);
        EXPECT_EQ(w.GetContainer().GetCaptionHeight(), shown ? 24 : 0);
        EXPECT_EQ(IsWindowVisible(w.GetTitleBar().GetButton(TitleButton::Close).GetWindow()->GetHwnd()) != 0, shown);
    }

    PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    EXPECT_EQ(w.destroyed, 1);
    EXPECT_FALSE(IsWindow(hwnd));

    {
        ProbeWindow w;
        TopLevelWindowParams params = ProbeParams();
        params.cornerGrip = 1;
        const HWND hwnd = w.Create(params);
        ASSERT_NE(hwnd, nullptr);
        const CBitmapDC& b = *w.GetContainer().GetSurface();
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(hwnd, region), ERROR);
        int cut = 0;
        for (int y = 0; y < b.GetHeight(); ++y) {
            for (int x = 0; x < b.GetWidth(); ++x) {
                const bool key = At(b, x, y) == 0xFFFF00FFu && InCornerSquare(x, y, 400, 200);
                cut += key;
                ASSERT_EQ(PtInRegion(region, x, y) != 0, !key) << x << "," << y;
            }
        }
        DeleteObject(region);
        EXPECT_GT(cut, 0) << "the frame's corners are rounded off";

        EXPECT_EQ(CornerGripImageId(299, 400), 1004);
        EXPECT_EQ(CornerGripImageId(300, 150), 1003);
        EXPECT_EQ(CornerGripImageId(300, 149), 1004);
        ProbeWindow plain;
        ASSERT_NE(plain.Create(ProbeParams()), nullptr);
        const CBitmapDC& p = *plain.GetContainer().GetSurface();
        int differing = 0;
        for (int y = 200 - 3 - 9; y < 200 - 3; ++y)
            for (int x = 400 - 4 - 9; x < 400 - 4; ++x)
                differing += At(b, x, y) != At(p, x, y);
        EXPECT_GT(differing, 0) << "the grip is drawn where it belongs";
    }
}

// Which saved placements a window takes: only its own, only with savePlacement,
// never as a child, and of its states only normal (the rectangle) and docked.
// A window saved docked starts without its title bar: no caption band in its first frame.
TEST(TopLevelWindow, SavedPlacementAndDockedState)
{
    const uint32_t magic = WindowPlacementRecord::kMagic;
    const RECT saved = {kQuietX - 10, kQuietY + 10, kQuietX + 323, kQuietY + 232};
    const RECT savedUnsized = {saved.left, saved.top, saved.left + 400, saved.top + 200};
    const RECT asked = {kQuietX, kQuietY, kQuietX + 400, kQuietY + 200};
    const struct {
        uint8_t save, child, resizable;
        uint32_t magic, state;
        RECT expected;
    } cases[] = {
        {1, 0, 1, magic, 0, saved},      {1, 0, 0, magic, 0, savedUnsized}, {0, 0, 1, magic, 0, asked},
        {1, 0, 1, 0x12345678, 0, asked}, {1, 0, 1, magic, 7, asked},        {1, 1, 1, magic, 0, asked},
    };
    ProbeWindow parent;
    ASSERT_NE(parent.Create(ProbeParams(kQuietX, kQuietY, 800, 600)), nullptr);
    for (const auto& c : cases) {
        TempIni ini;
        WindowPlacementRecord record = PlacementRecord(c.state, saved);
        record.magic = c.magic;
        ini.Write(record);
        TopLevelWindowParams params = SavingParams(ini);
        params.native.savePlacement = c.save;
        params.native.child = c.child;
        params.native.parentHandle = c.child ? parent.GetWindow().GetHwnd() : nullptr;
        params.native.resizable = c.resizable;
        ProbeWindow w;
        ASSERT_NE(w.Create(params), nullptr);
        const TopLevelWindowParams& got = w.GetParams();
        const RECT rect = {got.native.x, got.native.y, got.native.x + got.native.width,
                           got.native.y + got.native.height};
        EXPECT_TRUE(SameRect(rect, c.expected)) << int(c.save) << int(c.child) << int(c.resizable) << " " << c.state;
        EXPECT_EQ(w.GetContainer().GetWidth(), c.expected.right - c.expected.left);
        const WindowCreateParams& native = w.GetWindow().GetParams();
        const RECT nativeRect = {native.x, native.y, native.x + native.width, native.y + native.height};
        EXPECT_TRUE(SameRect(nativeRect, c.expected)) << "the native window agrees";
        w.GetWindow().SetListener(nullptr); // nothing saved back into the next case's file
    }

    {
        FakeShell shell;
        TempIni ini;
        ini.Write(PlacementRecord(PlacementState::DockedBase + 2));
        TopLevelWindowParams params = SavingParams(ini);
        params.native.dockable = 1;
        ProbeWindow w;
        ASSERT_NE(w.Create(params), nullptr);
        ASSERT_FALSE(w.titledFrames.empty());
        EXPECT_FALSE(w.titledFrames[0]);
        EXPECT_EQ(w.GetContainer().GetCaptionHeight(), 0);
        // Its corners on the screen's edges are square.
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(w.GetWindow().GetHwnd(), region), ERROR);
        const int right = w.GetContainer().GetWidth() - 1;
        EXPECT_TRUE(PtInRegion(region, 0, 0) && PtInRegion(region, right, 0)) << w.GetWindow().GetEdgeTouch();
        DeleteObject(region);
    }
}

// Create, resize and close twenty times, a new window object each time and
// one object created again (as the dialogs are): no class stays registered
// and no drawing surface outlives its window.
TEST(TopLevelWindow, CyclesLeaveNoClassesAndNoSurfaces)
{
    ProbeWindow reused;
    int sectionsBefore = 0;
    for (int cycle = 0; cycle <= 20; ++cycle) {
        if (cycle == 1)
            sectionsBefore = CBitmapDC::GetLiveSectionCount(); // after what the first windows make once
        ProbeWindow fresh;
        for (ProbeWindow* w : {&fresh, &reused}) {
            const HWND hwnd = w->Create(ProbeParams());
            ASSERT_NE(hwnd, nullptr);
            const std::string name = w->GetWindow().GetWindowClassName();
            SetWindowPos(hwnd, nullptr, 0, 0, 300 + cycle, 180, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            PumpMessages();
            EXPECT_FALSE(IsWindow(hwnd));
            EXPECT_FALSE(IsClassRegistered(name)) << cycle;
        }
    }
    EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), sectionsBefore);
}
