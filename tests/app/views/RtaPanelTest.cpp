#include "app/views/CRtaPanel.h"
#include "tests/app/RtaTestSupport.h"
#include "gui/graphics/CBitmapBarRenderer.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include "tests/common/FakeTicks.h"
#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace {

const int kRate = 48000;
const int kHop = 1024;            // samples per engine result
const uint32_t kPaper = 0x123456; // the bitmap under the panel

RtaPanelConfig PaneConfig(int width, int height, CBitmapDC* background = nullptr)
{
    RtaPanelConfig c = CRtaPanel().GetConfig();
    c.right = width;
    c.bottom = height;
    c.resolution = 0;
    c.background = background;
    return c;
}

// A -6 dB 1 kHz sine from sample start on, so that blocks join without a step.
std::vector<int32_t> Sine(int count, int start)
{
    std::vector<int32_t> s(count);
    for (int i = 0; i < count; ++i)
        s[i] = int32_t(16384.0 * std::sin(2 * 3.14159265358979 * 1000.0 * (start + i) / kRate));
    return s;
}

std::string Font(HFONT font)
{
    LOGFONTA f = {};
    GetObjectA(font, sizeof f, &f);
    return std::string(f.lfFaceName) + " " + std::to_string(f.lfHeight);
}

std::string Stops(const CColorGradient& g)
{
    std::string s;
    char stop[24];
    for (int i = 0; i < g.stopCount; ++i) {
        snprintf(stop, sizeof stop, "%06X@%i ", g.stops[i].color, g.stops[i].position);
        s += stop;
    }
    return s;
}

// Any ink in the label strip within two pixels of a band bar's centre.
bool LabelUnder(CBarGraphView& view, int band)
{
    const BarGeometry& g = view.GetRenderer(band + 1)->GetGeometry();
    const CBitmapDC& dc = *view.GetTarget();
    const int centre = g.axisPosition + g.axisLength / 2, top = g.crossPosition + g.crossLength;
    for (int y = top; y < top + view.GetDescription().labelRowHeight; ++y)
        for (int x = centre - 2; x <= centre + 2; ++x)
            if ((dc.GetBits()[y * dc.GetWidth() + x] & 0xFFFFFF) != kPaper)
                return true;
    return false;
}

TEST(RtaPanel, BarsLabelStepsTargetRampsAndBounds)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float levels[][2] = {{-33, 501}, {-42, 365}, {0, 1000}, {12, 1000}, {-66.23f, 0}, {nan, 0}};
    for (const auto& c : levels)
        EXPECT_EQ(CRtaPanel::BarHeight(c[0]), int(c[1])) << c[0];
    const int steps[][3] = {{0, 400, 3}, {0, 401, 2},  {0, 800, 2},  {0, 801, 1},  {1, 600, 6},
                            {1, 601, 3}, {1, 1200, 3}, {1, 1201, 2}, {1, 1500, 2}, {1, 1501, 1}};
    for (const auto& c : steps)
        EXPECT_EQ(CRtaPanel::LabelStep(c[0], c[1]), c[2]) << c[0] << " " << c[1];

    CRtaPanel panel;
    const int averages[][2] = {{0, 1}, {25, 25}, {5000, 1000}};
    for (const auto& a : averages) {
        panel.SetAverages(a[0]);
        EXPECT_EQ(panel.GetAverages(), a[1]);
    }
    panel.Configure(7, kRate);
    EXPECT_EQ(panel.GetResolution(), 1);

    CSegmentBarRenderer bar;
    panel.SetTargetWindow(-43.5f, -40.5f);
    panel.ColourBandBar(&bar);
    EXPECT_EQ(Stops(bar.gradients[0]), "CCA600@0 DEB300@340 EED97F@340 EED97F@386 DEB300@386 FFCA00@1000 ");
    EXPECT_EQ(Stops(bar.background), "200000@0 2B0000@340 560000@340 560000@386 2B0000@386 400000@1000 ");
    EXPECT_EQ(Stops(bar.alternateGradients[0]), "FF0000@0 FF4040@1000 ");
    EXPECT_EQ(bar.sizeWeight + bar.fillFactor, 200);
    // The window shows while its top is above the bar's floor; wild levels saturate.
    const float targets[][2] = {{-67, 6}, {-68, 2}, {1e9f, 6}, {-1e9f, 2}};
    for (const auto& t : targets) {
        panel.SetTargetWindow(t[0] - 1.5f, t[0] + 1.5f);
        panel.ColourBandBar(&bar);
        EXPECT_EQ(bar.gradients[0].stopCount + bar.background.stopCount, 2 * int(t[1])) << t[0];
    }
    panel.ColourBandBar(nullptr);
    panel.Feed(nullptr, kHop); // not started: no ring, nothing kept
    panel.Draw(nullptr);
    EXPECT_EQ(panel.GetQueuedSamples() + panel.GetResultCount(), 0);
}

