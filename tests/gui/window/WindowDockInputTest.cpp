#include "FakeShell.h"
#include "gui/window/WindowGeometry.h"
#include <gtest/gtest.h>

namespace {
// The display count of the cursor, left as it was.
int CursorCount()
{
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}
const RECT Desktop = {0, 0, 1280, 1024};
} // namespace

// Minimizing activates another window, so these run apart from the others.
// Maximize fills the work area; minimizing keeps that, so restoring maximizes
// again; the next restore returns to the normal rectangle.
TEST(WindowStates, MaximizeMinimizeRestore)
{
    RecordingListener states; // outlives the window, whose destruction it still hears
    ShellWindow w(TestWindowParams(100, 100, 400, 300));
    w.window.SetStateListener(&states);
    const RECT normal = {100, 100, 500, 400};
    w.window.Maximize(nullptr);
    EXPECT_TRUE(w.window.IsMaximized());
    EXPECT_TRUE(SameRect(w.Rect(), Desktop));
    EXPECT_EQ(w.window.GetEdgeTouch(), 15u);
    EXPECT_EQ(states.Count(WindowEvent::StateChanged), 1);
    w.Send(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(w.window.IsMinimized());
    w.Send(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_TRUE(w.window.IsMaximized());
    EXPECT_TRUE(SameRect(w.Rect(), Desktop));
    w.window.Restore();
    EXPECT_FALSE(w.window.IsMaximized());
    EXPECT_TRUE(SameRect(w.Rect(), normal));
    EXPECT_EQ(w.window.GetFrameMask(), 0);

    // A window already as large as the work area gets its resize event from Maximize itself.
    ShellWindow full(TestWindowParams(0, 0, 1280, 1024));
    full.window.Maximize(nullptr);
    EXPECT_EQ(full.listener.Count(WindowEvent::Resized), 1);
}

namespace {
// The work area set while it lives, the whole desktop again after. Wine keeps
// it to this process and broadcasts no change: the test sends the message.
struct SetWorkArea {
    explicit SetWorkArea(RECT work) { SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0); }
    ~SetWorkArea() { SystemParametersInfoA(SPI_SETWORKAREA, 0, const_cast<RECT*>(&Desktop), 0); }
};
} // namespace

// A bar that takes an edge, or a new display, changes the work area: a
// maximized window takes the work area as it is now; a normal one stays.
TEST(WindowStates, MaximizedWindowFollowsTheWorkArea)
{
    const RECT normal = {100, 100, 500, 400};
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        RECT work;
        bool maximized;
        RECT expected;
        uint32_t edgeTouch;
    } cases[] = {
        {"taskbar at the bottom", WM_SETTINGCHANGE, SPI_SETWORKAREA, {0, 0, 1280, 994}, true, {0, 0, 1280, 994}, 7},
        {"bar at the left", WM_SETTINGCHANGE, SPI_SETWORKAREA, {40, 0, 1280, 1024}, true, {40, 0, 1280, 1024}, 14},
        {"display change", WM_DISPLAYCHANGE, 32, {0, 30, 1280, 1024}, true, {0, 30, 1280, 1024}, 13},
        {"another setting", WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, {0, 0, 1280, 994}, true, Desktop, 15},
        {"not maximized", WM_SETTINGCHANGE, SPI_SETWORKAREA, {0, 0, 1280, 994}, false, normal, 0},
    };
    for (const auto& c : cases) {
        ShellWindow w(TestWindowParams(100, 100, 400, 300));
        w.shell.workAreaFromSettings = true;
        SetWorkArea whole(Desktop); // whatever taskbar another test's tray icon brought up
        if (c.maximized)
            w.window.Maximize(nullptr);
        PumpMessages();
        SetWorkArea work(c.work);
        w.listener.Clear();
        w.Send(c.message, c.wParam);
        PumpMessages();
        EXPECT_TRUE(SameRect(w.Rect(), c.expected)) << c.name;
        EXPECT_EQ(w.window.GetEdgeTouch(), c.edgeTouch) << c.name;
        const RECT before = c.maximized ? Desktop : normal;
        EXPECT_EQ(w.listener.Count(WindowEvent::Resized), SameRect(c.expected, before) ? 0 : 1) << c.name;
        EXPECT_EQ(w.window.IsMaximized(), c.maximized) << c.name;
        w.window.Restore();
        EXPECT_TRUE(SameRect(w.Rect(), normal)) << c.name;
    }
}

