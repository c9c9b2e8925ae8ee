#include "../../common/FakeTicks.h"
#include "GuiTestSupport.h"
#include "PaintedHost.h"
#include "gui/controls/ControlCommand.h"
#include "gui/controls/CValueControl.h"
#include "gui/window/CPhysicalWindow.h"
#include "gui/window/WindowEvent.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

const int M = 65536; // positions run from -M to M

// Keeps a copy of every label record, and may rewrite the first text.
struct LabelListener : CListener {
    int OnNotify(void* record) override
    {
        const ControlNotification& n = *static_cast<const ControlNotification*>(record);
        if (n.code != ValueControlNotify::Label || n.data1 != ValueControlNotify::kLabelTag)
            return 0;
        ValueLabel& label = *static_cast<ValueLabel*>(n.data3);
        if (!rewrite.empty())
            label.text1 = rewrite;
        labels.push_back({label.changed, label.final, label.value, nullptr, nullptr, label.text1, label.text2});
        return 0;
    }
    std::vector<ValueLabel> labels;
    std::string rewrite;
};

struct ValueHost {
    ValueHost() : ticks(1000) {}
    ValueControlParams Params(int width = 128)
    {
        ValueControlParams params;
        params.place.x = 10;
        params.place.y = 10;
        params.place.width = width;
        params.place.height = 20;
        params.place.container = &skinned.container;
        params.listener = &labels;
        return params;
    }
    std::unique_ptr<CValueControl> Make(const ValueControlParams& params)
    {
        auto control = std::make_unique<CValueControl>();
        control->SetTickSource(&ticks);
        control->Create(params);
        return control;
    }
    PaintedHost skinned;
    LabelListener labels;
    FakeTicks ticks;
};

int Send(CValueControl& control, int code, int p1 = 0, void* data = nullptr)
{
    return control.OnEvent(nullptr, EventSource::Window, code, p1, 0, data);
}

std::string WindowText(CValueControl& control)
{
    char text[64] = "";
    GetWindowTextA(control.GetWindow()->GetHwnd(), text, sizeof(text));
    return text;
}

} // namespace

TEST(ValueControl, PositionsValuesLabelsAndWheel)
{
    ValueHost h;
    auto fresh = h.Make(h.Params());
    EXPECT_EQ(fresh->GetPosition(), 0);
    EXPECT_DOUBLE_EQ(fresh->PositionToFraction(0), 0.5);
    EXPECT_EQ(WindowText(*fresh), "50");
    ASSERT_FALSE(h.labels.labels.empty());
    EXPECT_FLOAT_EQ(h.labels.labels.back().value, 50.0f);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        float minimum, maximum;
        int steps;
        const char* format;
        double value;
        int32_t position;
        double shown;
        const char* label;
    };
    const Case cases[] = {
        {"tenths round halves away from zero", -1, 1, 10, "%g", -0.25, -16384, -0.3, "-0.3"},
        {"unrounded", -1, 1, 0, "%.3f", -0.25, -16384, -0.25, "-0.250"},
        {"zero from below has no sign", -20, 3, 10, "%+.01f", 0.0, 48439, 0.0, "+0.0"},
        {"empty range", 5, 5, 1, "%g", 7.0, 0, 5, "5"},
        {"no number", 0, 100, 1, "%g", nan, 0, 50, "50"},
        {"above the range", 0, 100, 1, "%g", 1e30, M, 100, "100"},
        {"below the range", 0, 100, 1, "%g", -1e30, -M, 0, "0"},
        {"text around", 0, 100, 1, "%%%.1f dB", 25.0, -M / 2, 25, "%25.0 dB"},
        {"a string conversion shows nothing", 0, 100, 1, "%s", 50.0, 0, 50, ""},
        {"an integer conversion shows nothing", 0, 100, 1, "%d", 50.0, 0, 50, ""},
        {"two conversions show nothing", 0, 100, 1, "%g%g", 50.0, 0, 50, ""},
    };
    for (const Case& c : cases) {
        ValueControlParams params = h.Params();
        params.minimum = c.minimum;
        params.maximum = c.maximum;
        params.stepsPerUnit = c.steps;
        params.format1 = c.format;
        params.initialValue = float(c.value);
        auto control = h.Make(params);
        EXPECT_EQ(control->GetPosition(), c.position) << c.name;
        EXPECT_NEAR(control->GetValue(), c.shown, 1e-9) << c.name;
        EXPECT_EQ(control->GetLabelText(), c.label) << c.name;
    }

    // One wheel step is 1/64 of the range; the range holds; the owner may
    // rewrite the label; without the wheel byte the wheel is not taken.
    ValueControlParams params = h.Params();
    params.wheel = 1;
    auto wheel = h.Make(params);
    const std::pair<int, int32_t> steps[] = {{1, 2048}, {-2, -2048}, {-100, -M}, {1000000, M}};
    h.labels.rewrite = "full";
    for (const auto& s : steps) {
        LRESULT handled = 0;
        Send(*wheel, WindowEvent::MouseWheel, s.first, &handled);
        EXPECT_EQ(wheel->GetPosition(), s.second);
        EXPECT_EQ(handled, 1);
        EXPECT_TRUE(h.labels.labels.back().changed && !h.labels.labels.back().final);
    }
    EXPECT_EQ(WindowText(*wheel), "full");
    LRESULT handled = 0;
    Send(*fresh, WindowEvent::MouseWheel, 3, &handled);
    EXPECT_EQ(fresh->GetPosition(), 0);
    EXPECT_EQ(handled, 0);
}

