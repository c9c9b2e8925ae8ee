#include "gui/graphics/CBarGraphView.h"
#include "gui/graphics/CBitmapBarRenderer.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Bar {
    int sizeWeight, fill, gap, fixed;
};

// A view over area (0, 0, axis + 6, 50) with 3-pixel margins, the axis along x
// or y; the renderers take the bars' weights.
void Build(CBarGraphView& view, const std::vector<Bar>& bars, bool vertical, int separate = 1, int axis = 100)
{
    BarGraphViewDesc* d = view.Reset();
    d->width = d->height = 128;
    d->vertical = vertical;
    d->separateBars = separate;
    d->areaRight = vertical ? 50 : axis + 6;
    d->areaBottom = vertical ? axis + 6 : 50;
    d->labelRowHeight = 10;
    d->labelColumnWidth = 10;
    ASSERT_EQ(view.Configure(*d), 0);
    for (const Bar& b : bars) {
        CBarRenderer* r = view.CreateRenderer(BarRendererType::Segment);
        ASSERT_NE(r, nullptr);
        r->sizeWeight = b.sizeWeight;
        r->fillFactor = b.fill;
        r->gapWeight = b.gap;
        r->fixedSize = b.fixed;
    }
    view.Layout();
}

class FrameRecorder : public CBarFramePainter {
public:
    void PaintGroupFrame(int left, int top, int right, int bottom) override
    {
        frames.push_back({left, top, right, bottom});
    }
    std::vector<RECT> frames;
};

} // namespace