// A docked window dragged 50 px stays; at 51 px it comes off under the cursor
// at its normal size.
// A click outside closes the window; a listener that deletes the window on
// the way leaves the tick nothing to touch.
TEST(WindowDockInput, TearOffAndOutsideClick)
{
    ShellWindow w(DockableParams());
    w.window.SetDragRect(0, 0, 1280, 1024);
    w.window.DockToEdge(DockEdge::Left, nullptr);
    PumpMessages();
    ASSERT_TRUE(MoveCursorTo(100, 500));
    w.Post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 500));
    ASSERT_TRUE(MoveCursorTo(150, 500));
    w.Post(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 500));
    EXPECT_EQ(w.window.GetDockedEdge(), DockEdge::Left);
    ASSERT_TRUE(MoveCursorTo(151, 500));
    w.Post(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(151, 500));
    EXPECT_EQ(w.window.GetDockedEdge(), 0);
    EXPECT_TRUE(SameRect(w.Rect(), RECT{151 - 200, 500 - 150, 151 + 200, 500 + 150}));
    w.Post(WM_LBUTTONUP, 0, MAKELPARAM(151, 500));
    EXPECT_EQ(w.shell.Count(ABM_REMOVE), 1);

    {
        ASSERT_TRUE(MoveCursorTo(20, 20));
        WindowCreateParams params = TestWindowParams();
        params.closeOnOutsideClick = 1;
        params.topmostLevel = 2;
        FakeShell shell;
        RecordingListener listener;
        auto* window = new CPhysicalWindow;
        listener.react = [&window](const RecordedEvent& e) {
            if (e.code == WindowEvent::Destroyed) {
                delete window;
                window = nullptr;
            }
            return 0;
        };
        window->SetListener(&listener);
        ASSERT_EQ(window->Create(params), 0);
        const HWND hwnd = window->GetHwnd();
        ASSERT_TRUE(SendMouseButton(MouseButton::Left, KeyAction::Press));
        SendMessageA(hwnd, WM_TIMER, WindowTimer::Tick, 0);
        SendMouseButton(MouseButton::Left, KeyAction::Release);
        EXPECT_EQ(window, nullptr);
        EXPECT_FALSE(IsWindow(hwnd));
        delete window;
    }
}

// The cursor hides a little over 3 s after the last activity, shows on the
// first tick after a move, and never stays hidden past the window.
TEST(WindowDockInput, CursorHidesAfterQuietAndShowsOnMove)
{
    ASSERT_TRUE(MoveCursorTo(20, 20));
    const int shown = CursorCount();
    WindowCreateParams params = TestWindowParams();
    params.cursorHideMs = 3000;
    auto w = std::make_unique<ShellWindow>(params);
    w->Tick(4000);
    EXPECT_EQ(CursorCount(), shown);
    w->Tick(4001);
    EXPECT_EQ(CursorCount(), shown - 1);
    w->Tick(9000);
    EXPECT_EQ(CursorCount(), shown - 1);
    ASSERT_TRUE(MoveCursorTo(25, 20));
    w->Tick(9010);
    EXPECT_EQ(CursorCount(), shown);
    w->Tick(12010);
    EXPECT_EQ(CursorCount(), shown);
    w->Tick(12011);
    EXPECT_EQ(CursorCount(), shown - 1);
    w.reset();
    EXPECT_EQ(CursorCount(), shown);
}

