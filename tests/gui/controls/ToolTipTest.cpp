#include "ControlTestSupport.h"
#include "GuiTestSupport.h"
#include "gui/controls/ControlCommand.h"
#include <gtest/gtest.h>

namespace {

const UINT_PTR kClosingTimer = 73;
const POINT kPark = {700, 600}; // far from every test window, room on all sides

ToolTipRequest Request(const char* text, int x, int y, ToolTipPlacement placement = ToolTipPlacement::TopLeft)
{
    ToolTipRequest request;
    request.text = text;
    request.x = x;
    request.y = y;
    request.placement = placement;
    return request;
}

RECT WindowRect(CPhysicalWindow& window)
{
    RECT rect = {};
    GetWindowRect(window.GetHwnd(), &rect);
    return rect;
}

void Tick(CToolTip& tip)
{
    SendMessageA(tip.GetWindow().GetHwnd(), WM_TIMER, kClosingTimer, 0);
    PumpMessages();
}

} // namespace

// The box is the text plus 9 by 7: border, face, shadow, and the key colour
// outside the region; every placement puts its corner at the anchor.
// Up to two pixels of drift keep the tip; three, or a button held down,
// close it at its next timer. Checking opens nothing and names the monitor
// sides the tip would cross.
TEST(ToolTip, PictureSizePlacementsAndClosing)
{
    ASSERT_TRUE(MoveCursorTo(kPark.x, kPark.y));
    CToolTip tip;
    tip.Show(Request("Level", 720, 620));
    ASSERT_TRUE(tip.GetWindow().IsCreated());
    CTextBuffer text;
    text.text = "Level";
    text.multiLine = 1;
    CBitmapDC none;
    CTextPainter().MeasureSkinText(none, text, nullptr);
    const int w = text.width + 9, h = text.height + 7;
    EXPECT_EQ(tip.GetWindow().GetWidth(), w);
    EXPECT_EQ(tip.GetWindow().GetHeight(), h);
    const CBitmapDC* back = tip.GetWindow().GetBackBitmap();
    GdiFlush();
    const uint32_t* bits = back->GetBits();
    EXPECT_EQ(bits[w + 1] & 0xFFFFFF, 0xF0F0C0u);
    EXPECT_EQ(bits[0] & 0xFFFFFF, 0u);
    EXPECT_EQ(bits[h * w - 1] & 0xFFFFFF, 0x404040u);
    EXPECT_EQ(bits[w - 1] & 0xFFFFFF, 0xFF00FFu);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(tip.GetWindow().GetHwnd(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, w - 1, 0));
    EXPECT_TRUE(PtInRegion(region, 1, 1));
    DeleteObject(region);

    const struct {
        ToolTipPlacement placement;
        int left, top; // relative to the anchor
    } places[] = {{ToolTipPlacement::TopLeft, 0, 0},
                  {ToolTipPlacement::TopRight, -w, 0},
                  {ToolTipPlacement::BottomLeft, 0, -h},
                  {ToolTipPlacement::BottomRight, -w, -h},
                  {ToolTipPlacement::LeftCentred, -w, -(h - 5) / 2}};
    for (const auto& p : places) {
        tip.Show(Request("Level", 720, 620, p.placement));
        const RECT rect = WindowRect(tip.GetWindow());
        EXPECT_EQ(rect.left, 720 + p.left) << int(p.placement);
        EXPECT_EQ(rect.top, 620 + p.top) << int(p.placement);
    }

    {
        ASSERT_TRUE(MoveCursorTo(kPark.x, kPark.y));
        CToolTip tip;
        tip.Show(Request("Peak", kPark.x + 20, kPark.y + 20));
        const struct {
            int dx, dy;
            bool open;
        } moves[] = {{2, 0, true}, {0, -2, true}, {2, 2, true}, {0, 3, false}};
        for (const auto& m : moves) {
            ASSERT_TRUE(MoveCursorTo(kPark.x + m.dx, kPark.y + m.dy));
            Tick(tip);
            EXPECT_EQ(tip.GetWindow().IsCreated(), m.open) << m.dx << "," << m.dy;
        }
        ASSERT_TRUE(MoveCursorTo(kPark.x, kPark.y));
        tip.Show(Request("Peak", kPark.x + 20, kPark.y + 20));
        Tick(tip);
        ASSERT_TRUE(tip.GetWindow().IsCreated());
        ASSERT_TRUE(SendMouseButton(MouseButton::Right, KeyAction::Press));
        Tick(tip);
        EXPECT_FALSE(tip.GetWindow().IsCreated());
        SendMouseButton(MouseButton::Right, KeyAction::Release);
        PumpMessages();

        const int right = GetSystemMetrics(SM_CXSCREEN);
        const struct {
            int x, y;
            ToolTipPlacement placement;
            int crossing;
        } checks[] = {{right - 5, 300, ToolTipPlacement::TopLeft, ToolTipCrossing::Right},
                      {right - 5, 300, ToolTipPlacement::TopRight, 0},
                      {3, 2, ToolTipPlacement::BottomRight, ToolTipCrossing::Left | ToolTipCrossing::Top}};
        for (const auto& c : checks)
            EXPECT_EQ(tip.CheckPlacement(Request("Reference level", c.x, c.y, c.placement)), c.crossing) << c.x;
        EXPECT_FALSE(tip.GetWindow().IsCreated());
    }
}

