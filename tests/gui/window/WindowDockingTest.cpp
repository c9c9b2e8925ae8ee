#include "FakeShell.h"
#include "gui/controls/ControlNotification.h"
#include "gui/window/MonitorHelpers.h"
#include "gui/window/WindowCommand.h"
#include "gui/window/WindowGeometry.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {
const RECT Desktop = {0, 0, 1280, 1024};

BOOL CALLBACK AddToList(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

// Whether upper stands anywhere above lower in the z-order. The system's list
// is taken at once: a walk window by window ends early where another test's
// window goes meanwhile.
bool IsAbove(HWND upper, HWND lower)
{
    std::vector<HWND> order;
    EnumWindows(AddToList, reinterpret_cast<LPARAM>(&order));
    const auto at = [&](HWND hwnd) { return std::find(order.begin(), order.end(), hwnd); };
    return at(upper) < at(lower) && at(lower) != order.end();
}
} // namespace

// The monitor helpers and the clamp, which keeps a window's insets around
// what must fit; a monitor that cannot be asked stops Maximize, the clamp and
// docking before any change.
TEST(WindowStates, MonitorQueriesAndTheirFailure)
{
    WindowCreateParams params = DockableParams(-50, 90);
    params.showOnCreate = 0;
    ShellWindow w(params);
    const RECT before = w.Rect();
    w.shell.monitorFails = true;
    w.window.Maximize(nullptr);
    w.window.ClampToMonitor(MonitorClamp::WorkArea);
    EXPECT_FALSE(w.window.IsMaximized());
    EXPECT_TRUE(SameRect(w.Rect(), before));
    EXPECT_EQ(MonitorEdgeTest(-50, 90, 400, 300, 0), MonitorEdge::NoMonitor);
    EXPECT_EQ(w.window.DockNearest(), DockEdge::NoMonitor);
    for (int edge : {0, 5, -1})
        EXPECT_EQ(w.window.DockToEdge(edge, nullptr), 0);
    EXPECT_TRUE(w.shell.calls.empty());
    w.shell.monitorFails = false;
    EXPECT_EQ(MonitorEdgeTest(-50, 990, 400, 300, 0), MonitorEdge::Left | MonitorEdge::Bottom);
    EXPECT_EQ(MonitorEdgeTest(-50, 990, 400, 300, MonitorClamp::KeepHorizontal | MonitorClamp::KeepVertical), 0);
    RECT monitor = {};
    EXPECT_TRUE(GetMonitorRectAt(5, 5, monitor) && SameRect(monitor, Desktop));
    w.window.ClampToMonitor(MonitorClamp::WorkArea);
    EXPECT_EQ(w.Rect().left, 0);
    EXPECT_EQ(w.window.DockNearest(), DockEdge::Left); // nothing stayed registered
    EXPECT_EQ(w.shell.Count(ABM_NEW), 1);

    WindowCreateParams inset = TestWindowParams(-30, 100);
    inset.clampFlags = MonitorClamp::WorkArea;
    std::fill(std::begin(inset.insets), std::end(inset.insets), 10);
    CPhysicalWindow clamped;
    ASSERT_EQ(clamped.Create(inset), 0);
    RECT rect = {};
    GetWindowRect(clamped.GetHwnd(), &rect);
    EXPECT_EQ(rect.left, -10);
}

