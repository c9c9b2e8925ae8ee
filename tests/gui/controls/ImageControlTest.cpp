#include "ControlTestSupport.h"
#include "GuiTestSupport.h"
#include "gui/controls/CImageControl.h"
#include "gui/controls/ControlCommand.h"
#include "gui/controls/ControlNotification.h"
#include "gui/skin/CSkinRenderer.h"
#include "tests/gui/BitmapTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

namespace {

const uint32_t kPicture = 0xFF123456;
const int kBorder = 8; // the stretch insets of frame style 12 on every side

// Keeps the codes it is told and paints the frame's interior on a draw request.
struct PaintingOwner : CListener {
    int OnNotify(void* record) override
    {
        const ControlNotification& n = *static_cast<ControlNotification*>(record);
        codes.push_back(n.code);
        EXPECT_EQ(n.kind, CImageControl::kNotificationKind);
        EXPECT_EQ(n.controlId, 77);
        if (n.code == NotifyCode::DrawRequest) {
            CImageControl* control = static_cast<CImageControl*>(n.sender);
            drawnInto.push_back(control->GetBackBuffer());
            const RECT& r = control->GetInterior();
            control->GetBackBuffer()->FillRect(r.left, r.top, r.right, r.bottom, kPicture);
            control->MarkChanged(r);
        }
        return 0;
    }
    std::vector<int> codes;
    std::vector<CBitmapDC*> drawnInto;
};

struct ImageHost {
    ImageControlParams Params(int width, int height)
    {
        ImageControlParams p;
        p.place.x = 10;
        p.place.y = 20;
        p.place.width = width;
        p.place.height = height;
        p.controlId = 77;
        p.place.container = &host.container;
        p.listener = &owner;
        return p;
    }
    ContainerHost host{200, 120, &LoadedSkin()};
    PaintingOwner owner;
};

} // namespace

// Exactly as wide as both borders is room enough; a pixel less hides the
// control, which then ignores Present until a rebuild finds room.
// The owner always draws into the buffer that is not on screen; the window's
// paint gets the one shown last, and two presents end where they began.
TEST(ImageControl, ShownWithinTheFrameAndPresentsAlternate)
{
    ImageHost h;
    ASSERT_TRUE(h.host.created);
    CImageControl fits, narrow;
    fits.Create(h.Params(2 * kBorder, 40));
    EXPECT_TRUE(fits.IsShown());
    EXPECT_TRUE(IsWindowVisible(fits.GetWindow()->GetHwnd()));
    EXPECT_EQ(h.owner.codes, (std::vector<int>{NotifyCode::Rebuilt, NotifyCode::DrawRequest}));

    h.owner.codes.clear();
    narrow.Create(h.Params(2 * kBorder - 1, 40));
    EXPECT_FALSE(narrow.IsShown());
    EXPECT_FALSE(IsWindowVisible(narrow.GetWindow()->GetHwnd()));
    narrow.Present();
    EXPECT_TRUE(h.owner.codes.empty()) << "no draw request while hidden";

    RECT wider = {10, 20, 70, 60};
    narrow.OnEvent(&h.host.container, EventSource::Request, ControlCommand::Place, 0, int(intptr_t(&wider)), nullptr);
    narrow.OnEvent(&h.host.container, EventSource::Request, ControlCommand::Rebuild, 0, 0, nullptr);
    EXPECT_TRUE(narrow.IsShown());
    EXPECT_EQ(narrow.GetWidth(), 60);
    EXPECT_EQ(h.owner.codes, std::vector<int>{NotifyCode::Rebuilt});

    {
        ImageHost h;
        CImageControl control;
        control.Create(h.Params(60, 40));
        ASSERT_TRUE(control.IsShown());
        CBitmapDC* const back = control.GetBackBuffer();
        control.Present();
        control.Present();
        EXPECT_EQ(control.GetBackBuffer(), back);
        ASSERT_EQ(h.owner.drawnInto.size(), 3u);
        EXPECT_NE(h.owner.drawnInto[1], h.owner.drawnInto[2]);
        EXPECT_EQ(control.GetFrontBuffer(), h.owner.drawnInto[2]);

        CBitmapDC* painted = nullptr;
        control.OnEvent(control.GetWindow(), EventSource::Window, WindowEvent::Paint, 0, 0, &painted);
        EXPECT_EQ(painted, control.GetFrontBuffer());
        EXPECT_EQ(At(*painted, 30, 20), kPicture) << "inside the borders the owner's picture stays";
        EXPECT_NE(At(*painted, 30, 2), kPicture) << "the frame lies around it";
    }
}

