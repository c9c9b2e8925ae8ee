// Window behaviour that reads the cursor: each test places it first.
#include "tests/common/FakeTicks.h"
#include "WindowTestSupport.h"
#include "gui/controls/ControlNotification.h"
#include "gui/window/CMoveInputHook.h"
#include "gui/window/WindowCommand.h"
#include <gtest/gtest.h>
#include <functional>
#include <thread>

namespace {

const int Left = 300, Top = 200, Width = 64, Height = 48;

// Active from the start: a window that gains activation in the middle of a
// test reports it in the middle of the events.
WindowCreateParams ActiveWindowParams()
{
    WindowCreateParams params = TestWindowParams(Left, Top, Width, Height);
    params.noActivate = 0;
    params.activateOnShow = 1;
    return params;
}

WindowCreateParams ActiveWindowAt(RECT rect)
{
    WindowCreateParams params = ActiveWindowParams();
    params.x = rect.left;
    params.y = rect.top;
    params.width = rect.right - rect.left;
    params.height = rect.bottom - rect.top;
    return params;
}

// The clock comes first, so that it stands when the window is made.
struct Clock {
    FakeTicks ticks{1000};
};

struct Fixture : Clock, WindowFixture {
    explicit Fixture(WindowCreateParams params = ActiveWindowParams()) : WindowFixture(params, &ticks) {}
};

// The Move command, as a menu gives it.
void StartMove(CPhysicalWindow& window)
{
    ControlNotification move;
    move.kind = NotifyKind::PopupMenu;
    move.code = NotifyCode::Selected;
    move.controlId = WindowCommand::Move;
    window.OnNotify(&move);
}

// The buttons GetAsyncKeyState reports held (bit 1 left, bit 2 right).
int g_heldButtons = 0;
SHORT WINAPI HeldButtons(int key)
{
    const int bit = key == VK_LBUTTON ? 1 : key == VK_RBUTTON ? 2 : 0;
    return (g_heldButtons & bit) ? SHORT(0x8000) : 0;
}

// The system command the window posted to itself, or 0.
WPARAM TakePostedSysCommand(HWND hwnd)
{
    MSG msg;
    return PeekMessageA(&msg, hwnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE) ? msg.wParam : 0;
}

} // namespace

