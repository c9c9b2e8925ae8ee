#include "PaintedHost.h"
#include "gui/controls/CImageButton.h"
#include "gui/controls/ControlCommand.h"
#include "gui/window/WindowEvent.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

const uint32_t kBackground = 0x00C8A064;
const uint32_t kRed = 0xFFFF0000;
const uint32_t kBlue = 0xFF0000FF;

// A picture whose left half is opaque colour and right half fully transparent.
struct HalfPicture {
    HalfPicture(int width, int height, uint32_t colour)
    {
        image.Create(width, height, 32);
        image.Fill(0);
        image.FillRect(0, 0, width / 2, height, colour);
    }
    CBitmapDC image;
};

struct ButtonHost {
    ButtonHost() : host(200, 120), normal(40, 20, kRed), pressed(40, 20, kBlue)
    {
        host.container.GetSurface()->Fill(kBackground);
    }
    ImageButtonParams Params(int width, int height)
    {
        ImageButtonParams params;
        params.x = 10;
        params.y = 10;
        params.width = width;
        params.height = height;
        params.container = &host.container;
        params.listener = &notes;
        params.normalImage = &normal.image;
        params.pressedImage = &pressed.image;
        params.hitRect = {0, 0, 40, 20};
        return params;
    }
    ContainerHost host;
    HalfPicture normal;
    HalfPicture pressed;
    NoteListener notes;
};

int At(int x, int y)
{
    return int(MAKELPARAM(x, y));
}

int Send(CImageButton& button, int code, int x, int y)
{
    return button.OnEvent(nullptr, EventSource::Window, code, At(x, y), 0, nullptr);
}

// Resizing may leave a channel a step off.
bool Near(uint32_t pixel, uint32_t expected)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((pixel >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 2)
            return false;
    return true;
}

bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}

} // namespace

// Fitting and centring place the picture and its hit rectangle; a 20 x 20
// button with a 40 x 20 picture shrinks it to 20 x 10 in the middle.
TEST(ImageButton, PicturesFitAndCentre)
{
    ButtonHost h;
    struct Case {
        const char* name;
        int width, height;
        uint8_t fit, keepAspect, upscale;
        int32_t dimmed;
        RECT hit;
        POINT redAt, backgroundAt;
    };
    const Case cases[] = {
        {"smaller stays its size", 100, 60, 1, 1, 0, 0, {30, 20, 70, 40}, {35, 25}, {10, 10}},
        {"larger shrinks", 20, 20, 1, 1, 0, 0, {0, 5, 20, 15}, {2, 7}, {2, 2}},
        {"stretched both ways", 100, 60, 1, 0, 1, 0, {0, 0, 100, 60}, {10, 50}, {90, 30}},
        {"centred uncut", 60, 30, 0, 1, 0, 0, {10, 5, 50, 25}, {12, 7}, {5, 2}},
        {"cut to its middle", 20, 10, 0, 1, 0, 0, {0, 0, 40, 20}, {5, 5}, {15, 5}},
    };
    for (const Case& c : cases) {
        ImageButtonParams params = h.Params(c.width, c.height);
        params.fit = c.fit;
        params.keepAspect = c.keepAspect;
        params.allowUpscaling = c.upscale;
        CImageButton button;
        button.Create(params);
        EXPECT_TRUE(button.GetHitRect() == c.hit) << c.name;
        const CBitmapDC& display = button.GetDisplay();
        EXPECT_PRED2(Near, PixelAt(display, c.redAt.x, c.redAt.y), kRed) << c.name;
        EXPECT_PRED2(Near, PixelAt(display, c.backgroundAt.x, c.backgroundAt.y), kBackground) << c.name;
    }
    // Dimmed: 200, 160, 100 x 210/256.
    ImageButtonParams params = h.Params(60, 30);
    params.dimmed = 1;
    CImageButton dimmed;
    dimmed.Create(params);
    EXPECT_EQ(PixelAt(dimmed.GetDisplay(), 1, 1), 0xA48352u);
    // Nothing to draw, nowhere to draw it.
    params = h.Params(0, 0);
    params.normalImage = params.pressedImage = nullptr;
    CImageButton empty;
    empty.Create(params);
    EXPECT_EQ(Send(empty, WindowEvent::LeftButtonDown, 0, 0), 0);
}