namespace {

// The drags leave the cursor parked at the screen's foot, where the next
// process under Wine cannot move it until the pointer moves again: each drag
// test puts it back where it found it.
struct CursorHome {
    CursorHome() { GetCursorPos(&home); }
    ~CursorHome() { MoveCursorTo(home.x, home.y); }
    POINT home = {};
};

// The system's cursor display count.
int CursorCount()
{
    const int hidden = ShowCursor(FALSE);
    ShowCursor(TRUE);
    return hidden + 1;
}

// A press at a point over the host, then moves of the cursor, each after
// some milliseconds of the fake clock. Each move puts the cursor where the
// step wants it, whether or not the control's own parking took. Wine takes
// the keyboard state back from the X server now and then, which knows
// nothing of sent keys: a held Ctrl is pressed again before every move.
// Ctrl as the drag holds it: a key sent to this process is dropped when
// another process takes the focus, so the control reads this one instead.
bool g_ctrlHeld = false;

SHORT WINAPI HeldKeys(int virtualKey)
{
    if (virtualKey == VK_CONTROL)
        return g_ctrlHeld ? SHORT(0x8000) : 0;
    return GetAsyncKeyState(virtualKey);
}

struct Drag {
    Drag(ValueHost& host, CValueControl& control) : host(host), control(control)
    {
        CPhysicalWindow::SetKeyStateReader(HeldKeys);
    }
    ~Drag()
    {
        Ctrl(false);
        CPhysicalWindow::SetKeyStateReader(nullptr);
    }
    void Ctrl(bool hold) { g_ctrlHeld = hold; }
    bool Press()
    {
        if (!MoveCursorTo(press.x, press.y))
            return false;
        Send(control, WindowEvent::LeftButtonDown);
        park = control.GetParkPoint();
        return true;
    }
    // The position's change.
    int MoveBy(int dx, int dy, uint32_t afterMs, POINT from)
    {
        host.ticks.now += afterMs;
        const int before = control.GetPosition();
        EXPECT_TRUE(MoveCursorTo(from.x + dx, from.y + dy));
        Send(control, WindowEvent::MouseMove);
        return control.GetPosition() - before;
    }
    int Relative(int dx, uint32_t afterMs) { return MoveBy(dx, 0, afterMs, park); }
    int NearPress(int dx, uint32_t afterMs = 100) { return MoveBy(dx, 5, afterMs, press); }

    ValueHost& host;
    CValueControl& control;
    POINT press = {330, 215}; // over the host, in the upper half of the screen
    POINT park = {};
};

} // namespace