// A double click in the drag rectangle maximizes (or restores) through a
// posted system command; elsewhere it is an event.
TEST(WindowInput, DoubleClickInTheDragRectPostsMaximize)
{
    Fixture f;
    ASSERT_TRUE(f.created);
    f.window.SetDragRect(0, 0, Width - 1, 20);
    ASSERT_TRUE(MoveCursorTo(Left + 10, Top + 20)); // the rect's edges belong to it
    EXPECT_EQ(f.Post(WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(TakePostedSysCommand(f.window.GetHwnd()), WPARAM(SC_MAXIMIZE));
    EXPECT_EQ(f.listener.Count(WindowEvent::LeftDoubleClick), 0);

    ASSERT_TRUE(MoveCursorTo(Left + 10, Top + 21));
    f.Post(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 21));
    EXPECT_EQ(TakePostedSysCommand(f.window.GetHwnd()), WPARAM(0));
    EXPECT_EQ(f.listener.Codes(), std::vector<int>{WindowEvent::LeftDoubleClick});
}

// The click that closes a swallowing popup menu goes nowhere, press and
// release; a menu that does not swallow lets it through. A click inside the
// menu keeps it open.
// A new popup menu closes the one still open.
TEST(WindowInput, ClickOutsideOrASecondPopupMenuClosesIt)
{
    for (uint8_t swallow : {1, 0}) {
        Fixture owner;
        WindowCreateParams menuParams = TestWindowParams(500, 500, 50, 50);
        menuParams.parentWindow = &owner.window;
        menuParams.popupMenu = 1;
        menuParams.swallowClosingClick = swallow;
        RecordingListener menuListener;
        CPhysicalWindow menu;
        menu.SetListener(&menuListener);
        ASSERT_EQ(menu.Create(menuParams), 0);
        PumpMessages();
        ASSERT_TRUE(CPhysicalWindow::IsMenuOpen());

        ASSERT_TRUE(MoveCursorTo(510, 510));
        owner.Send(WM_RBUTTONDOWN);
        EXPECT_TRUE(CPhysicalWindow::IsMenuOpen()) << "inside the menu";

        menuListener.Clear();
        owner.listener.Clear();
        ASSERT_TRUE(MoveCursorTo(Left + 5, Top + 5));
        owner.Send(WM_RBUTTONDOWN);
        owner.Send(WM_RBUTTONUP);
        EXPECT_FALSE(CPhysicalWindow::IsMenuOpen());
        ASSERT_NE(menuListener.Last(WindowEvent::Activate), nullptr);
        EXPECT_EQ(menuListener.Last(WindowEvent::Activate)->p1, 0);
        const std::vector<int> passed = {WindowEvent::RightButtonDown, WindowEvent::RightButtonUp};
        EXPECT_EQ(owner.listener.Codes(), swallow ? std::vector<int>() : passed) << int(swallow);
        owner.listener.Clear();
        owner.Send(WM_RBUTTONDOWN);
        owner.Send(WM_RBUTTONUP);
        EXPECT_EQ(owner.listener.Codes(), passed) << "only the closing click is eaten";
    }

    {
        Fixture owner;
        WindowCreateParams params = TestWindowParams(500, 500, 50, 50);
        params.parentWindow = &owner.window;
        params.popupMenu = 1;
        RecordingListener firstListener;
        CPhysicalWindow first, second;
        first.SetListener(&firstListener);
        ASSERT_EQ(first.Create(params), 0);
        firstListener.Clear();
        ASSERT_EQ(second.Create(params), 0);
        ASSERT_NE(firstListener.Last(WindowEvent::Activate), nullptr);
        EXPECT_EQ(firstListener.Last(WindowEvent::Activate)->p1, 0);
        EXPECT_TRUE(CPhysicalWindow::IsMenuOpen());
        second.Destroy();
        EXPECT_FALSE(CPhysicalWindow::IsMenuOpen());
    }
}

// Enter on the first tick inside, hover only after more than 400 ms without
// movement, leave (and the end of tracking) once the cursor is outside.
TEST(WindowInput, MouseTrackingEntersHoversAndLeaves)
{
    // Made under the cursor, the window would hear of it and start tracking on its own.
    ASSERT_TRUE(MoveCursorTo(Left + Width + 20, Top));
    Fixture f;
    ASSERT_TRUE(MoveCursorTo(Left + 7, Top + 9));
    f.Post(WM_MOUSEMOVE);
    f.Send(WM_TIMER, WindowTimer::MouseTrack);
    EXPECT_EQ(f.listener.Codes(), (std::vector<int>{WindowEvent::MouseMove, WindowEvent::MouseTrack,
                                                    WindowEvent::MouseEnter, WindowEvent::Timer}));
    EXPECT_EQ(f.listener.Last(WindowEvent::MouseTrack)->p1, 9 << 16 | 7);
    const struct {
        uint32_t at;
        int hovers;
    } ticks[] = {{1400, 0}, {1401, 1}, {3000, 1}};
    for (const auto& t : ticks) {
        f.ticks.now = t.at;
        f.Send(WM_TIMER, WindowTimer::MouseTrack);
        EXPECT_EQ(f.listener.Count(WindowEvent::Hover), t.hovers) << t.at;
    }

    // An item the listener reports under the cursor is entered and left too.
    f.listener.react = [](const RecordedEvent& e) {
        if (e.code == WindowEvent::MouseTrack)
            *static_cast<int*>(e.data) = 5;
        return 0;
    };
    f.listener.Clear();
    ASSERT_TRUE(MoveCursorTo(Left + 8, Top + 9));
    f.Send(WM_TIMER, WindowTimer::MouseTrack);
    EXPECT_EQ(f.listener.Codes(), (std::vector<int>{WindowEvent::MouseTrack, WindowEvent::MouseEnter,
                                                    WindowEvent::MouseEnter, WindowEvent::Timer}));
    EXPECT_EQ(f.listener.events[1].p1, 5);

    f.listener.Clear();
    ASSERT_TRUE(MoveCursorTo(Left + Width + 20, Top));
    f.Send(WM_TIMER, WindowTimer::MouseTrack);
    EXPECT_EQ(f.listener.Codes(),
              (std::vector<int>{WindowEvent::MouseLeave, WindowEvent::MouseLeave, WindowEvent::Timer}));
    EXPECT_EQ(f.listener.events[0].p1, 5);
    EXPECT_EQ(f.listener.events[1].p1, 0);
    EXPECT_FALSE(KillTimer(f.window.GetHwnd(), WindowTimer::MouseTrack)) << "tracking stopped";
}

// A press in the drag rectangle moves the window with the pointer as a
// size-move loop; a listener that takes the press, or a press outside the
// rectangle, starts no drag. Each input places the window at its own point,
// however its time stamp lags: a press heard only once the pointer went on
// grips where it was pressed, the window stands under the pointer while the
// button is held, and the release lands where it was released. A button
// queued behind the moves finds the window at the newest of them; a right
// press ends the drag there, and another window taking the activation ends it
// under the pointer. Under load the desktop may map a move through a
// place the window took after it: one move off at most, until the next.
TEST(WindowInput, DraggingMovesTheWindow)
{
    const struct {
        const char* name;
        int pressY;
        int answer;
        bool pressHeardLate;
        int steps = 1;          // of 10,7 px each, 15 ms apart
        DWORD lagMs = 0;        // the input's stamps lag the tick count by this
        DWORD queuedButton = 0; // sent behind the moves before the window hears them
        bool other = false;     // another window takes the activation before the window hears the moves
    } cases[] = {
        {"drag", 5, 0, false},
        {"press heard late", 5, 0, true},
        {"press taken by the listener", 5, 1, false},
        {"press outside the rectangle", 30, 0, false},
        {"stamps 200 ms late", 5, 0, false, 12, 200},
        {"stamps 30 s late", 5, 0, false, 12, 30000},
        {"right press queued", 5, 0, false, 6, 0, MOUSEEVENTF_RIGHTDOWN},
        {"middle press queued", 5, 0, false, 6, 0, MOUSEEVENTF_MIDDLEDOWN},
        {"another window activated", 5, 0, false, 6, 0, 0, true},
    };
    const POINT step = {10, 7};
    for (const auto& c : cases) {
        Fixture f;
        f.window.SetDragRect(0, 0, Width - 1, 20);
        POINT pointer = {Left + 10, Top + c.pressY};
        f.listener.react = [&](const RecordedEvent& e) { return e.code == WindowEvent::LeftButtonDown ? c.answer : 0; };
        ASSERT_TRUE(MoveCursorTo(pointer.x, pointer.y));
        SendMouseAt(MOUSEEVENTF_LEFTDOWN, pointer, c.lagMs);
        if (!c.pressHeardLate)
            PumpMessages();
        for (int i = 0; i < c.steps; ++i) {
            pointer = {pointer.x + step.x, pointer.y + step.y};
            SendMouseAt(0, pointer, c.lagMs);
            Sleep(15);
            if (!c.queuedButton && !c.other)
                PumpMessages();
        }
        if (c.queuedButton) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT); // the display's echoes of the moves first
            SendMouseAt(c.queuedButton, pointer);
            SendMouseAt(c.queuedButton << 1, pointer); // its release
        }
        const HWND activated =
            c.other ? CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr)
                    : nullptr;
        if (activated) {
            EXPECT_TRUE(MoveCursorTo(pointer.x, pointer.y)); // a sent move's echo may have put the cursor back
            SetActiveWindow(activated);
        }
        PumpMessages();
        const bool dragging = c.pressY < 20 && !c.answer;
        const POINT moved = dragging ? POINT{pointer.x - Left - 10, pointer.y - Top - c.pressY} : POINT{};
        EXPECT_LE(std::abs(f.Rect().left - Left - moved.x), step.x) << c.name << ": " << f.Rect().left;
        EXPECT_LE(std::abs(f.Rect().top - Top - moved.y), step.y) << c.name << ": " << f.Rect().top;
        // Held: the tick finds the pointer itself (another client's grab may have undone a warp: put again).
        ASSERT_TRUE(MoveCursorTo(pointer.x, pointer.y));
        PumpMessages();
        f.Send(WM_TIMER, WindowTimer::Tick);
        EXPECT_EQ(f.Rect().left, Left + moved.x) << c.name << " held";
        EXPECT_EQ(f.Rect().top, Top + moved.y) << c.name << " held";
        const RECT held = f.Rect();
        const bool ended = c.queuedButton == MOUSEEVENTF_RIGHTDOWN || c.other || !dragging;
        const POINT release = {pointer.x + 7, pointer.y + 3};
        SendMouseAt(0, release, c.lagMs);
        SendMouseAt(MOUSEEVENTF_LEFTUP, release, c.lagMs);
        PumpMessages();
        const POINT landed = {f.Rect().left - held.left - (ended ? 0 : 7), f.Rect().top - held.top - (ended ? 0 : 3)};
        EXPECT_LE(std::abs(landed.x), ended ? 0 : step.x) << c.name << ": " << landed.x;
        EXPECT_LE(std::abs(landed.y), ended ? 0 : step.y) << c.name << ": " << landed.y;
        // The button's own release comes last, after the drag.
        const std::vector<int> dragged = {WindowEvent::LeftButtonDown, WindowEvent::EnterSizeMove,
                                          WindowEvent::CaptureLost, WindowEvent::ExitSizeMove,
                                          WindowEvent::LeftButtonUp};
        std::vector<int> codes = f.listener.Codes();
        // Only the drag's own: other programs' windows may take the activation meanwhile.
        codes.erase(std::remove_if(codes.begin(), codes.end(),
                                   [&](int code) { return std::count(dragged.begin(), dragged.end(), code) == 0; }),
                    codes.end());
        if (dragging) {
            EXPECT_EQ(codes, dragged) << c.name;
        }
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        if (activated)
            DestroyWindow(activated);
    }
}

