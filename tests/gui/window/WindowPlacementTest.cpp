#include "FakeShell.h"
#include "PlacementTestSupport.h"
#include "gui/window/WindowGeometry.h"
#include <gtest/gtest.h>
#include <climits>
#include <cstring>

namespace {
WindowCreateParams SavingParams(const TempIni& ini)
{
    WindowCreateParams params = DockableParams(300, 200, 64, 48);
    params.savePlacement = 1;
    params.iniPath = ini.path;
    params.section = TempIni::Section;
    params.key = TempIni::Key;
    return params;
}

} // namespace

// Saved once, 10 s after the last of two moves 4 s apart, and again on Destroy.
TEST(WindowPlacement, SavedTenSecondsAfterTheLastChange)
{
    TempIni ini;
    ShellWindow w(SavingParams(ini));
    const HWND hwnd = w.window.GetHwnd();
    w.ticks.now = 2000;
    SetWindowPos(hwnd, nullptr, 320, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    w.Tick(6000);
    w.ticks.now = 6000;
    SetWindowPos(hwnd, nullptr, 340, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    for (uint32_t quiet : {12001u, 16000u}) {
        w.Tick(quiet);
        EXPECT_FALSE(ini.Exists()) << quiet;
    }
    w.Tick(16001);
    WindowPlacementRecord record;
    ASSERT_TRUE(ini.Read(record));
    EXPECT_EQ(record.size, 108u);
    EXPECT_EQ(std::memcmp(&record.magic, "vuts", 4), 0);
    EXPECT_TRUE(SameRect(RECT{record.left, record.top, record.right, record.bottom}, RECT{340, 220, 404, 268}));
    EXPECT_EQ(record.state, PlacementFlag::TaskbarButton | PlacementFlag::TopmostWhenDocked);
    DeleteFileA(ini.path.c_str());
    w.Tick(30000);
    EXPECT_FALSE(ini.Exists());
    w.window.Destroy();
    EXPECT_TRUE(ini.Exists());
}

// Each saved state comes back; anything but a sound record leaves the window
// at its own rectangle with its own options.
// A resizable window takes the saved size as well.
TEST(WindowPlacement, RecordsRestoreTheirState)
{
    const RECT own = {300, 200, 364, 248};
    const struct {
        const char* name;
        WindowPlacementRecord record;
        UINT size;
        RECT rect;
        int docked, topmost, placed;
        bool minimized;
    } cases[] = {
        {"docked right", PlacementRecord(103), 108, {1010, 0, 1280, 1024}, 3, 0, 1, false},
        {"topmost bit 25 alone",
         PlacementRecord(PlacementFlag::TopmostLevel2),
         108,
         {100, 100, 164, 148},
         0,
         2,
         0,
         false},
        {"minimized", PlacementRecord(PlacementState::Minimized), 108, {100, 100, 164, 148}, 0, 0, 0, true},
        {"foreign magic",
         [] {
             auto r = PlacementRecord(0);
             r.magic = 0x12345678;
             return r;
         }(),
         108, own, 0, 0, 0, false},
        {"another size", PlacementRecord(0), 100, own, 0, 0, 0, false},
        {"inverted rectangle", PlacementRecord(0, {500, 100, 100, 400}), 108, own, 0, 0, 0, false},
        {"unknown state", PlacementRecord(105), 108, own, 0, 0, 0, false},
        {"beyond 16-bit coordinates", PlacementRecord(0, {-100000, 100, 500, 400}), 108, own, 0, 0, 0, false},
        {"docked thicker than 16 bits",
         [] {
             auto r = PlacementRecord(104);
             r.dockedHeight = INT_MAX;
             return r;
         }(),
         108, own, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        TempIni ini;
        ini.Write(&c.record, c.size);
        SeenMessages seen;
        ShellWindow w(SavingParams(ini), &seen);
        PumpMessages();
        if (c.minimized) {
            EXPECT_TRUE(w.window.IsMinimized()) << c.name;
            w.window.Restore();
        }
        EXPECT_TRUE(SameRect(w.Rect(), c.rect)) << c.name;
        EXPECT_EQ(w.window.GetDockedEdge(), c.docked) << c.name;
        EXPECT_EQ(w.window.GetTopmostLevel(), c.topmost) << c.name;
        EXPECT_EQ(seen.Count(ToolkitMessage::Placed), c.placed) << c.name;
        w.window.SetMessageHook(nullptr);
    }

    {
        TempIni ini;
        const WindowPlacementRecord record = PlacementRecord(0);
        ini.Write(record);
        WindowCreateParams params = SavingParams(ini);
        params.resizable = 1;
        ShellWindow w(params);
        EXPECT_TRUE(SameRect(w.Rect(), RECT{100, 100, 500, 400}));
        WindowPlacementRecord copy = {};
        CPhysicalWindow later;
        later.LoadPlacementInto(params, &copy);
        EXPECT_EQ(std::memcmp(&copy, &record, sizeof(copy)), 0);
    }
}

namespace {
const SIZE kMinSize = {100, 80}; // the limits the test window's sizing keeps to
const SIZE kMaxSize = {600, 500};

// A resizable window whose listener keeps its sizing within kMinSize..kMaxSize.
struct LimitedWindow : ShellAndClock {
    explicit LimitedWindow(WindowCreateParams params)
    {
        listener.react = [](const RecordedEvent& e) {
            if (e.code == WindowEvent::SizingClamped)
                SizingRectClamp(*reinterpret_cast<RECT*>(e.p2), e.p1, kMinSize.cx, kMinSize.cy, kMaxSize.cx,
                                kMaxSize.cy);
            return 0;
        };
        window.SetListener(&listener);
        window.SetTickSource(&ticks);
        params.resizable = 1;
        window.Create(params);
        PumpMessages();
    }
    RecordingListener listener;
    CPhysicalWindow window;
};

WindowPlacementRecord Spoiled(uint32_t state, RECT rect, int dockedWidth = 270, int dockedHeight = 156)
{
    WindowPlacementRecord record = PlacementRecord(state, rect);
    record.dockedWidth = dockedWidth;
    record.dockedHeight = dockedHeight;
    return record;
}
} // namespace

// Records from a monitor that is gone or spoiled since come back whole on the
// nearest monitor's work area, within the window's own size limits, enabled;
// a docked bar takes at most half its monitor and never vanishes.
TEST(WindowPlacement, HostileRecordsRestoreOnScreenWithinTheLimits)
{
    const uint32_t dockedLeft = PlacementState::DockedBase + DockEdge::Left;
    const uint32_t dockedTop = PlacementState::DockedBase + DockEdge::Top;
    const struct {
        const char* name;
        WindowPlacementRecord record;
    } cases[] = {
        {"off every monitor", Spoiled(0, {5000, 4000, 5300, 4200})},
        {"far above and left", Spoiled(0, {-32768, -32768, -32400, -32500})},
        {"only a corner left on screen", Spoiled(0, {-390, -290, 10, 10})},
        {"title bar above the screen", Spoiled(0, {-50, -50, 350, 250})},
        {"title bar 1 px above the screen", Spoiled(0, {200, -1, 600, 299})},
        {"title bar barely right of the screen", Spoiled(0, {1250, 300, 1650, 600})},
        {"maximized from above the screen", Spoiled(PlacementState::Maximized, {-50, -80, 350, 220})},
        {"minimized above the screen", Spoiled(PlacementState::Minimized, {300, -200, 700, 100})},
        {"1 x 1", Spoiled(0, {300, 300, 301, 301})},
        {"1 x 1 in the far corner", Spoiled(0, {32766, 32766, 32767, 32767})},
        {"32767 x 32767", Spoiled(0, {0, 0, 32767, 32767})},
        {"disabled", Spoiled(PlacementFlag::Disabled, {100, 100, 400, 300})},
        {"minimized off every monitor", Spoiled(PlacementState::Minimized, {-9000, 200, -8700, 400})},
        {"maximized from far away", Spoiled(PlacementState::Maximized, {9000, 9000, 9300, 9200})},
        {"docked left across the monitor", Spoiled(dockedLeft, {100, 100, 400, 300}, 32767, 156)},
        {"docked top 1 px high", Spoiled(dockedTop, {100, 100, 400, 300}, 270, 1)},
        {"docked from another monitor", Spoiled(dockedTop, {-5000, 100, -4700, 300})},
    };
    for (const auto& c : cases) {
        TempIni ini;
        ini.Write(c.record);
        LimitedWindow w(SavingParams(ini));
        const HWND hwnd = w.window.GetHwnd();
        const bool docked = w.window.GetDockedEdge() != DockEdge::None;
        const bool maximized = (c.record.state & PlacementState::Mask) == PlacementState::Maximized;
        if (!docked)
            w.window.Restore();
        PumpMessages();
        RECT rect = {}, shown = {};
        GetWindowRect(hwnd, &rect);
        MONITORINFO monitor = {sizeof(monitor), {}, {}, 0};
        ASSERT_TRUE(GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor));
        IntersectRect(&shown, &rect, docked ? &monitor.rcMonitor : &monitor.rcWork);
        EXPECT_TRUE(SameRect(shown, rect)) << c.name << ": wholly on the monitor";
        EXPECT_FALSE(w.window.IsDisabled()) << c.name;
        EXPECT_TRUE(IsWindowEnabled(hwnd)) << c.name;
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        if (!docked && !maximized) {
            EXPECT_TRUE(width >= kMinSize.cx && width <= kMaxSize.cx) << c.name << ": " << width;
            EXPECT_TRUE(height >= kMinSize.cy && height <= kMaxSize.cy) << c.name << ": " << height;
        }
        const int monitorWidth = monitor.rcMonitor.right - monitor.rcMonitor.left;
        const int monitorHeight = monitor.rcMonitor.bottom - monitor.rcMonitor.top;
        if (w.window.GetDockedEdge() == DockEdge::Left) {
            EXPECT_TRUE(width >= kMinVisiblePart && width <= monitorWidth / 2) << c.name << ": " << width;
        }
        if (w.window.GetDockedEdge() == DockEdge::Top) {
            EXPECT_TRUE(height >= kMinVisiblePart && height <= monitorHeight / 2) << c.name << ": " << height;
        }
        w.window.SetListener(nullptr);
    }
}
