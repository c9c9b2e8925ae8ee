#include "WindowTestSupport.h"
#include <gtest/gtest.h>

namespace {

struct Recorder : CMessageHook {
    int OnMessage(CPhysicalWindow*, HWND, UINT message, WPARAM, LPARAM, LRESULT* result) override
    {
        seen.push_back(message);
        *result = answer;
        return handles == message;
    }
    std::vector<UINT> seen;
    UINT handles = 0;
    LRESULT answer = 0;
};

} // namespace

// Minimizing (a zero side) and repeats are no resizes; a new size is, with the
// window's rect. The policy timer is the window's own; every other timer is an
// event. The wheel counts whole notches.
TEST(WindowEvents, SizesTimersAndWheel)
{
    WindowFixture f;
    ASSERT_TRUE(f.created);
    const struct {
        int width, height;
        bool event;
    } steps[] = {{100, 50, true}, {100, 50, false}, {0, 50, false}, {100, 0, false}, {101, 50, true}};
    for (const auto& s : steps) {
        f.listener.Clear();
        EXPECT_EQ(f.Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(s.width, s.height)), 0);
        ASSERT_EQ(f.listener.Count(WindowEvent::Resized), s.event ? 1 : 0) << s.width << "x" << s.height;
        if (s.event) {
            RECT expected, got = *reinterpret_cast<RECT*>(f.listener.Last(WindowEvent::Resized)->p2);
            GetWindowRect(f.window.GetHwnd(), &expected);
            EXPECT_TRUE(EqualRect(&expected, &got));
        }
    }

    const struct {
        UINT_PTR id;
        int events;
    } timers[] = {{WindowTimer::Tick, 0}, {WindowTimer::MouseTrack, 1}, {7, 1}};
    for (const auto& t : timers) {
        f.listener.Clear();
        f.Send(WM_TIMER, t.id);
        ASSERT_EQ(f.listener.Count(WindowEvent::Timer), t.events) << t.id;
        if (t.events) {
            EXPECT_EQ(f.listener.Last(WindowEvent::Timer)->p1, static_cast<int>(t.id));
        }
    }
    f.listener.Clear();
    f.Send(WM_ENDSESSION, FALSE);
    f.Send(WM_ENDSESSION, TRUE);
    EXPECT_EQ(f.listener.Codes(), (std::vector<int>{WindowEvent::Timer, WindowEvent::SessionEnding}));

    for (int delta : {240, -360, 100, 120}) {
        f.listener.Clear();
        f.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))));
        ASSERT_EQ(f.listener.Count(WindowEvent::MouseWheel), 1);
        EXPECT_EQ(f.listener.events[0].p1, delta / 120) << delta;
    }
}

// 0xae4 answers what the listener wrote; an event hook that answers comes
// first and the listener is not asked. A message hook sees other messages
// first and can take them; the button messages only after the window's own
// handling.
TEST(WindowEvents, ExternalMessageAndHooks)
{
    // The hooks outlive the window: its destruction still passes them messages.
    RecordingListener hook;
    Recorder messages;
    WindowFixture f;
    f.listener.react = [](const RecordedEvent& e) {
        if (e.code == WindowEvent::External)
            *static_cast<LRESULT*>(e.data) = e.p1 * 1000 + e.p2;
        return 0;
    };
    EXPECT_EQ(f.Send(ToolkitMessage::External, 12, 34), 12034);
    ASSERT_EQ(f.listener.Count(WindowEvent::External), 1);

    hook.react = [](const RecordedEvent&) { return 1; };
    f.window.SetEventHook(&hook);
    f.listener.Clear();
    EXPECT_EQ(f.window.SendEvent(WindowEvent::Timer, 3, 0, nullptr), 1);
    EXPECT_EQ(f.Send(ToolkitMessage::External, 1, 2), 0);
    EXPECT_TRUE(f.listener.events.empty());
    EXPECT_EQ(hook.Codes(), (std::vector<int>{WindowEvent::Timer, WindowEvent::External}));

    f.window.SetEventHook(nullptr);
    f.listener.react = nullptr;
    f.window.SetMessageHook(&messages);
    messages.handles = WM_KEYDOWN;
    messages.answer = 77;
    EXPECT_EQ(f.Send(WM_KEYDOWN, 'A'), 77);
    EXPECT_TRUE(f.listener.events.empty());

    messages.handles = WM_LBUTTONDOWN;
    f.listener.react = [&messages](const RecordedEvent&) {
        EXPECT_TRUE(messages.seen.empty() || messages.seen.back() != WM_LBUTTONDOWN) << "the hook came first";
        return 0;
    };
    messages.seen.clear();
    EXPECT_EQ(f.Send(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1)), 77);
    EXPECT_EQ(f.listener.Count(WindowEvent::LeftButtonDown), 1);
    EXPECT_EQ(messages.seen, std::vector<UINT>{WM_LBUTTONDOWN});
}

