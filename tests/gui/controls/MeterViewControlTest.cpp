#include "ControlTestSupport.h"
#include "gui/controls/ControlCommand.h"
#include "gui/controls/CMeterViewControl.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include "gui/skin/CSkinRenderer.h"
#include <gtest/gtest.h>

namespace {

const int kFrameInsets = 14; // frame kind 14 keeps 7 pixels on every side

// Sets up three segment bars and logs each phase with the bitmap a refresh draws into.
struct MeterOwner : CListener {
    int OnNotify(void* record) override
    {
        const ControlNotification& n = *static_cast<ControlNotification*>(record);
        const MeterViewPhase& p = *static_cast<MeterViewPhase*>(n.data3);
        EXPECT_EQ(n.kind, CMeterViewControl::kPhaseKind);
        EXPECT_EQ(p.controlId, 5);
        phases.push_back(p.phase);
        if (p.phase == MeterPhase::Renderers) {
            for (int i = 0; i < 3; ++i)
                p.view->CreateRenderer(BarRendererType::Segment)->toolTip = i ? "bar" : "";
        }
        if (p.phase == MeterPhase::Values)
            drawnInto.push_back(p.control->GetDrawBitmap());
        return 0;
    }
    std::vector<int> phases;
    std::vector<CBitmapDC*> drawnInto;
};

struct MeterHost {
    MeterViewCreateParams Params(int width)
    {
        MeterViewCreateParams p;
        p.place.x = 10;
        p.place.y = 10;
        p.place.width = width;
        p.place.height = 60;
        p.controlId = 5;
        p.place.container = &host.container;
        p.owner = &owner;
        return p;
    }
    ContainerHost host{200, 120, &LoadedSkin()};
    MeterOwner owner;
};

void Send(CMeterViewControl& control, int code, int p1 = 0, int p2 = 0, void* data = nullptr)
{
    control.OnEvent(nullptr, EventSource::Request, code, p1, p2, data);
}

} // namespace

TEST(MeterViewControl, PhasesAtSetUpThenValuesAtEachRefreshIntoAAndBInTurn)
{
    MeterHost h;
    ASSERT_TRUE(h.host.created);
    CMeterViewControl control;
    control.Create(h.Params(120));
    ASSERT_TRUE(control.IsVisible());
    EXPECT_EQ(h.owner.phases, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(control.GetView().GetRendererCount(), 3);
    control.Refresh();
    control.Refresh();
    ASSERT_EQ(h.owner.drawnInto.size(), 3u);
    EXPECT_NE(h.owner.drawnInto[0], h.owner.drawnInto[1]);
    EXPECT_EQ(h.owner.drawnInto[0], h.owner.drawnInto[2]);
    CBitmapDC* shown = nullptr;
    Send(control, WindowEvent::Paint, 0, 0, &shown);
    EXPECT_EQ(shown, h.owner.drawnInto[2]);

    ShowWindow(h.host.window.GetHwnd(), SW_HIDE);
    control.Refresh();
    EXPECT_EQ(h.owner.drawnInto.size(), 3u) << "nothing while the window is hidden";
}

TEST(MeterViewControl, TooNarrowStaysHiddenAndHoverHighlights)
{
    MeterHost h;
    for (uint8_t fixed : {0, 1}) {
        h.owner.phases.clear();
        MeterViewCreateParams p = h.Params(kFrameInsets - 1);
        p.fixed = fixed;
        CMeterViewControl control;
        control.Create(p);
        EXPECT_FALSE(control.IsVisible());
        EXPECT_FALSE(IsWindowVisible(control.GetWindow()->GetHwnd()));
        EXPECT_TRUE(h.owner.phases.empty());
        RECT wider = {10, 10, 10 + kFrameInsets, 70};
        Send(control, ControlCommand::Place, 0, int(intptr_t(&wider)));
        Send(control, ControlCommand::Rebuild);
        EXPECT_EQ(control.IsVisible(), !fixed) << "fixed: event 21 rebuilds nothing";
        EXPECT_EQ(h.owner.phases.size(), fixed ? 0u : 3u) << "phases 1, 2 and 3 again";
    }

    {
        MeterHost h;
        for (uint8_t highlight : {0, 1}) {
            MeterViewCreateParams p = h.Params(120);
            p.hoverHighlight = highlight;
            CMeterViewControl control;
            control.Create(p);
            CSegmentBarRenderer* bar = control.GetView().GetSegmentRenderer(1);
            ASSERT_NE(bar, nullptr);
            const int item = int(intptr_t(bar));
            Send(control, WindowEvent::MouseEnter, item);
            EXPECT_EQ(bar->useAlternate, highlight != 0);
            Send(control, WindowEvent::MouseLeave, item);
            EXPECT_FALSE(bar->useAlternate);
            Send(control, WindowEvent::MouseEnter, int(intptr_t(&h.owner))); // not one of the bars
            const BarGeometry& g = bar->GetGeometry();
            int found = 0;
            const int x = g.axisPosition + g.axisLength / 2, y = g.crossPosition + g.crossLength / 2;
            Send(control, WindowEvent::MouseTrack, y << 16 | x, 0, &found);
            EXPECT_EQ(found, item);
            Send(control, WindowEvent::MouseTrack, 0x7FFF << 16 | 0x7FFF, 0, &found);
            EXPECT_EQ(found, 0);
        }
    }
}