TEST(RtaPanel, ResizeBuildsBothViews)
{
    CBitmapDC under;
    under.Create(900, 400, 32);
    under.Fill(kPaper);
    CRtaPanel panel;
    ASSERT_EQ(panel.Start(PaneConfig(0, 0, &under)), 0); // no area yet: the views wait
    EXPECT_EQ(panel.Start(PaneConfig(0, 0, &under)), 1);
    EXPECT_EQ(panel.GetView(0).GetState(), BarViewState::Constructed);

    panel.Resize(nullptr, {0, 0, 784, 296});
    for (int resolution = 0; resolution < 2; ++resolution) {
        CBarGraphView& view = panel.GetView(resolution);
        const BarGraphViewDesc& d = view.GetDescription();
        EXPECT_EQ(std::vector<int>({d.width, d.height, d.labelRowHeight, int(d.labelBackground)}),
                  std::vector<int>({834, 346, 12, 0x0FFFFF}));
        EXPECT_EQ(Font(d.labelFont), "Tahoma 12");
        EXPECT_EQ(view.GetRendererCount(), resolution ? 64 : 32);
        const CBitmapBarRenderer* scale = view.GetBitmapRenderer(0);
        EXPECT_EQ(scale->fixedSize, 20);
        EXPECT_EQ(scale->scaleEnd + scale->scaleStep, -54.0f);
        EXPECT_LT(scale->lowestLabel, -60.0f);
        for (int k = 1; k + 1 < view.GetRendererCount(); ++k) { // one-pixel gaps at 31 bars only
            const BarGeometry& a = view.GetRenderer(k)->GetGeometry();
            EXPECT_EQ(view.GetRenderer(k + 1)->GetGeometry().axisPosition - a.axisPosition - a.axisLength,
                      1 - resolution);
        }
        EXPECT_EQ(view.GetTarget()->GetBits()[0] & 0xFFFFFF, kPaper);
    }
    // A new target recolours every bar of both views, none shown yet.
    panel.SetTargetWindow(-1.5f, 1.5f);
    for (int resolution = 0; resolution < 2; ++resolution) {
        CBarGraphView& view = panel.GetView(resolution);
        for (int k = 1; k < view.GetRendererCount(); ++k)
            EXPECT_EQ(view.GetSegmentRenderer(k)->gradients[0].stops[1].position, 977) << resolution << " " << k;
    }
    CBarGraphView& third = panel.GetView(0);
    EXPECT_EQ(LabelUnder(third, 0) + 2 * LabelUnder(third, 1) + 4 * LabelUnder(third, 2), 1 + 4);
    panel.Resize(nullptr, {0, 0, 801, 296});
    EXPECT_TRUE(LabelUnder(third, 1));

    panel.Resize(nullptr, {0, 0, 300, 84});
    EXPECT_EQ(third.GetDescription().labelRowHeight, 8);
    EXPECT_EQ(Font(third.GetDescription().labelFont), "Small Fonts 9");
    EXPECT_EQ(third.GetBitmapRenderer(0)->fixedSize, 15);
    EXPECT_EQ(third.GetBitmapRenderer(0)->lowestLabel, -50.0f); // no "-60"
    const RECT empty[] = {{0, 0, 0, 296}, {0, 0, 784, 0}, {50, 50, 10, 300}};
    for (const RECT& r : empty) {
        panel.Resize(nullptr, r);
        EXPECT_EQ(third.GetDescription().width, 350);
    }
}

