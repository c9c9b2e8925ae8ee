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

// 40 x 20 pictures: the left half opaque colour, the right half fully transparent.
struct ButtonHost {
    ButtonHost()
    {
        host.container.GetSurface()->Fill(kBackground);
        for (CBitmapDC* image : {&normal, &pressed}) {
            image->Create(40, 20, 32);
            image->Fill(0);
            image->FillRect(0, 0, 20, 20, image == &normal ? kRed : kBlue);
        }
    }
    ImageButtonParams Params(int width, int height)
    {
        ImageButtonParams params;
        params.place.x = params.place.y = 10;
        params.place.width = width;
        params.place.height = height;
        params.place.container = &host.container;
        params.listener = &notes;
        params.normalImage = &normal;
        params.pressedImage = &pressed;
        params.hitRect = {0, 0, 40, 20};
        params.fit = 0;
        return params;
    }
    ContainerHost host;
    CBitmapDC normal, pressed;
    NoteListener notes;
};

int Send(CImageButton& button, int code, int x, int y)
{
    return button.OnEvent(nullptr, EventSource::Window, code, int(MAKELPARAM(x, y)), 0, nullptr);
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

// A 40 x 20 picture: kept at its size in a larger button, shrunk to 20 x 10
// in a 20 x 20 one, stretched both ways, centred, or cut to its middle.
TEST(ImageButton, PicturesFitAndCentre)
{
    ButtonHost h;
    struct Case {
        int width, height;
        uint8_t fit, keepAspect, upscale;
        RECT hit;
        POINT redAt, backgroundAt;
    };
    const Case cases[] = {
        {100, 60, 1, 1, 0, {30, 20, 70, 40}, {35, 25}, {10, 10}}, {20, 20, 1, 1, 0, {0, 5, 20, 15}, {2, 7}, {2, 2}},
        {100, 60, 1, 0, 1, {0, 0, 100, 60}, {10, 50}, {90, 30}},  {60, 30, 0, 1, 0, {10, 5, 50, 25}, {12, 7}, {5, 2}},
        {20, 10, 0, 1, 0, {0, 0, 40, 20}, {5, 5}, {15, 5}},
    };
    for (const Case& c : cases) {
        ImageButtonParams params = h.Params(c.width, c.height);
        params.fit = c.fit;
        params.keepAspect = c.keepAspect;
        params.allowUpscaling = c.upscale;
        CImageButton button;
        button.Create(params);
        EXPECT_TRUE(button.GetHitRect() == c.hit) << c.width << "x" << c.height;
        EXPECT_PRED2(Near, PixelAt(button.GetDisplay(), c.redAt.x, c.redAt.y), kRed);
        EXPECT_PRED2(Near, PixelAt(button.GetDisplay(), c.backgroundAt.x, c.backgroundAt.y), kBackground);
    }
    ImageButtonParams params = h.Params(60, 30);
    params.dimmed = 1;
    CImageButton dimmed;
    dimmed.Create(params);
    EXPECT_EQ(PixelAt(dimmed.GetDisplay(), 1, 1), 0xA48352u) << "200, 160, 100 x 210/256";
    params = h.Params(0, 0);
    params.normalImage = params.pressedImage = nullptr;
    CImageButton empty;
    empty.Create(params);
    EXPECT_EQ(Send(empty, WindowEvent::LeftButtonDown, 0, 0), 0);
}

// The press is tested on the picture itself at the press point: (30, 10) is
// its transparent half, (50, 25) beyond it. A release outside gives 3 only.
// The owner hears where its region is once per move, and draws into it
// before every showing.
TEST(ImageButton, PressesAndTheOwnerRegion)
{
    ButtonHost h;
    CImageButton button;
    button.Create(h.Params(60, 30));
    struct Step {
        int code, x, y, taken;
        std::vector<int> codes;
    };
    const Step steps[] = {
        {WindowEvent::LeftButtonDown, 30, 10, 0, {}},   {WindowEvent::LeftButtonDown, 50, 25, 1, {2}},
        {WindowEvent::LeftButtonUp, 100, 100, 0, {3}},  {WindowEvent::LeftButtonDown, 5, 5, 1, {2}},
        {WindowEvent::LeftButtonUp, 60, 30, 0, {5, 3}}, {WindowEvent::LeftButtonDown, 5, 5, 1, {2}},
        {WindowEvent::MouseMove, 61, 5, 0, {11}},       {WindowEvent::MouseMove, 6, 5, 0, {2}},
        {WindowEvent::RightButtonDown, 6, 5, 0, {3}},   {WindowEvent::LeftButtonUp, 6, 5, 0, {}},
        {WindowEvent::RightButtonDown, 6, 5, 0, {}},    {WindowEvent::RightButtonUp, 6, 5, 0, {13}},
    };
    int i = 0;
    for (const Step& s : steps) {
        h.notes.notes.clear();
        EXPECT_EQ(Send(button, s.code, s.x, s.y), s.taken) << "step " << i;
        EXPECT_EQ(h.notes.Codes(), s.codes) << "step " << i++;
        if (s.code == WindowEvent::LeftButtonDown && s.taken) {
            EXPECT_EQ(PixelAt(button.GetDisplay(), 12, 7), kBlue & 0xFFFFFF);
        }
    }
    EXPECT_EQ(GetCapture(), nullptr);

    ImageButtonParams params = h.Params(60, 30);
    params.pressedImage = nullptr;
    CImageButton inert;
    inert.Create(params);
    EXPECT_EQ(Send(inert, WindowEvent::LeftButtonDown, 5, 5), 0);
    EXPECT_EQ(GetCapture(), nullptr);

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
        params.ownerRegion = 1;
        params.hitRect = {4, 2, 14, 12};
        params.listener = &owner;
        CImageButton button;
        button.Create(params);
        EXPECT_EQ(owner.Codes(), (std::vector<int>{12, 10}));
        EXPECT_EQ(PixelAt(button.GetDisplay(), 15, 8), 0x123456u);
        Send(button, WindowEvent::LeftButtonDown, 5, 5);
        EXPECT_EQ(owner.Codes(), (std::vector<int>{12, 10, 2, 10})) << "the region did not move";

        RECT bounds = {10, 10, 90, 50};
        button.OnEvent(nullptr, EventSource::Request, ControlCommand::Bounds, 0, int(intptr_t(&bounds)), nullptr);
        ASSERT_EQ(owner.regions.size(), 2u);
        EXPECT_TRUE(owner.regions[0] == (RECT{14, 7, 24, 17}));
        EXPECT_TRUE(owner.regions[1] == (RECT{24, 12, 34, 22}));
        CBitmapDC* painted = nullptr;
        button.OnEvent(nullptr, EventSource::Window, WindowEvent::Paint, 0, 0, &painted);
        EXPECT_EQ(painted, &button.GetDisplay());
        EXPECT_EQ(painted->GetWidth(), 80);
    }
}

// Clicks by real input on the button's own window: its window lets the
// capture go on every left release before the button hears it, which must
// not cost the click.
TEST(ImageButton, RealClicksReachTheOwner)
{
    ButtonHost h;
    CImageButton button;
    button.Create(h.Params(60, 30));
    RECT onScreen = {};
    GetWindowRect(button.GetWindow()->GetHwnd(), &onScreen);
    struct Case {
        const char* name;
        POINT release; // from the button's top-left; the press is at (5, 5)
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"released inside", {6, 5}, {2, 5, 3}},
        {"released outside", {100, 5}, {2, 11}},
    };
    for (const Case& c : cases) {
        h.notes.notes.clear();
        ASSERT_TRUE(MoveCursorTo(onScreen.left + 5, onScreen.top + 5));
        PumpMessages();
        ASSERT_TRUE(SendMouseButton(MouseButton::Left, KeyAction::Press));
        PumpMessages();
        ASSERT_TRUE(MoveCursorTo(onScreen.left + c.release.x, onScreen.top + c.release.y));
        PumpMessages();
        ASSERT_TRUE(SendMouseButton(MouseButton::Left, KeyAction::Release));
        PumpMessages();
        EXPECT_EQ(h.notes.Codes(), c.codes) << c.name;
    }
}