// A control with a tip text opens the container's one tip right of the cursor
// and below the control; a control without one opens nothing. A press on a
// control or a move of the window closes the tip.
TEST(ToolTip, HoverOpensTheContainersTip)
{
    ContainerHost host;
    EventLog log;
    ProbeControl silent(log, "silent"), tall(log, "tall"), flat(log, "flat");
    silent.Create(ControlAt(host.container, 100, 0, 20, 20));
    ControlWindowParams params = ControlAt(host.container, 0, 0, 20, 60);
    params.toolTipText = "Gain";
    tall.Create(params);
    params.place.x = 40;
    params.place.height = 10;
    flat.Create(params);

    ASSERT_TRUE(MoveCursorTo(305, 205));
    int zero = 0;
    silent.OnEvent(silent.GetWindow(), EventSource::Window, WindowEvent::Hover, 0, 0, &zero);
    EXPECT_EQ(host.container.GetToolTip(), nullptr);
    EXPECT_EQ(log.entries.back(), "silent:31");

    const struct {
        ProbeControl* control;
        int top; // the lower of the control's bottom and 24 pixels below the cursor
    } hovers[] = {{&tall, 260}, {&flat, 229}};
    CToolTip* tip = nullptr;
    for (const auto& h : hovers) {
        h.control->OnEvent(h.control->GetWindow(), EventSource::Window, WindowEvent::Hover, 0, 0, &zero);
        tip = tip ? tip : host.container.GetToolTip();
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(host.container.GetToolTip(), tip) << "one tip per container";
        EXPECT_EQ(host.container.GetToolTipControl(), h.control);
        ASSERT_TRUE(tip->GetWindow().IsCreated());
        EXPECT_EQ(WindowRect(tip->GetWindow()).left, 313);
        EXPECT_EQ(WindowRect(tip->GetWindow()).top, h.top);
    }

    // A press quicker than the tip's polling, or the window moving away from
    // under the tip, closes it at once.
    const struct {
        CListener* to;
        int code;
    } closers[] = {{&tall, WindowEvent::LeftButtonDown},
                   {&flat, WindowEvent::RightButtonDown},
                   {&host.container, WindowEvent::Moved}};
    for (const auto& c : closers) {
        tall.OnEvent(tall.GetWindow(), EventSource::Window, WindowEvent::Hover, 0, 0, &zero);
        ASSERT_TRUE(tip->GetWindow().IsCreated());
        c.to->OnEvent(&host.window, EventSource::Window, c.code, 0, 0, &zero);
        EXPECT_FALSE(tip->GetWindow().IsCreated()) << c.code;
    }
}