// The worker end to end: a sine from a capture-like thread, the bars it gives,
// the clip lamp on the clock seam and blocks that do not fit.
TEST(RtaPanel, FeedDrawAndClipLamp)
{
    FakeTicks ticks(100000);
    CRtaPanel panel;
    panel.SetTickSource(&ticks);
    const int width = 784, height = 296;
    ASSERT_EQ(panel.Start(PaneConfig(width, height)), 0);
    CBitmapDC screen;
    screen.Create(width, height, 32);
    screen.Fill(kPaper);
    panel.Draw(screen.GetDC());
    EXPECT_EQ(screen.GetBits()[width * height / 2], kPaper); // nothing before the first result

    const int blocks = 16, blockSize = 960, fed = blocks * blockSize;
    const std::vector<int32_t> sine = Sine(fed, 0);
    std::thread([&] {
        for (int b = 0; b < blocks; ++b)
            panel.Feed(&sine[b * blockSize], blockSize);
    }).join();
    ASSERT_TRUE(WaitForResults(panel, fed / kHop));
    CRtaEngine reference;
    ASSERT_TRUE(reference.Setup(0, kRate, 1));
    for (int i = 0; i < fed; i += CRtaPanel::kBlockSamples)
        reference.PushSamples(&sine[i], CRtaPanel::kBlockSamples);
    float levels[CRtaEngine::kMaxBands];
    ASSERT_TRUE(reference.FetchBands(levels));

    const std::vector<int> bars = ThirdOctaveBars(panel, screen.GetDC());
    for (size_t k = 0; k < bars.size(); ++k)
        EXPECT_EQ(bars[k], CRtaPanel::BarHeight(levels[k])) << k;
    EXPECT_EQ(LoudestThirdOctaveBand(bars), "1.0k");
    const int tallest = int(std::max_element(bars.begin(), bars.end()) - bars.begin());
    CBarGraphView& view = panel.GetView(0);

    // Inside the tallest bar, away from its bevelled edges: amber, or red while clipping.
    const CSegmentBarRenderer* bar = view.GetSegmentRenderer(tallest + 1);
    const BarGeometry& g = bar->GetGeometry();
    const int y = g.crossPosition + (bar->ValueToPixel(bar->GetDisplayedLevel(0)) + g.crossLength) / 2;
    auto green = [&] { return int(screen.GetBits()[y * width + g.axisPosition + g.axisLength / 2] >> 8 & 0xFF); };
    EXPECT_GT(green(), 0x50);

    const int32_t clipCases[][2] = {{32766, 0}, {-32767, 0}, {32767, 1}, {-32768, 1}};
    int results = panel.GetResultCount(), next = fed;
    for (const auto& c : clipCases) {
        const uint32_t feedTime = ticks.now += 1000;
        std::vector<int32_t> block = Sine(kHop, next);
        next += kHop;
        block[300] = c[0];
        panel.Feed(block.data(), kHop);
        ASSERT_TRUE(WaitForResults(panel, ++results));
        ticks.now = feedTime + 49;
        panel.Draw(screen.GetDC());
        EXPECT_EQ(green() <= 0x40, c[1] != 0) << c[0];
        ticks.now = feedTime + 50;
        panel.Draw(screen.GetDC());
        EXPECT_GT(green(), 0x50) << c[0];
    }

    // A block larger than the free space is dropped whole; the next one still goes in.
    std::vector<int32_t> huge(CRtaPanel::kFifoBytes / 4 + 1);
    panel.Feed(huge.data(), int(huge.size()));
    panel.Feed(huge.data(), INT_MAX);
    EXPECT_EQ(panel.GetQueuedSamples(), 0);
    panel.Feed(Sine(kHop, next).data(), kHop);
    ASSERT_TRUE(WaitForResults(panel, ++results));
    panel.SetTargetWindow(-1.5f, 1.5f);                  // recolours the bars on show
    EXPECT_EQ(bar->gradients[0].stops[1].position, 977); // 1000 - 1.5 dB x 1000 / 66
}

} // namespace
