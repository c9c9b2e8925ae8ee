#include "gui/graphics/CBarGraphView.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

namespace {

// One bar 10 wide and 100 long, without margins, bevels or peak gradient;
// the background and segments 1 and 2 painted in plain colours of their own.
class OneBar {
public:
    explicit OneBar(bool vertical = false)
    {
        BarGraphViewDesc* d = view.Reset();
        d->width = d->height = 100;
        d->areaRight = d->areaBottom = 100;
        d->marginLeft = d->marginTop = d->marginRight = d->marginBottom = 0;
        d->vertical = vertical;
        d->separateBars = 0;
        view.Configure(*d);
        bar = static_cast<CSegmentBarRenderer*>(view.CreateRenderer(BarRendererType::Segment));
        bar->fixedSize = 10;
        for (int& b : bar->bevel)
            b = BevelNone;
        Plain(bar->background, 0x000040);
        Plain(bar->gradients[0], 0x400000);
        Plain(bar->gradients[1], 0x004000);
        bar->peakGradient = -1;
        bar->peakColor = 0x777777;
        view.Layout();
    }

    static void Plain(CColorGradient& g, uint32_t color)
    {
        g.stops[0] = {color, 0};
        g.stopCount = 1;
    }

    // Along the bar's middle line: b background, 1 or 2 a segment, p the peak, ? else.
    std::string Draw()
    {
        view.Present(nullptr);
        std::string s;
        const BarGeometry& g = bar->GetGeometry();
        const int a = g.axisPosition + 5;
        for (int o = 0; o < g.crossLength; ++o) {
            const uint32_t px = g.vertical ? view.GetTarget()->GetBits()[a * 100 + g.crossPosition + o]
                                           : view.GetTarget()->GetBits()[(g.crossPosition + o) * 100 + a];
            s += px == bar->background.GetTable()[o]     ? 'b'
                 : px == bar->gradients[0].GetTable()[o] ? '1'
                 : px == bar->gradients[1].GetTable()[o] ? '2'
                 : px == 0x777777                        ? 'p'
                                                         : '?';
        }
        return s;
    }

    CBarGraphView view;
    CSegmentBarRenderer* bar;
};

std::string Rows(char c, int n)
{
    return std::string(n, c);
}

} // namespace

TEST(SegmentBarRenderer, SegmentsBackgroundAndPeak)
{
    const struct {
        int values[4];
        int peak;
        bool invert, vertical;
        std::string expected;
    } cases[] = {
        {{300, 600, 0, 0}, -1, false, false, Rows('b', 40) + Rows('2', 30) + Rows('1', 30)},
        {{600, 300, 0, 0}, -1, false, false, Rows('b', 40) + Rows('1', 60)}, // 2 below 1 is hidden
        {{1200, -1, -1, -1}, -1, false, false, Rows('1', 100)},
        {{-1, -1, -1, -1}, -1, false, false, Rows('b', 100)},
        {{-1, -1, -1, -1}, 1000, false, false, Rows('p', 2) + Rows('b', 98)}, // width 10 x 0.15 raised to 2
        {{-1, -1, -1, -1}, 0, false, false, Rows('b', 100)},
        {{-1, -1, -1, -1}, 500, false, false, Rows('b', 48) + Rows('p', 2) + Rows('b', 50)},
        // Growing from the start: inverted upright bars and bars lying flat.
        {{300, 600, 0, 0}, -1, true, false, Rows('1', 30) + Rows('2', 30) + Rows('b', 40)},
        {{300, 600, 0, 0},
         500,
         false,
         true,
         Rows('1', 30) + Rows('2', 21) + Rows('p', 2) + Rows('2', 7) + Rows('b', 40)},
        {{-1, -1, -1, -1}, 1000, false, true, Rows('b', 98) + Rows('p', 2)},
        {{300, 600, 0, 0}, -1, true, true, Rows('b', 40) + Rows('2', 30) + Rows('1', 30)},
    };
    for (const auto& c : cases) {
        OneBar one(c.vertical);
        std::copy(c.values, c.values + 4, one.bar->values);
        one.bar->peakValue = c.peak;
        one.bar->invert = c.invert;
        EXPECT_EQ(one.Draw(), c.expected) << c.values[0] << " " << c.values[1] << " peak " << c.peak;
    }
}

TEST(SegmentBarRenderer, DecayFallsAndRisesAtOnce)
{
    OneBar one;
    one.bar->decayStep[0] = 80; // 5 thousandths per draw
    one.bar->values[0] = 1000;
    one.Draw();
    one.bar->values[0] = 0;
    for (int level : {995, 990, 985}) {
        one.Draw();
        EXPECT_EQ(one.bar->GetDisplayedLevel(0), level);
    }
    one.bar->values[0] = 990;
    one.Draw();
    EXPECT_EQ(one.bar->GetDisplayedLevel(0), 990);
}