// While the average is empty every pixel is 128 positions; moves 200 ms
// apart are 1 per pixel, 20 ms apart 64, and Ctrl makes 20 ms count as 200.
// Back near the press height the cursor shows and the width spans the range
// (1024 positions per pixel at 128 pixels); Ctrl makes it a tenth without a
// jump either way. A right press cancels to the value at the press.
TEST(ValueControl, RelativeAndAbsoluteDragsCancelAndCursorCount)
{
    CursorHome home;
    ValueHost h;
    auto control = h.Make(h.Params());
    const int shown = CursorCount();
    Drag drag(h, *control);
    ASSERT_TRUE(drag.Press());
    EXPECT_TRUE(control->IsCursorHidden());
    EXPECT_EQ(CursorCount(), shown - 1);
    EXPECT_EQ(drag.park.x, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(drag.park.y, GetSystemMetrics(SM_CYSCREEN) - 10);
    EXPECT_EQ(drag.Relative(1, 200), 128);
    EXPECT_EQ(drag.Relative(1, 200), 128);
    EXPECT_EQ(drag.Relative(-1, 200), -128);
    EXPECT_EQ(drag.Relative(1, 200), 1);
    EXPECT_EQ(drag.Relative(-3, 200), -3);
    Send(*control, WindowEvent::LeftButtonUp);
    EXPECT_EQ(CursorCount(), shown);
    EXPECT_TRUE(h.labels.labels.back().final);
    EXPECT_EQ(control->GetPosition(), 126);

    ASSERT_TRUE(drag.Press());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(drag.Relative(1, 20), 128);
    EXPECT_EQ(drag.Relative(1, 20), 64);
    drag.Ctrl(true);
    EXPECT_EQ(drag.Relative(1, 20), 1);
    drag.Ctrl(false);
    EXPECT_EQ(drag.Relative(-1, 20), -64);
    Send(*control, WindowEvent::LeftButtonUp);
    EXPECT_EQ(CursorCount(), shown);

    {
        ValueHost h;
        auto control = h.Make(h.Params());
        const int shown = CursorCount();
        Drag drag(h, *control);
        ASSERT_TRUE(drag.Press());
        drag.Relative(2, 100);
        EXPECT_EQ(drag.NearPress(10), 0) << "from the position reached";
        EXPECT_TRUE(control->IsAbsolute());
        EXPECT_FALSE(control->IsCursorHidden());
        EXPECT_EQ(CursorCount(), shown);
        EXPECT_EQ(drag.NearPress(20), 10 * 1024);
        drag.Ctrl(true);
        EXPECT_EQ(drag.NearPress(20), 0);
        EXPECT_EQ(drag.NearPress(30), 1024);
        drag.Ctrl(false);
        EXPECT_EQ(drag.NearPress(30), 0);
        EXPECT_EQ(drag.NearPress(31), 1024);
        Send(*control, WindowEvent::LeftButtonUp);
        EXPECT_EQ(CursorCount(), shown);

        const int32_t atPress = control->GetPosition();
        ASSERT_TRUE(drag.Press());
        EXPECT_NE(drag.Relative(5, 100), 0);
        Send(*control, WindowEvent::RightButtonDown);
        EXPECT_EQ(control->GetPosition(), atPress);
        EXPECT_FALSE(control->IsDragging());
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(CursorCount(), shown);
        Send(*control, WindowEvent::RightButtonUp);

        // No width, no absolute step; a control destroyed mid-drag shows the cursor.
        auto narrow = h.Make(h.Params(0));
        Drag narrowDrag(h, *narrow);
        ASSERT_TRUE(narrowDrag.Press());
        EXPECT_EQ(CursorCount(), shown - 1);
        EXPECT_EQ(narrowDrag.NearPress(10), 0);
        Send(*narrow, WindowEvent::LeftButtonUp);
        ASSERT_TRUE(narrowDrag.Press());
        EXPECT_EQ(CursorCount(), shown - 1);
        narrow.reset();
        EXPECT_EQ(CursorCount(), shown);
    }
}

namespace {
enum class Gesture {
    AtPark,        // the mouse moves dx from the park point
    AtPressHeight, // back at the press height, dx from the park column
    CaptureTaken,  // another window takes the capture
    Release
};
struct GestureStep {
    Gesture gesture;
    int dx;
    int change; // of the position
};

// Plays a press and the steps on the control's window, 200 ms of the fake
// clock apart; true when every step changed the position as expected. The
// messages are sent, not queued: the display server's late reports of
// earlier cursor moves, dispatched with them, would put the cursor back.
// After each move of the parked cursor comes the move the system reports
// when the control puts the cursor back on the park point.
bool PlayByInput(ValueHost& h, CValueControl& control, HWND other, POINT press, const std::vector<GestureStep>& steps)
{
    const HWND hwnd = control.GetWindow()->GetHwnd();
    if (!MoveCursorTo(press.x, press.y))
        return false;
    POINT client = press;
    ScreenToClient(hwnd, &client);
    const LPARAM at = MAKELPARAM(client.x, client.y);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    const POINT park = control.GetParkPoint();
    const uint32_t stepMs = 200;
    bool asExpected = true;
    for (const GestureStep& s : steps) {
        h.ticks.now += stepMs;
        const int before = control.GetPosition();
        switch (s.gesture) {
        case Gesture::AtPark:
            MoveCursorTo(park.x + s.dx, park.y);
            SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, at);
            SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, at);
            break;
        case Gesture::AtPressHeight:
            MoveCursorTo(park.x + s.dx, press.y + 5);
            SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, at);
            break;
        case Gesture::CaptureTaken: SetCapture(other); break;
        case Gesture::Release: SendMessageA(hwnd, WM_LBUTTONUP, 0, at); break;
        }
        EXPECT_EQ(control.GetPosition() - before, s.change) << "step " << (&s - steps.data());
        asExpected = asExpected && control.GetPosition() - before == s.change;
    }
    return asExpected;
}
} // namespace