// The Move command centres the window on the cursor and drags it; a drag held
// low in the window reaches as far. Wherever the cursor goes, the window stops
// where its title bar would leave the work area.
TEST(WindowInput, MovedWindowKeepsItsTitleBarOnTheWorkArea)
{
    const RECT from = {300, 200, 700, 500};
    const struct {
        const char* name;
        bool moveCommand;
        POINT to;
        RECT expected;
    } cases[] = {
        {"Move, cursor to the top", true, {640, 0}, {440, 0, 840, 300}},
        {"Move, cursor to the top left corner", true, {0, 0}, {-200, 0, 200, 300}},
        {"Move, cursor to the bottom right corner", true, {1279, 1023}, {1079, 873, 1479, 1173}},
        {"drag held low, cursor to the top", false, {640, 0}, {630, 0, 1030, 300}},
    };
    for (const auto& c : cases) {
        const WindowCreateParams params = ActiveWindowAt(from);
        Fixture f(params);
        f.window.SetDragRect(0, 0, params.width - 1, params.height - 1);
        if (c.moveCommand) {
            ASSERT_TRUE(MoveCursorTo((from.left + from.right) / 2, (from.top + from.bottom) / 2));
            StartMove(f.window);
        } else {
            ASSERT_TRUE(MoveCursorTo(from.left + 10, from.bottom - 10));
            f.Post(WM_LBUTTONDOWN);
        }
        const bool dragging = GetCapture() == f.window.GetHwnd();
        ASSERT_TRUE(MoveCursorTo(c.to.x, c.to.y));
        PumpMessages();
        POINT cursor = {}, at = {};
        GetCursorPos(&cursor);
        at = cursor;
        ScreenToClient(f.window.GetHwnd(), &at);
        f.Post(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        PumpMessages();
        const RECT rect = f.Rect();
        EXPECT_TRUE(EqualRect(&rect, &c.expected)) << c.name << ": " << rect.left << "," << rect.top << " cursor "
                                                   << cursor.x << "," << cursor.y << " dragging " << dragging;
    }
}

// The Move command ends at the first press of any button, wherever it lands,
// at Return, when another window takes the capture, and before a close's or the
// session end's saves: the window stays where the pointer put it; Escape puts it back. The press or key goes nowhere else,
// and the window then neither follows the pointer nor stays above all.
TEST(WindowInput, MoveEndsAtAnyButtonReturnEscapeOrALostCapture)
{
    const RECT from = {300, 200, 500, 350};
    const POINT to = {700, 500};
    const RECT placed = {600, 425, 800, 575};
    HWND other = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(other, SW_SHOWNA); // another window of the program, which the Move leaves above the main one
    const auto press = [](MouseButton button) {
        return [button](HWND) {
            return SendMouseButton(button, KeyAction::Press) && SendMouseButton(button, KeyAction::Release);
        };
    };
    const auto heldRight = [](HWND) {
        const bool pressed = SendMouseButton(MouseButton::Right, KeyAction::Press);
        Sleep(CMoveInputHook::kOwedReleaseMs + 500); // longer than a key's wait
        return pressed && SendMouseButton(MouseButton::Right, KeyAction::Release);
    };
    const auto key = [](WORD key) {
        return [key](HWND) { return SendKey(key, KeyAction::Press) && SendKey(key, KeyAction::Release); };
    };
    const struct {
        const char* name;
        std::function<bool(HWND)> end;
        RECT expected;
        HWND capture = nullptr;
    } cases[] = {
        {"right click", press(MouseButton::Right), placed},
        {"left click", press(MouseButton::Left), placed},
        {"right press held", heldRight, placed},
        {"Return", key(VK_RETURN), placed},
        {"Escape", key(VK_ESCAPE), from},
        {"capture taken", [other](HWND) { return SetCapture(other), true; }, placed, other},
        {"close", [](HWND w) { return PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0) != 0; }, {650, 475, 850, 625}},
        {"session end", [](HWND w) { return SendMessageA(w, WM_QUERYENDSESSION, 0, 0), true; }, placed},
    };
    for (const auto& c : cases) {
        const WindowCreateParams params = ActiveWindowAt(from);
        Fixture f(params);
        const HWND hwnd = f.window.GetHwnd();
        f.window.SetDragRect(0, 0, params.width - 1, params.height - 1);
        f.window.SetIsMainWindow(true);
        ASSERT_TRUE(MoveCursorTo((from.left + from.right) / 2, (from.top + from.bottom) / 2));
        StartMove(f.window);
        ASSERT_TRUE(MoveCursorTo(to.x, to.y));
        PumpMessages();
        f.Send(WM_TIMER, WindowTimer::Tick);
        const RECT followed = f.Rect();
        ASSERT_TRUE(EqualRect(&followed, &placed)) << c.name;
        f.listener.Clear();
        bool heldAtClose = false;
        f.listener.react = [&](const RecordedEvent& e) {
            heldAtClose |= e.code == WindowEvent::CloseCommand && GetCapture() == hwnd;
            return 0;
        };
        ASSERT_TRUE(c.end(hwnd)) << c.name;
        // The pointer goes on before the end is heard: the end keeps its own point.
        ASSERT_TRUE(MoveCursorTo(to.x + 50, to.y + 50));
        f.Post(WM_MOUSEMOVE);
        PumpMessages();
        EXPECT_EQ(GetCapture(), c.capture) << c.name;
        EXPECT_FALSE(heldAtClose) << c.name;
        ReleaseCapture();
        f.Post(WM_MOUSEMOVE);
        f.Send(WM_TIMER, WindowTimer::Tick);
        const RECT rect = f.Rect();
        EXPECT_TRUE(EqualRect(&rect, &c.expected)) << c.name << ": " << rect.left << "," << rect.top;
        EXPECT_EQ(ExStyleOf(hwnd) & WS_EX_TOPMOST, 0u) << c.name;
        HWND above = hwnd;
        while (above && above != other)
            above = GetWindow(above, GW_HWNDPREV);
        EXPECT_EQ(above, other) << c.name;
        for (int heard : {WindowEvent::LeftButtonDown, WindowEvent::LeftButtonUp, WindowEvent::RightButtonDown,
                          WindowEvent::RightButtonUp, WindowEvent::KeyDown, WindowEvent::KeyUp})
            EXPECT_EQ(f.listener.Count(heard), 0) << c.name << " " << heard;
    }
    DestroyWindow(other);
}