// The deferred close sends Destroyed, then again from WM_DESTROY; a listener
// may delete the window object in it.
TEST(WindowEvents, DeferredCloseAndDeletingInTheListener)
{
    auto* window = new CPhysicalWindow;
    RecordingListener listener;
    window->SetListener(&listener);
    ASSERT_EQ(window->Create(TestWindowParams()), 0);
    const std::string name = window->GetWindowClassName();
    const HWND hwnd = window->GetHwnd();
    const int sections = CBitmapDC::GetLiveSectionCount();
    listener.react = [&window](const RecordedEvent& e) {
        if (e.code == WindowEvent::Destroyed && window) {
            CPhysicalWindow* dying = window;
            window = nullptr;
            delete dying;
        }
        return 0;
    };
    PumpMessages();
    listener.Clear();
    PostMessageA(hwnd, ToolkitMessage::Close, 0, 0);
    PumpMessages();
    EXPECT_EQ(window, nullptr);
    // Losing activation and focus comes between the two.
    const std::vector<int> codes = listener.Codes();
    ASSERT_EQ(listener.Count(WindowEvent::Destroyed), 2);
    EXPECT_EQ(codes.front(), WindowEvent::Destroyed);
    EXPECT_EQ(codes.back(), WindowEvent::Destroyed);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IsClassRegistered(name));
    EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), sections - 1);
}

// A left release outside a drag ends no size-move loop. A disabled window
// sends no button events.
// A listener-painted window asks for its bitmap on every paint; without one
// it paints nothing and is not asked again and again.
TEST(WindowEvents, LeftReleaseEndsSizeMoveAndListenerPaints)
{
    const struct {
        uint8_t movable, disabled;
        std::vector<int> codes;
    } cases[] = {
        {1, 0, {WindowEvent::LeftButtonUp}},
        {0, 0, {WindowEvent::LeftButtonUp}},
        {1, 1, {}},
    };
    for (const auto& c : cases) {
        WindowCreateParams params = TestWindowParams();
        params.movable = c.movable;
        params.disabled = c.disabled;
        WindowFixture f(params);
        f.Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
        EXPECT_EQ(f.listener.Codes(), c.codes) << int(c.movable) << int(c.disabled);
        f.listener.Clear();
        f.Send(WM_RBUTTONDOWN);
        f.Send(ToolkitMessage::RButtonUp);
        const std::vector<int> right = {WindowEvent::RightButtonDown, WindowEvent::RightButtonUp};
        EXPECT_EQ(f.listener.Codes(), c.disabled ? std::vector<int>() : right);
    }

    {
        WindowCreateParams params = TestWindowParams();
        params.listenerPaints = 1;
        WindowFixture f(params);
        InvalidateRect(f.window.GetHwnd(), nullptr, FALSE);
        PumpMessages();
        EXPECT_EQ(f.listener.Count(WindowEvent::Paint), 1);
        EXPECT_EQ(f.Send(WM_ERASEBKGND), 1);
    }
}

// A captured cursor left of or above a window arrives at negative client
// coordinates; every point of the 16-bit range comes back as packed.
TEST(WindowEvents, PointsDecodeSigned)
{
    const POINT points[] = {{0, 0}, {5, 7}, {-1, 0}, {0, -1}, {-3, -40}, {32767, -32768}, {-32768, 32767}};
    for (const POINT& p : points) {
        const POINT at = EventPoint(int(MAKELPARAM(p.x, p.y)));
        EXPECT_EQ(at.x, p.x);
        EXPECT_EQ(at.y, p.y);
    }
}