// Torn off by real input while active (hiding it on the way deactivates it),
// a docked window keeps following the cursor at its normal size, and the
// shell hears of the tear once: no docking again on the way.
TEST(WindowDockInput, TearOffKeepsTheDragOfAnActiveWindow)
{
    ShellWindow w(DockableParams());
    w.window.SetDragRect(0, 0, 1280, 1024);
    w.window.DockToEdge(DockEdge::Left, nullptr);
    PumpMessages();
    w.window.Activate();
    PumpMessages();
    ASSERT_TRUE(w.window.IsActive());
    ASSERT_TRUE(MoveCursorTo(100, 500));
    ASSERT_TRUE(SendMouseButton(MouseButton::Left, KeyAction::Press));
    PumpMessages();
    const POINT moves[] = {{151, 500}, {300, 520}, {420, 600}, {430, 610}};
    for (const POINT& at : moves) {
        ASSERT_TRUE(MoveCursorTo(at.x, at.y));
        w.Post(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        PumpMessages();
        EXPECT_EQ(w.window.GetDockedEdge(), 0) << at.x;
        EXPECT_TRUE(SameRect(w.Rect(), RECT{at.x - 200, at.y - 150, at.x + 200, at.y + 150})) << at.x;
    }
    SendMouseButton(MouseButton::Left, KeyAction::Release);
    PumpMessages();
    EXPECT_EQ(w.shell.Count(ABM_NEW), 1);
    EXPECT_EQ(w.shell.Count(ABM_SETPOS), 1);
    EXPECT_EQ(w.shell.Count(ABM_REMOVE), 1);
    EXPECT_EQ(w.window.GetDockedEdge(), 0);
}

// A quick pull from any dock, from the bar's long margin too: the pointer goes
// on while the bar comes off, hidden and shown again, so no window of the
// program hears it on the way. The window still follows it while the button
// is held, its title bar on the work area, and stays where the button is
// released. A bar docks inside the work area: over a taskbar it would hide
// the tray, and lose its margin's presses wherever the taskbar lies above it.
TEST(WindowDockInput, QuickTearOffFollowsThePointerUntilTheRelease)
{
    const struct {
        int edge;
        POINT press, tearOff, pulledTo;
        RECT released;
        uint32_t touch; // the work area's sides the bar meets
        RECT work = Desktop;
    } cases[] = {
        {DockEdge::Left, {3, 20}, {78, 67}, {603, 396}, {403, 246, 803, 546}, 11},
        {DockEdge::Left, {3, 20}, {78, 67}, {603, 40}, {403, 0, 803, 300}, 11},
        {DockEdge::Top, {400, 3}, {420, 60}, {600, 400}, {400, 250, 800, 550}, 7},
        {DockEdge::Bottom, {400, 1021}, {420, 964}, {600, 400}, {400, 250, 800, 550}, 13},
        {DockEdge::Right, {1277, 500}, {1220, 520}, {600, 400}, {400, 250, 800, 550}, 14},
        {DockEdge::Bottom, {400, 991}, {420, 934}, {600, 400}, {400, 250, 800, 550}, 13, {0, 0, 1280, 994}},
        {DockEdge::Left, {3, 500}, {78, 520}, {600, 400}, {400, 250, 800, 550}, 11, {0, 0, 1280, 994}},
    };
    for (const auto& c : cases) {
        ShellWindow w(DockableParams());
        w.shell.workAreaFromSettings = true;
        SetWorkArea work(c.work);
        w.window.SetDragRect(0, 0, 1280, 1024);
        w.window.DockToEdge(c.edge, nullptr);
        PumpMessages();
        RECT docked = w.Rect();
        EXPECT_TRUE(IntersectRect(&docked, &docked, &c.work) && SameRect(docked, w.Rect())) << c.edge;
        EXPECT_EQ(w.window.GetEdgeTouch(), c.touch) << c.edge;
        w.window.Activate();
        PumpMessages();
        bool pulled = false;
        w.listener.react = [&](const RecordedEvent& e) {
            if (e.code == WindowEvent::Resized && !pulled && w.window.GetDockedEdge() == 0)
                pulled = MoveCursorTo(c.pulledTo.x, c.pulledTo.y);
            return 0;
        };
        ASSERT_TRUE(MoveCursorTo(c.press.x, c.press.y));
        ASSERT_TRUE(SendMouseButton(MouseButton::Left, KeyAction::Press));
        PumpMessages();
        ASSERT_TRUE(MoveCursorTo(c.tearOff.x, c.tearOff.y));
        PumpMessages();
        w.Tick(2000);
        EXPECT_TRUE(pulled) << c.edge;
        const RECT held = w.Rect();
        SendMouseButton(MouseButton::Left, KeyAction::Release);
        PumpMessages();
        ASSERT_TRUE(MoveCursorTo(c.pulledTo.x + 50, c.pulledTo.y + 50));
        PumpMessages();
        const RECT released = w.Rect();
        EXPECT_EQ(w.window.GetDockedEdge(), 0) << c.edge;
        EXPECT_TRUE(SameRect(held, c.released)) << c.edge << ": " << held.left << "," << held.top;
        EXPECT_TRUE(SameRect(released, c.released)) << c.edge << ": " << released.left << "," << released.top;
        w.listener.react = nullptr;
    }
}