// A drag whose release the window never hears (over another program's
// window, or once a tear-off hid it) ends at the tick that finds its button
// up. The held button is the primary one of the physical buttons: the right
// one when the buttons are swapped.
TEST(WindowInput, TickEndsADragWhoseReleaseWentElsewhere)
{
    const struct {
        bool swapped;
        int held;
        bool dragging;
    } cases[] = {{false, 1, true}, {false, 0, false}, {false, 2, false},
                 {true, 2, true},  {true, 1, false},  {true, 0, false}};
    struct Restore {
        const BOOL wasSwapped = GetSystemMetrics(SM_SWAPBUTTON);
        ~Restore() { CPhysicalWindow::SetKeyStateReader(nullptr), SwapMouseButton(wasSwapped); }
    } restore;
    CPhysicalWindow::SetKeyStateReader(HeldButtons);
    {
        // A release still queued for the window is its to end the drag with.
        Fixture f;
        f.window.SetDragRect(0, 0, Width - 1, 20);
        ASSERT_TRUE(MoveCursorTo(Left + 10, Top + 5));
        f.Post(WM_LBUTTONDOWN);
        ASSERT_TRUE(SendMouseButton(MouseButton::Left, KeyAction::Release));
        f.Send(WM_TIMER, WindowTimer::Tick);
        EXPECT_EQ(GetCapture(), f.window.GetHwnd());
        PumpMessages();
        EXPECT_EQ(f.listener.Count(WindowEvent::ExitSizeMove), 1);
    }
    for (const auto& c : cases) {
        SwapMouseButton(c.swapped);
        Fixture f;
        f.window.SetDragRect(0, 0, Width - 1, 20);
        ASSERT_TRUE(MoveCursorTo(Left + 10, Top + 5));
        f.Post(WM_LBUTTONDOWN);
        ASSERT_EQ(GetCapture(), f.window.GetHwnd());
        g_heldButtons = c.held;
        f.Send(WM_TIMER, WindowTimer::Tick);
        EXPECT_EQ(GetCapture() == f.window.GetHwnd(), c.dragging) << c.swapped << " " << c.held;
        EXPECT_EQ(f.listener.Count(WindowEvent::ExitSizeMove), c.dragging ? 0 : 1) << c.swapped << " " << c.held;
        f.Post(WM_LBUTTONUP);
    }
}

// The Move's watch holds no input while the window's thread is busy, and lets
// a release pass whose press it did not take.
TEST(WindowInput, MoveWatchHoldsNoInput)
{
    Fixture f;
    ASSERT_TRUE(MoveCursorTo(Left + 20, Top + 20));
    ASSERT_TRUE(SendMouseButton(MouseButton::Left, KeyAction::Press));
    PumpMessages();
    StartMove(f.window);
    HANDLE sent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread sender(
        [sent] { SendKey(VK_SHIFT, KeyAction::Press) && SendKey(VK_SHIFT, KeyAction::Release) && SetEvent(sent); });
    // This thread pumps nothing meanwhile; the system gives up on a held event only after 2 s.
    const DWORD boundMs = 1500; // under that, with room for a slow host
    EXPECT_EQ(WaitForSingleObject(sent, boundMs), WAIT_OBJECT_0);
    sender.join();
    CloseHandle(sent);
    ASSERT_TRUE(SendMouseButton(MouseButton::Left, KeyAction::Release));
    PumpMessages();
    EXPECT_FALSE(IsKeyDown(VK_LBUTTON));
}