TEST(ImageButton, PressesReleasesAndRightClicks)
{
    ButtonHost h;
    ImageButtonParams params = h.Params(60, 30);
    params.fit = 0;
    CImageButton button;
    button.Create(params);
    std::vector<int> noted; // what the last step notified
    auto step = [&](int code, int x, int y) {
        h.notes.notes.clear();
        const int taken = Send(button, code, x, y);
        noted = h.notes.Codes();
        return taken;
    };
    // The picture is tested at the press point itself: (30, 10) is its
    // transparent half, (50, 25) lies beyond it.
    EXPECT_EQ(step(WindowEvent::LeftButtonDown, 30, 10), 0);
    EXPECT_TRUE(noted.empty());
    EXPECT_EQ(step(WindowEvent::LeftButtonDown, 50, 25), 1);
    EXPECT_EQ(noted, std::vector<int>{2});
    EXPECT_EQ(PixelAt(button.GetDisplay(), 12, 7), kBlue & 0xFFFFFF);
    step(WindowEvent::LeftButtonUp, 100, 100);
    EXPECT_EQ(noted, std::vector<int>{3}) << "released outside: no click, no cancel";
    EXPECT_EQ(PixelAt(button.GetDisplay(), 12, 7), kRed & 0xFFFFFF);

    step(WindowEvent::LeftButtonDown, 5, 5);
    step(WindowEvent::LeftButtonUp, 60, 30);
    EXPECT_EQ(noted, (std::vector<int>{5, 3})) << "the far edges count as inside";

    step(WindowEvent::LeftButtonDown, 5, 5);
    step(WindowEvent::MouseMove, 61, 5);
    EXPECT_EQ(noted, std::vector<int>{11});
    step(WindowEvent::MouseMove, 6, 5);
    EXPECT_EQ(noted, std::vector<int>{2});
    step(WindowEvent::RightButtonDown, 6, 5);
    EXPECT_EQ(noted, std::vector<int>{3});
    EXPECT_EQ(GetCapture(), nullptr);
    step(WindowEvent::LeftButtonUp, 6, 5);
    EXPECT_TRUE(noted.empty()) << "no capture left: only traced";

    step(WindowEvent::RightButtonDown, 6, 5);
    step(WindowEvent::RightButtonUp, 6, 5);
    EXPECT_EQ(noted, std::vector<int>{13});

    params.pressedImage = nullptr;
    CImageButton inert;
    inert.Create(params);
    h.notes.notes.clear();
    EXPECT_EQ(Send(inert, WindowEvent::LeftButtonDown, 5, 5), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(h.notes.notes.empty());
}

// The owner hears where its region is once per move, and draws into it
// before every showing.
TEST(ImageButton, OwnerRegionReportedOnceDrawnEveryTime)
{
    struct OwnerDraws : NoteListener {
        int OnNotify(void* record) override
        {
            const ControlNotification& n = *static_cast<const ControlNotification*>(record);
            if (n.code == NotifyCode::Rebuilt)
                regions.push_back(*static_cast<const RECT*>(n.data3));
            if (n.code == NotifyCode::DrawRequest) {
                const ImageButtonDrawing& d = *static_cast<const ImageButtonDrawing*>(n.data3);
                d.bitmap->FillRect(d.rect.left, d.rect.top, d.rect.right, d.rect.bottom, 0x123456);
            }
            return NoteListener::OnNotify(record);
        }
        std::vector<RECT> regions;
    } owner;
    ButtonHost h;
    ImageButtonParams params = h.Params(60, 30);
    params.fit = 0;
    params.ownerRegion = 1;
    params.hitRect = {4, 2, 14, 12};
    params.listener = &owner;
    CImageButton button;
    button.Create(params);
    EXPECT_EQ(owner.Codes(), (std::vector<int>{12, 10}));
    ASSERT_EQ(owner.regions.size(), 1u);
    EXPECT_TRUE(owner.regions[0] == (RECT{14, 7, 24, 17}));
    EXPECT_EQ(PixelAt(button.GetDisplay(), 15, 8), 0x123456u);

    owner.notes.clear();
    Send(button, WindowEvent::LeftButtonDown, 5, 5);
    EXPECT_EQ(owner.Codes(), (std::vector<int>{2, 10})) << "the region did not move";
    Send(button, WindowEvent::LeftButtonUp, 5, 5);

    RECT bounds = {10, 10, 90, 50};
    owner.notes.clear();
    button.OnEvent(nullptr, EventSource::Request, ControlCommand::Bounds, 0, int(intptr_t(&bounds)), nullptr);
    EXPECT_EQ(owner.Codes(), (std::vector<int>{12, 10}));
    EXPECT_TRUE(owner.regions.back() == (RECT{24, 12, 34, 22}));
    CBitmapDC* painted = nullptr;
    button.OnEvent(nullptr, EventSource::Window, WindowEvent::Paint, 0, 0, &painted);
    EXPECT_EQ(painted, &button.GetDisplay());
    EXPECT_EQ(painted->GetWidth(), 80);
}