// Real drags: the control's own re-parking of the cursor is no move; the
// switch to absolute mode starts from the value reached; a capture taken by
// another window ends the drag as a release does, and one release is one
// final label.
TEST(ValueControl, DragsByRealInput)
{
    CursorHome home;
    // An earlier test's process may leave Wine's pointer where no warp of this
    // one takes until the pointer moves for real, as MoveCursorTo makes it.
    const int aside = home.home.x > 0 ? -1 : 1;
    ASSERT_TRUE(MoveCursorTo(home.home.x + aside, home.home.y) && MoveCursorTo(home.home.x, home.home.y))
        << "the pointer cannot be placed";
    using G = Gesture;
    struct Case {
        const char* name;
        std::vector<GestureStep> steps;
    };
    const Case cases[] = {
        {"a pixel every 200 ms is one position once averaged",
         {{G::AtPark, 1, 128},
          {G::AtPark, 1, 128},
          {G::AtPark, 1, 128},
          {G::AtPark, 1, 1},
          {G::AtPark, 1, 1},
          {G::AtPark, -1, -1},
          {G::AtPark, 1, 1},
          {G::Release, 0, 0}}},
        {"absolute mode starts where the value is",
         {{G::AtPark, 2, 256}, {G::AtPressHeight, 0, 0}, {G::AtPressHeight, 10, 10 * 1024}, {G::Release, 0, 0}}},
        {"a lost capture ends the drag", {{G::AtPark, 1, 128}, {G::CaptureTaken, 0, 0}}},
    };
    for (const Case& c : cases) {
        ValueHost h;
        auto control = h.Make(h.Params());
        RECT onScreen = {};
        GetWindowRect(control->GetWindow()->GetHwnd(), &onScreen);
        const POINT press = {onScreen.left + 20, onScreen.top + 5};
        const int shown = CursorCount();
        EXPECT_TRUE(PlayByInput(h, *control, h.skinned.window.GetHwnd(), press, c.steps)) << c.name;
        ReleaseCapture();
        EXPECT_FALSE(control->IsDragging()) << c.name;
        EXPECT_EQ(CursorCount(), shown) << c.name;
        POINT at = {};
        GetCursorPos(&at);
        if (!control->IsAbsolute()) {
            EXPECT_TRUE(at.x == press.x && at.y == press.y) << c.name << ": the cursor is back at the press";
        }
        const auto finals = std::count_if(h.labels.labels.begin(), h.labels.labels.end(),
                                          [](const ValueLabel& l) { return l.final != 0; });
        EXPECT_EQ(finals, 1) << c.name;
    }
}