TEST(SegmentBarRenderer, Bevels)
{
    OneBar one;
    one.bar->values[0] = 1000;
    one.bar->bevel[0] = BevelHalf;
    one.Draw();
    const uint32_t* bits = one.view.GetTarget()->GetBits();
    const uint32_t* table = one.bar->gradients[0].GetTable();
    const int x = one.bar->GetGeometry().axisPosition;
    auto lighten = [](uint32_t p) { return ((p >> 1) & 0x7F7F7F) + 0x808080; };
    auto darken = [](uint32_t p) { return p - ((p >> 2) & 0x3F3F3F) - ((p >> 3) & 0x1F1F1F); };
    EXPECT_EQ(bits[0 * 100 + x + 5], lighten(table[0]));  // first line
    EXPECT_EQ(bits[99 * 100 + x + 5], darken(table[99])); // last line
    EXPECT_EQ(bits[50 * 100 + x], lighten(table[50]));    // left side
    EXPECT_EQ(bits[51 * 100 + x + 9], darken(table[51])); // right side
    EXPECT_EQ(bits[50 * 100 + x + 5], table[50]);

    // A plain colour 0 gets no bevel.
    one.bar->values[0] = -1;
    one.bar->peakColor = 0;
    one.bar->peakValue = 1000;
    one.Draw();
    EXPECT_EQ(bits[0 * 100 + x], 0u);
    EXPECT_EQ(bits[1 * 100 + x + 9], 0u);

    // A bar narrower than 2 pixels gets none on its first three segments.
    one.bar->fixedSize = 1;
    for (int& b : one.bar->bevel)
        b = BevelRounded;
    one.view.Layout();
    EXPECT_EQ(std::vector<int>(one.bar->bevel, one.bar->bevel + 5), std::vector<int>({0, 0, 0, 5, 5}));
}

// A Present into the view's own bitmap draws only the lines that changed since
// the last one: after any run of changes its pixels are those of a full draw.
TEST(SegmentBarRenderer, PresentOverTheLastOneEqualsAFullDraw)
{
    const int widths[] = {1, 2, 5, 9, 14}; // the first too thin for a bevel
    for (bool vertical : {false, true}) {
        CBarGraphView views[2]; // [1] handed out before each Present, so it draws in full
        CSegmentBarRenderer* bars[2][5];
        for (int v = 0; v < 2; ++v) {
            BarGraphViewDesc* d = views[v].Reset();
            d->width = d->height = d->areaRight = d->areaBottom = 90;
            d->vertical = vertical;
            views[v].Configure(*d);
            for (int b = 0; b < 5; ++b) {
                bars[v][b] = static_cast<CSegmentBarRenderer*>(views[v].CreateRenderer(BarRendererType::Segment));
                bars[v][b]->fixedSize = widths[b];
            }
            views[v].Layout();
        }
        const CBitmapDC& over = *views[0].GetTarget(); // handed out once, before the first Present
        std::mt19937 random(7);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
        for (int step = 0; step < 400; ++step) {
            for (int b = 0; b < 5; ++b) {
                CSegmentBarRenderer& model = *bars[0][b];
                int values[4], bevel[5];
                for (int k = 0; k < 4; ++k)
                    values[k] = pick(0, 1) ? model.values[k] + pick(-4, 4) : pick(-100, 1100);
                for (int& s : bevel)
                    s = pick(0, 3) ? model.bevel[&s - bevel] : pick(-1, 6);
                const int peak = pick(0, 3) ? pick(-1, 1000) : model.peakValue;
                const bool alternate = pick(0, 7) == 0, invert = pick(0, 15) == 0, rebuild = pick(0, 31) == 0;
                const int peakGradient = pick(-1, 1), gradient = pick(0, 8), decay = pick(0, 2) * 40;
                const uint32_t stop = uint32_t(pick(0, 0xFFFFFF)), peakColor = pick(0, 1) ? 0 : 0x123456;
                for (CSegmentBarRenderer* bar : {bars[0][b], bars[1][b]}) {
                    std::copy(values, values + 4, bar->values);
                    std::copy(bevel, bevel + 5, bar->bevel);
                    bar->peakValue = peak;
                    bar->useAlternate = alternate;
                    bar->invert ^= invert;
                    bar->peakGradient = peakGradient;
                    bar->peakColor = peakColor;
                    bar->segmentGradient[b % 4] = gradient;
                    bar->decayStep[b % 4] = decay;
                    if (rebuild) {
                        bar->gradients[0].stops[1].color = stop;
                        bar->RebuildGradients();
                    }
                }
            }
            views[0].Present(nullptr);
            views[1].GetTarget();
            views[1].Present(nullptr);
            const CBitmapDC& full = *views[1].GetTarget();
            ASSERT_TRUE(std::equal(over.GetBits(), over.GetBits() + over.GetPixelCount(), full.GetBits()))
                << "vertical " << vertical << " step " << step;
        }
    }
}

// A bar reaching far past its surface draws the part on it at once: visiting
// every column of it took seconds a draw, these twelve past the test's time limit.
TEST(SegmentBarRenderer, AHugeBarDrawsOnlyItsPartOnTheSurface)
{
    CBitmapDC surface;
    surface.Create(20, 40, 32);
    surface.Fill(0);
    CSegmentBarRenderer bar;
    bar.SetGeometry({INT_MIN / 2, INT_MAX, 30, 5, false, 0, nullptr});
    bar.OnLayout();
    bar.values[0] = 500;
    for (int draw = 0; draw < 12; ++draw)
        bar.Draw(surface);
    EXPECT_NE(surface.GetBits()[30 * 20 + 3], 0u); // segment 1 on line 25 of the bar
}
