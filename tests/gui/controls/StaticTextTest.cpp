#include "PaintedHost.h"
#include "gui/controls/CStaticTextControl.h"
#include "gui/controls/ControlCommand.h"
#include "gui/window/WindowEvent.h"
#include <gtest/gtest.h>

namespace {

const uint32_t kWhite = 0xFFFFFF;

StaticTextParams TextAt(CControlContainer& container, int x, int y, int width, int height, const char* text)
{
    StaticTextParams params;
    params.place.x = x;
    params.place.y = y;
    params.place.width = width;
    params.place.height = height;
    params.place.container = &container;
    params.text.text = text;
    params.text.shadow = 0;
    return params;
}

} // namespace

// The face under an empty text, over a background of (200, 160, 100).
TEST(StaticText, FacesScaleFillAndTint)
{
    PaintedHost host;
    ASSERT_TRUE(host.created);
    struct Case {
        const char* name;
        int brightness;
        StaticTextLook look;
        uint8_t framed, fill, tint;
        uint32_t expected;
    };
    const Case cases[] = {
        {"unchanged", 256, StaticTextLook::Plain, 0, 0, 0, 0xC8A064},
        {"brightness 0 is off", 0, StaticTextLook::Plain, 0, 0, 0, 0xC8A064},
        // 200 * 128 / 256 = 100, then * 210 / 256 = 82; 80 -> 65; 50 -> 41.
        {"brightness before darkening", 128, StaticTextLook::Darkened, 0, 0, 0, 0x524129},
        {"marked", 256, StaticTextLook::Marked, 0, 0, 0, 0xFF0000},
        {"framed ignores brightness", 128, StaticTextLook::Darkened, 1, 0, 0, 0xC8A064},
        {"framed fill", 256, StaticTextLook::Plain, 1, 1, 0, 0x123456},
        {"framed tint", 256, StaticTextLook::Plain, 1, 0, 1, 0x645032},
    };
    for (const Case& c : cases) {
        StaticTextParams params = TextAt(host.container, 20, 10, 60, 30, "");
        params.brightness = c.brightness;
        params.look = c.look;
        params.framed = c.framed;
        params.fill = c.fill;
        params.tint = c.tint;
        params.fillColor = 0x123456;
        params.tintColor = 0x808080;
        CStaticTextControl control;
        control.Create(params);
        const CBitmapDC& bitmap = control.GetBitmap();
        ASSERT_EQ(bitmap.GetWidth(), 60) << c.name;
        EXPECT_EQ(PixelAt(bitmap, 30, 15), c.expected) << c.name;
        EXPECT_EQ(CountPixels(bitmap, c.expected, 0, 60), 60 * 30) << c.name;
    }
}

// A second text stands right-aligned; an empty one is not drawn at all, so
// an opaque record's box is not filled over the first text.
TEST(StaticText, SecondTextAndEvents)
{
    PaintedHost host(240, 120, 0);
    struct Case {
        const char* second;
        uint8_t transparent;
        bool leftText, rightText;
    };
    const Case cases[] = {{"", 1, true, false}, {"", 0, true, false}, {"88", 1, true, true}};
    for (const Case& c : cases) {
        StaticTextParams params = TextAt(host.container, 10, 10, 200, 40, "Hello");
        params.text.textColor = kWhite;
        params.text.backgroundColor = 0x404040;
        params.text.transparent = c.transparent;
        params.secondText = c.second;
        CStaticTextControl control;
        control.Create(params);
        const CBitmapDC& bitmap = control.GetBitmap();
        EXPECT_EQ(CountPixels(bitmap, kWhite, 0, 100) > 0, c.leftText) << c.second << int(c.transparent);
        EXPECT_EQ(CountPixels(bitmap, kWhite, 150, 200) > 0, c.rightText) << c.second << int(c.transparent);
    }

    {
        PaintedHost host;
        NoteListener notes;
        StaticTextParams params = TextAt(host.container, 20, 10, 60, 30, "");
        params.listener = &notes;
        CStaticTextControl control;
        control.Create(params);
        HWND hwnd = control.GetWindow()->GetHwnd();
        ASSERT_NE(hwnd, nullptr);

        // Place moves the window only; bounds also resizes and renders anew.
        RECT place = {40, 20, 140, 70};
        control.OnEvent(nullptr, EventSource::Request, ControlCommand::Place, 0, int(intptr_t(&place)), nullptr);
        RECT onScreen;
        GetWindowRect(hwnd, &onScreen);
        MapWindowPoints(nullptr, host.window.GetHwnd(), reinterpret_cast<POINT*>(&onScreen), 2);
        EXPECT_EQ(onScreen.left, 40);
        EXPECT_EQ(onScreen.right - onScreen.left, 100);
        EXPECT_EQ(control.GetBitmap().GetWidth(), 60);
        control.OnEvent(nullptr, EventSource::Request, ControlCommand::Bounds, 0, int(intptr_t(&place)), nullptr);
        EXPECT_EQ(control.GetBitmap().GetWidth(), 100);
        EXPECT_EQ(control.GetBitmap().GetHeight(), 50);

        // Set text renders the new text at once.
        control.GetTextBuffer()->textColor = kWhite;
        EXPECT_EQ(CountPixels(control.GetBitmap(), kWhite, 0, 100), 0);
        control.OnEvent(nullptr, EventSource::Request, ControlCommand::SetText, 0, int(intptr_t("Wide")), nullptr);
        EXPECT_GT(CountPixels(control.GetBitmap(), kWhite, 0, 100), 0);

        CBitmapDC* painted = nullptr;
        control.OnEvent(nullptr, EventSource::Window, WindowEvent::Paint, 0, 0, &painted);
        EXPECT_EQ(painted, &control.GetBitmap());
        control.OnEvent(nullptr, EventSource::Request, ControlCommand::Show, 0, 0, nullptr);
        EXPECT_FALSE(IsWindowVisible(hwnd));

        const int mouse[] = {WindowEvent::LeftButtonDown, WindowEvent::LeftButtonUp, WindowEvent::RightButtonUp,
                             WindowEvent::LeftDoubleClick, WindowEvent::MouseMove};
        for (int code : mouse)
            control.OnEvent(nullptr, EventSource::Window, code, 0, 0, nullptr);
        EXPECT_EQ(notes.Codes(), (std::vector<int>{2, 3, 13, 4}));
        for (const ControlNotification& n : notes.notes) {
            EXPECT_EQ(n.kind, CStaticTextControl::kNotifyKind);
            EXPECT_EQ(n.controlId, 0);
            EXPECT_EQ(n.sender, &control);
        }
    }
}
