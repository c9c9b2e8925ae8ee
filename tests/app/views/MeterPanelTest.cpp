#include "analysis/CLoudnessMeter.h"
#include "app/views/CMeterPanel.h"
#include "controls/ControlTestSupport.h"
#include "gui/controls/ControlCommand.h"
#include "gui/graphics/CBitmapBarRenderer.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include "tests/app/FakeController.h"
#include "tests/common/FakeTicks.h"
#include <gtest/gtest.h>
#include <atomic>
#include <climits>
#include <cmath>
#include <thread>
#include <vector>

namespace {

using Ints = std::vector<int>;
const MeterDisplayDesc kDesc = {true, true, 1.0f, 54, {120, 260, 380, 520, 560, 620}};

// Counts the records a read passes over and checks every copy is whole:
// both channels always carry the same signal.
struct CheckedMeter : CLoudnessMeter {
    void OnHistoryRecord(const LoudnessReading* record, LoudnessReading*) override
    {
        passed.push_back(int(record - GetHistoryRecord(0)));
    }
    void OnReadingsRead(LoudnessReading* c) override
    {
        bool same = c->peakA[1] == c->peakA[2] && c->peakB[1] == c->peakB[2] && c->clipLamp[1] == c->clipLamp[2];
        for (int w = 0; w < LoudnessReading::kRows; ++w)
            same = same && c->level[w][1] == c->level[w][2];
        torn += !same;
    }
    std::vector<int> passed;
    std::atomic<int> torn{0};
};

// Blocks whose level changes every time, the same on both channels.
void Feed(CLoudnessMeter& meter, int blocks, int first = 0)
{
    std::vector<int32_t> block(48);
    const int32_t* channels[2] = {block.data(), block.data()};
    for (int b = first; b < first + blocks; ++b) {
        for (size_t i = 0; i < block.size(); ++i)
            block[i] = int32_t((1000 + b * 37 % 30000) * std::sin(double(i) * 0.4));
        meter.Process(channels, 2, int(block.size()));
    }
}

// Counts the records that reach it.
struct CountingListener : CListener {
    int OnNotify(void* record) override
    {
        ++records;
        return 0;
    }
    int records = 0;
};

TEST(MeterDisplay, BarsPeaksBlinkAndReferenceRamps)
{
    FakeTicks ticks(0);
    CMeterDisplay d;
    d.Setup(&kDesc);
    d.SetTickSource(&ticks);
    CSegmentBarRenderer bar;
    LoudnessReading r = {};
    const int bars[][2] = {{-14400, -1679}, {0, 987}, {-2400, 542}};
    for (const auto& b : bars) {
        r.level[0][0] = int16_t(b[0]);
        d.UpdateMeter(&bar, &r, 7, -1); // a window outside the reading's reads the first
        EXPECT_EQ(bar.values[0], b[1]) << b[0];
    }
    r.peakA[2] = 500;
    d.UpdateMeter(&bar, &r, 0, 1);
    EXPECT_EQ(bar.peakValue, 1000);
    d.UpdateMeter(&bar, &r, 0, 8); // no such channel: nothing changes
    EXPECT_EQ(bar.peakValue + bar.bevel[1], 1000);

    const uint32_t* ramp = d.GetLevelRamp().GetTable();
    EXPECT_EQ(std::vector<uint32_t>({d.ColourForLevel(-60), d.ColourForLevel(0), d.ColourForLevel(NAN)}),
              std::vector<uint32_t>({ramp[0], ramp[99], ramp[0]}));
    r.clipLamp[0] = 1;
    const uint32_t blink[][2] = {{0, 0xFFFFFF}, {79, 0xFFFFFF}, {80, 0xFF0000}, {159, 0xFF0000}, {160, 0xFFFFFF}};
    for (const auto& b : blink) {
        ticks.now = b[0];
        d.UpdateMeter(&bar, &r, 0, -1);
        EXPECT_EQ(bar.peakColor, b[1]) << b[0];
    }

    // The reference ramp at -24 dB: base 62, the pale mark at base + 476..484.
    d.SetReference(&bar, -24.0f);
    const CColorGradient& g = bar.gradients[0];
    CColorGradient plain;
    d.FillReferenceStops(plain, 1.0f, 0, ReferenceMark::Without);
    EXPECT_EQ(std::vector<int>({g.stopCount, g.stops[0].position, g.stops[5].position, g.stops[6].position,
                                int(g.stops[5].color), bar.gradients[1].stopCount, bar.peakGradient, plain.stopCount}),
              std::vector<int>({12, 62, 538, 546, 0xFFFFC0, 6, -1, 8}));
    bar.gradients[0].stops[0].color = 1; // a rebuild would write it again
    d.SetReference(&bar, -24.0f);
    EXPECT_EQ(bar.gradients[0].stops[0].color, 1u);
    d.SetReference(&bar, -23.0f);
    EXPECT_EQ(bar.gradients[0].stops[0].position, 81);
    // Wild levels saturate the key and every position.
    const float wild[] = {1e30f, -1e30f, NAN};
    const int mark[] = {INT_MAX, INT_MIN + 485, 485}; // the base saturates, then the offset
    for (int i = 0; i < 3; ++i) {
        d.SetReference(&bar, wild[i]);
        EXPECT_EQ(bar.gradients[1].stops[4].position, mark[i]) << wild[i];
    }
}

TEST(MeterPanel, LayoutFollowsTheControlSize)
{
    CSkinRenderer skin;
    skin.Load(nullptr);
    ContainerHost host(1200, 500, &skin);
    FakeController controller;
    CMeterPanel panel;
    panel.SetController(&controller);
    CountingListener window;
    CMeterViewControl& control = panel.GetMeterControl();
    MeterViewCreateParams p;
    p.place.x = p.place.y = 10;
    p.place.width = 784;
    p.place.height = 60;
    p.place.container = &host.container;
    panel.CreateControl(p, &window);
    // Width, height, channel mode; then horizontal, scale, font slot, thickness, text offset, bars.
    const int sizes[][10] = {{784, 60, 1, 1, 1, 6, 15, 10, 3},  {200, 60, 0, 1, 1, 5, 14, 8, 2},
                             {40, 300, 1, 0, 0, 0, 0, 0, 2},    {103, 460, 0, 0, 1, 7, 35, 14, 2},
                             {1000, 80, 0, 1, 1, 7, 23, 14, 2}, {150, 20, 1, 1, 0, 0, 0, 0, 2}};
    for (const auto& s : sizes) {
        controller.settings.iItuChannelMode = s[2];
        RECT place = {10, 10, 10 + s[0], 10 + s[1]};
        control.OnEvent(nullptr, EventSource::Request, ControlCommand::Place, 0, int(intptr_t(&place)), nullptr);
        control.OnEvent(nullptr, EventSource::Request, ControlCommand::Rebuild, 0, 0, nullptr);
        CBarGraphView& view = control.GetView();
        EXPECT_EQ(Ints({panel.IsHorizontal(), panel.ShowsScale(), view.GetRendererCount(), panel.GetFirstMeterBar()}),
                  Ints({s[3], s[4], s[4] + 2 - (s[2] == 0), s[4]}))
            << s[0] << "x" << s[1];
        if (const CBitmapBarRenderer* scale = view.GetBitmapRenderer(0)) {
            EXPECT_EQ(scale->labelFont, skin.GetFont(s[5], 0)->GetHandle()) << s[0] << "x" << s[1];
            EXPECT_EQ(scale->fixedSize * 100 + scale->labelOffset, s[6] * 100 + s[7]) << s[0] << "x" << s[1];
        }
    }
    panel.OnMeterNotify(nullptr);
    EXPECT_EQ(window.records, 0) << "the phases stay with the panel";
    ControlNotification context;
    context.kind = CMeterViewControl::kContextKind;
    context.code = NotifyCode::RightUp;
    context.sender = &control;
    panel.OnNotify(&context);
    EXPECT_EQ(window.records, 1) << "the context request goes on";
}

TEST(MeterPanel, RefreshPassesTheLast200RecordsAndNeverShowsATornReading)
{
    FakeController controller;
    CheckedMeter meter;
    ASSERT_TRUE(meter.Configure(LoudnessConfig()));
    CMeterPanel panel;
    CBarGraphView view;
    view.Configure(*view.Reset());
    MeterViewPhase create = {MeterPhase::Renderers, 0, 0, 300, 40, &view, nullptr, nullptr, 0};
    panel.OnMeterNotify(&create); // no controller yet: the scale only, no bars
    EXPECT_EQ(view.GetRendererCount(), 0);
    panel.SetController(&controller);
    panel.OnMeterNotify(&create);
    CSegmentBarRenderer* left = view.GetSegmentRenderer(0);
    CSegmentBarRenderer* right = view.GetSegmentRenderer(1);
    ASSERT_TRUE(left && right);
    MeterViewPhase refresh = create;
    refresh.phase = MeterPhase::Values;
    Feed(meter, 5);
    panel.OnMeterNotify(&refresh); // no meter: nothing read
    EXPECT_EQ(left->values[0] + meter.GetReaderPos(), 100);
    panel.SetLoudnessMeter(&meter);
    controller.settings.iItuTimeConstant = 7; // read as the 3 s window; the setting stays
    panel.OnMeterNotify(&refresh);
    EXPECT_EQ(Ints({meter.GetReaderPos(), left->values[0] < 1000, controller.settings.iItuTimeConstant}),
              Ints({3, 1, 7}));
    meter.passed.clear();
    Feed(meter, 300, 5);
    panel.OnMeterNotify(&refresh);
    ASSERT_EQ(meter.passed.size(), 200u);
    EXPECT_EQ(Ints({meter.passed.front(), meter.passed.back()}), Ints({303 - 200, 302}));

    std::atomic<bool> done{false};
    std::thread writer([&] {
        Feed(meter, 10000, 305);
        done = true;
    });
    int refreshes = 0, differing = 0;
    while (!done) {
        panel.OnMeterNotify(&refresh);
        differing += left->values[0] != right->values[0] || left->peakValue != right->peakValue;
        ++refreshes;
    }
    writer.join();
    EXPECT_GT(refreshes, 10);
    EXPECT_EQ(differing + meter.torn, 0);
}

} // namespace