TEST(BarGraphView, LayoutGroupFramesAndHitTest)
{
    const Bar w = {100, 90, 0, 0};
    const struct {
        std::vector<Bar> bars;
        bool vertical;
        int separate;
        std::vector<int> positions, lengths;
    } cases[] = {
        // 100 px over weights 2.9 (the last counts its fill): 34.48 per weight,
        // 99 used, the odd pixel halved away; bars 34 - 3 long, 34 apart.
        {{w, w, w}, false, 1, {3, 37, 71}, {31, 31, 31}},
        {{w, w, w}, true, 1, {3, 37, 71}, {31, 31, 31}},
        {{{100, 90, 0, 20}, w, w, w}, false, 1, {4, 24, 51, 78}, {20, 25, 25, 25}}, // a fixed bar takes 20
        {{{100, 100, 0, 0}, {100, 100, 0, 0}, {100, 100, 0, 0}}, false, 1, {3, 36, 69}, {32, 32, 32}},
        {{{100, 100, 0, 0}, {100, 100, 0, 0}, {100, 100, 0, 0}}, false, 0, {3, 36, 69}, {33, 33, 33}},
        // A gap weight of 0.5: 100 / 3.4 = 29.41 per weight; the 2 pixels left widen the gap.
        {{{100, 100, 50, 0}, w, w}, false, 1, {3, 48, 77}, {28, 27, 27}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const auto& c = cases[i];
        CBarGraphView view;
        Build(view, c.bars, c.vertical, c.separate);
        for (size_t k = 0; k < c.bars.size(); ++k) {
            const BarGeometry& g = view.GetRenderer(int(k))->GetGeometry();
            EXPECT_EQ(g.axisPosition, c.positions[k]) << "case " << i << " bar " << k;
            EXPECT_EQ(g.axisLength, c.lengths[k]) << "case " << i << " bar " << k;
            EXPECT_EQ(g.crossLength, 34); // 50 less the label room and both margins
            EXPECT_EQ(g.crossPosition, c.vertical ? 13 : 3);
            EXPECT_EQ(g.index, int(k));
        }
        EXPECT_EQ(view.GetState(), BarViewState::LaidOut);
    }

    {
        const Bar w = {100, 90, 0, 0}, gap = {100, 90, 100, 0};
        for (bool vertical : {false, true}) {
            CBarGraphView view;
            Build(view, {w, w, gap, w, w, w}, vertical, 1, 200);
            FrameRecorder frames;
            view.PaintGroupFrames(frames);
            ASSERT_EQ(frames.frames.size(), 2u);
            const BarGeometry a = view.GetRenderer(0)->GetGeometry(), c = view.GetRenderer(2)->GetGeometry();
            const BarGeometry f = view.GetRenderer(5)->GetGeometry();
            auto axisStart = [&](const RECT& r) { return vertical ? r.top : r.left; };
            auto axisEnd = [&](const RECT& r) { return vertical ? r.bottom : r.right; };
            EXPECT_EQ(axisStart(frames.frames[0]), a.axisPosition - 2);
            EXPECT_EQ(axisEnd(frames.frames[0]), c.axisPosition + c.axisLength + 3);
            EXPECT_EQ(axisStart(frames.frames[1]), view.GetRenderer(3)->GetGeometry().axisPosition - 2);
            EXPECT_EQ(axisEnd(frames.frames[1]), f.axisPosition + f.axisLength + 3);
            EXPECT_EQ(vertical ? frames.frames[0].left : frames.frames[0].top, a.crossPosition - 2);

            auto hit = [&](int along, int across) {
                return vertical ? view.HitTest(across, along) : view.HitTest(along, across);
            };
            EXPECT_EQ(hit(c.axisPosition, c.crossPosition), view.GetRenderer(2));
            EXPECT_EQ(hit(c.axisPosition + c.axisLength - 1, c.crossPosition + c.crossLength - 1), view.GetRenderer(2));
            EXPECT_EQ(hit(c.axisPosition + c.axisLength, c.crossPosition), nullptr); // the gap after it
            EXPECT_EQ(hit(c.axisPosition, c.crossPosition + c.crossLength), nullptr);
        }
    }
}

// Present draws the bars into the back bitmap and shows it at the area's corner.
TEST(BarGraphView, LifecyclePresentLabelsAndBackground)
{
    CBarGraphView view;
    EXPECT_EQ(view.Present(nullptr), 0);
    EXPECT_EQ(view.GetTarget(), nullptr); // before Layout nothing is drawn
    BarGraphViewDesc* d = view.Reset();
    EXPECT_EQ(view.GetState(), BarViewState::Reset);
    d->capacity = 0;
    EXPECT_EQ(view.Configure(*d), -1);
    EXPECT_EQ(view.GetState(), BarViewState::Reset);
    EXPECT_EQ(view.CreateRenderer(BarRendererType::Segment), nullptr);
    d->capacity = 2;
    ASSERT_EQ(view.Configure(*d), 0);
    EXPECT_EQ(view.CreateRenderer(static_cast<BarRendererType>(3)), nullptr);
    EXPECT_EQ(view.CreateRenderer(BarRendererType::Base), nullptr);
    CBarRenderer* bitmap = view.CreateRenderer(BarRendererType::Bitmap);
    CBarRenderer* segment = view.CreateRenderer(BarRendererType::Segment);
    EXPECT_EQ(view.CreateRenderer(BarRendererType::Segment), nullptr); // full
    EXPECT_EQ(view.GetBitmapRenderer(0), bitmap);
    EXPECT_EQ(view.GetSegmentRenderer(0), nullptr);
    EXPECT_EQ(view.GetSegmentRenderer(1), segment);
    EXPECT_EQ(view.GetBitmapRenderer(1), nullptr);
    for (int index : {-1, 2})
        EXPECT_TRUE(!view.GetRenderer(index) && !view.GetSegmentRenderer(index) && !view.GetBitmapRenderer(index));
    EXPECT_FALSE(view.DrawLabel(0, 1, "x")); // no target before Layout

    view.Reset(); // the renderers are gone, and with them every entry
    ASSERT_EQ(view.Configure(*d), 0);
    EXPECT_EQ(view.GetRenderer(0), nullptr);

    {
        CBarGraphView view;
        BarGraphViewDesc* d = view.Reset();
        d->width = 40;
        d->height = 40;
        d->areaLeft = 5;
        d->areaTop = 7;
        d->areaRight = 45;
        d->areaBottom = 47;
        d->labelRowHeight = 14;
        d->labelColor = 0xFFFFFF;
        d->labelShadowColor = 0x0000FF;
        ASSERT_EQ(view.Configure(*d), 0);
        CSegmentBarRenderer* bar = static_cast<CSegmentBarRenderer*>(view.CreateRenderer(BarRendererType::Segment));
        bar->values[0] = 1000;
        view.Layout();
        // The area is 40 wide, the bitmap's (0, 0) is its corner.
        const BarGeometry g = bar->GetGeometry();
        EXPECT_EQ(g.crossLength, 40 - 14 - 6);

        auto count = [](const CBitmapDC& dc, uint32_t color) {
            GdiFlush();
            int n = 0;
            for (int i = 0; i < dc.GetPixelCount(); ++i)
                n += (dc.GetBits()[i] & 0xFFFFFF) == color;
            return n;
        };
        for (int shadow : {1, 0}) {
            view.GetTarget()->Fill(0);
            d->labelShadow = shadow;
            view.Configure(*d); // a new description needs a new set-up
            view.CreateRenderer(BarRendererType::Segment);
            view.Layout();
            EXPECT_TRUE(view.DrawLabel(0, 0, "88"));
            EXPECT_GT(count(*view.GetTarget(), 0xFFFFFF), 0);
            EXPECT_EQ(count(*view.GetTarget(), 0xFF0000) > 0, shadow == 1) << shadow; // the red shadow
        }
        EXPECT_FALSE(view.DrawLabel(0, 1, "x"));
        EXPECT_FALSE(view.DrawLabel(0, 0, nullptr));

        EXPECT_TRUE(view.SaveBackground());
        EXPECT_EQ(view.GetState(), BarViewState::BackgroundSaved);
        CBitmapDC screen;
        screen.Create(60, 60, 32);
        screen.Fill(0x00123456);
        EXPECT_EQ(view.Present(screen.GetDC()), 0);
        const int shown = count(screen, 0x123456);
        EXPECT_EQ(shown, 60 * 60 - 40 * 40); // the area, and only it, is covered
        EXPECT_NE(screen.GetBits()[(7 + 3 + 10) * 60 + 5 + 20] & 0xFFFFFF, 0x123456u);
    }
}