// A plain background needs no frame: each present starts from the surface
// under the control, whatever the owner drew the time before.
// Clicks count only while the cursor is over the control's window.
TEST(ImageControl, PlainBackgroundAndClicksOnlyInside)
{
    ImageHost h;
    h.host.container.GetSurface()->Fill(0xFF00FF00);
    ImageControlParams p = h.Params(4, 4);
    p.plainBackground = 1;
    p.listener = nullptr;
    CImageControl control;
    control.Create(p);
    EXPECT_TRUE(control.IsShown()) << "no borders to make room for";
    control.GetBackBuffer()->Fill(kPicture);
    control.Present();
    EXPECT_EQ(At(*control.GetFrontBuffer(), 3, 3), 0xFF00FF00u);

    {
        ImageHost h;
        CImageControl control;
        control.Create(h.Params(60, 40));
        RECT r = {};
        GetWindowRect(control.GetWindow()->GetHwnd(), &r);
        for (bool inside : {true, false}) {
            ASSERT_TRUE(inside ? MoveCursorTo(r.left + 5, r.top + 5) : MoveCursorTo(r.right + 40, r.bottom + 40));
            h.owner.codes.clear();
            for (int code : {int(WindowEvent::RightButtonUp), int(WindowEvent::LeftDoubleClick)})
                control.OnEvent(control.GetWindow(), EventSource::Window, code, 0, 0, nullptr);
            const std::vector<int> expected = {NotifyCode::RightUp, NotifyCode::DoubleClick};
            EXPECT_EQ(h.owner.codes, inside ? expected : std::vector<int>{});
        }
    }
}

// Present asks its owner to draw only while some of the control reaches the
// screen; a control its owner hid stays hidden when a rebuild finds room
// again after a size too small for its frame.
TEST(ImageControl, PresentsOnlyWhatReachesTheScreen)
{
    ImageHost h;
    ASSERT_TRUE(h.host.created);
    CImageControl control;
    control.Create(h.Params(60, 40));
    const HWND host = h.host.window.GetHwnd(), pane = control.GetWindow()->GetHwnd();
    const RECT tiny = {10, 20, 20, 30}, roomy = {10, 20, 70, 60};
    auto command = [&](int code, int p1, const RECT* rect = nullptr) {
        control.OnEvent(&h.host.container, EventSource::Request, code, p1, int(intptr_t(rect)), nullptr);
    };
    const struct {
        const char* step;
        std::function<void()> act;
        bool visible;
        int draws;
    } steps[] = {
        {"shown", [] {}, true, 1},
        {"host minimized", [&] { ShowWindow(host, SW_MINIMIZE); }, true, 0},
        {"host restored", [&] { ShowWindow(host, SW_RESTORE); }, true, 1},
        {"owner hid", [&] { command(ControlCommand::Show, 0); }, false, 0},
        {"too small, then room again",
         [&] {
             for (const RECT* size : {&tiny, &roomy}) {
                 command(ControlCommand::Place, 0, size);
                 command(ControlCommand::Rebuild, 0);
             }
         },
         false, 0},
        {"owner shows", [&] { command(ControlCommand::Show, 1); }, true, 1},
    };
    for (const auto& s : steps) {
        s.act();
        PumpMessages();
        h.owner.codes.clear();
        control.Present();
        EXPECT_EQ(IsWindowVisible(pane) != 0, s.visible) << s.step;
        EXPECT_EQ(std::count(h.owner.codes.begin(), h.owner.codes.end(), int(NotifyCode::DrawRequest)), s.draws)
            << s.step;
    }
}