// Docking left: the toolbar's rectangle, the shell's calls, then 0x7e9, no
// taskbar button and the resize event; a second dock keeps the normal rectangle.
TEST(WindowDocking, DockLeftThenRightThenRestore)
{
    SeenMessages seen; // outlives the window, whose destruction it still sees
    ShellWindow w(DockableParams());
    ASSERT_TRUE(w.created);
    w.window.SetMessageHook(&seen);
    SizeProposal proposal = {};
    w.listener.react = [&proposal](const RecordedEvent& e) {
        if (e.code == WindowEvent::Sizing)
            proposal = *reinterpret_cast<SizeProposal*>(e.p2);
        return 0;
    };
    const RECT normal = w.Rect();
    ASSERT_EQ(w.window.DockToEdge(DockEdge::Left, nullptr), DockEdge::Left);
    EXPECT_EQ(proposal.width, 270);
    EXPECT_EQ(proposal.height, 1024);
    EXPECT_EQ(proposal.axis, SizeAxis::Horizontal);
    EXPECT_EQ(seen.Count(ToolkitMessage::Docked), 0);
    w.listener.Clear();
    PumpMessages();
    EXPECT_EQ(seen.Count(ToolkitMessage::Docked), 1);
    EXPECT_TRUE(SameRect(w.Rect(), RECT{0, 0, 270, 1024}));
    EXPECT_TRUE(ExStyleOf(w.window.GetHwnd()) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ExStyleOf(w.window.GetHwnd()) & WS_EX_TOPMOST);
    EXPECT_GE(w.listener.Count(WindowEvent::Resized), 1);
    EXPECT_EQ(w.window.GetDockedEdge(), DockEdge::Left);
    const FakeShell::Call& set = w.shell.calls.back();
    EXPECT_EQ(set.message, static_cast<DWORD>(ABM_SETPOS));
    EXPECT_EQ(set.data.cbSize, 36u);
    EXPECT_EQ(set.data.uCallbackMessage, ToolkitMessage::AppBar);
    EXPECT_EQ(set.data.uEdge, static_cast<UINT>(ABE_LEFT));

    // Outside a size/move loop a docked window stays where it is.
    SetWindowPos(w.window.GetHwnd(), nullptr, 500, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(SameRect(w.Rect(), RECT{0, 0, 270, 1024}));
    EXPECT_EQ(w.window.DockToEdge(DockEdge::Right, nullptr), DockEdge::Right);
    EXPECT_TRUE(SameRect(w.Rect(), RECT{1010, 0, 1280, 1024}));
    RECT sizing = {980, 0, 1280, 1024};
    w.Send(WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&sizing));
    EXPECT_EQ(w.window.GetParams().dockedWidth, 300);
    ASSERT_NE(w.listener.Last(WindowEvent::SizingClamped), nullptr);
    EXPECT_EQ(w.listener.Last(WindowEvent::SizingClamped)->p1, SizingHandle::Left);
    w.window.Restore();
    PumpMessages();
    EXPECT_TRUE(SameRect(w.Rect(), normal));
    EXPECT_FALSE(ExStyleOf(w.window.GetHwnd()) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_EQ(w.shell.Count(ABM_NEW), 1);
    EXPECT_EQ(w.shell.Count(ABM_REMOVE), 1);
}

// The Dock command docks however far the edge is; the shell's answer keeps the
// bar's thickness; a refused registration ends docking for good.
TEST(WindowDocking, CommandShellAnswersAndRefusal)
{
    ShellWindow distant(DockableParams(80, 200)); // out of reach, and clearly nearest the left
    EXPECT_EQ(distant.window.NearestDockEdge(), DockEdge::Left + DockEdge::TooFar);
    distant.shell.leftBarWidth = 30;
    ControlNotification dock = {1, 5, 0, WindowCommand::Dock};
    EXPECT_EQ(distant.window.OnNotify(&dock), 0);
    EXPECT_EQ(distant.window.GetDockedEdge(), DockEdge::Left);
    EXPECT_TRUE(SameRect(distant.Rect(), RECT{30, 0, 300, 1024}));
    distant.window.Restore();
    ControlNotification other = {2, 5, 0, WindowCommand::Dock};
    distant.window.OnNotify(&other);
    distant.window.OnNotify(nullptr);
    EXPECT_EQ(distant.window.GetDockedEdge(), 0);

    ShellWindow refused(DockableParams());
    refused.shell.newAnswer = FALSE;
    EXPECT_EQ(refused.window.DockToEdge(DockEdge::Top, nullptr), 0);
    EXPECT_FALSE(refused.window.IsDockable());
    refused.shell.newAnswer = TRUE;
    EXPECT_EQ(refused.window.DockNearest(), 0);
    EXPECT_EQ(refused.shell.Count(ABM_NEW), 1);
    EXPECT_EQ(refused.shell.Count(ABM_SETPOS), 0);
}

// A docked window under a foreground window that covers it goes to the bottom
// once, and is topmost again when uncovered.
// Topmost level 2 yields to a menu of another program: right below it.
// A lifetime closes the window through the deferred close once it is over;
// a click (CancelLifetimes) stops it.
TEST(WindowPolicies, ZOrderAndLifetime)
{
    ShellWindow w(DockableParams());
    CPhysicalWindow cover;
    ASSERT_EQ(cover.Create(TestWindowParams(0, 0, 1280, 1024)), 0);
    w.window.DockToEdge(DockEdge::Left, nullptr);
    PumpMessages();
    const HWND own = w.window.GetHwnd();
    ASSERT_TRUE(IsAbove(own, cover.GetHwnd()));
    w.shell.foreground = cover.GetHwnd();
    w.Tick(2000);
    EXPECT_TRUE(IsAbove(cover.GetHwnd(), own));
    EXPECT_FALSE(ExStyleOf(own) & WS_EX_TOPMOST);
    SetWindowPos(own, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    w.Tick(2010);
    EXPECT_TRUE(IsAbove(own, cover.GetHwnd())); // not pushed down again
    w.shell.foreground = nullptr;
    w.Tick(2020);
    EXPECT_TRUE(ExStyleOf(own) & WS_EX_TOPMOST);

    {
        WindowCreateParams params = TestWindowParams();
        params.topmostLevel = 2;
        ShellWindow w(params);
        HWND menu = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "#32768", "", WS_POPUP, 0, 0, 50, 50, nullptr,
                                    nullptr, nullptr, nullptr);
        ASSERT_NE(menu, nullptr);
        ShowWindow(menu, SW_SHOWNOACTIVATE); // activation would pull it from the tests running beside it
        SetWindowPos(w.window.GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ASSERT_TRUE(IsAbove(w.window.GetHwnd(), menu));
        w.shell.foreground = menu;
        w.Tick(2000);
        EXPECT_EQ(GetWindow(menu, GW_HWNDNEXT), w.window.GetHwnd());
        w.shell.foreground = nullptr;
        w.Tick(2010);
        EXPECT_TRUE(IsAbove(w.window.GetHwnd(), menu));
        DestroyWindow(menu);
    }

    {
        for (bool cancelled : {false, true}) {
            WindowCreateParams params = TestWindowParams();
            params.lifetimeMs = 500;
            ShellWindow w(params);
            if (cancelled)
                w.window.CancelLifetimes();
            w.Tick(1500);
            PumpMessages();
            EXPECT_TRUE(w.window.IsCreated());
            w.Tick(1501);
            PumpMessages();
            EXPECT_EQ(w.window.IsCreated(), cancelled);
            EXPECT_EQ(w.listener.Count(WindowEvent::Destroyed) > 0, !cancelled);
        }
    }
}
