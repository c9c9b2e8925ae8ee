// The drawing work of one 20 ms timer tick: the loudness meter, the RTA at 63
// bands and the two oscilloscopes, at the pane sizes of an 800 x 400 window
// and of a 1920 x 1080 one. Audio reaches the engines between ticks, outside
// the timed part, as the capture thread would deliver it.
#include "analysis/CLoudnessMeter.h"
#include "analysis/CScopeSignalPath.h"
#include "app/AnalyserSettings.h"
#include "app/CAppController.h"
#include "app/views/CMeterPanel.h"
#include "app/views/CRtaPanel.h"
#include "app/views/CScopeDisplay.h"
#include "app/views/ScopeFeed.h"
#include "bench/BenchClock.h"
#include "bench/BenchMedian.h"
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const int kRate = 48000;
const int kTickSamples = 960; // 20 ms
const int kTicks = 100;       // per run
const int kScopeGain = 3700;
const double kPi = 3.14159265358979;

struct Controller : CAppController {
    Controller() { LoadDefaults(&settings); }
    bool OpenAudioInterface() override { return true; }
    bool IsAudioJobRunning() override { return false; }
    void GetStatusText(std::string&) override {}
    void SetDefaultStatusText() override {}
    void SetStatusText(const char*) override {}
    void OpenWebSite() override {}
    double GetItuRefLevel() override { return settings.iItuRefLevel; }
    CAudioInterface* GetDeviceListInterface() override { return nullptr; }
    AnalyserSettings* GetSettings() override { return &settings; }
    void ApplySettings() override {}
    AnalyserSettings settings;
};

// Programme-like audio: two tones that beat, so traces and levels move.
void Audio(std::vector<int32_t>& block, int tick)
{
    for (size_t i = 0; i < block.size(); ++i) {
        const double t = double(tick * kTickSamples + int(i)) / kRate;
        block[i] = int32_t(9000 * std::sin(2 * kPi * 220 * t) + 6000 * std::sin(2 * kPi * 1330 * t));
    }
}

struct Scene {
    Scene(int meterWidth, int meterHeight, int paneWidth, int paneHeight) : audio(kTickSamples), paneWidth(paneWidth)
    {
        loudness.Configure(LoudnessConfig());
        meter.SetController(&controller);
        meter.SetLoudnessMeter(&loudness);
        BarGraphViewDesc desc = *meterView.Reset();
        desc.width = desc.areaRight = meterWidth;
        desc.height = desc.areaBottom = meterHeight;
        phase = {MeterPhase::Describe, 0, 0, meterWidth, meterHeight, &meterView, &desc, nullptr, 0};
        meter.OnMeterNotify(&phase);
        meterView.Configure(desc);
        phase.phase = MeterPhase::Renderers;
        meter.OnMeterNotify(&phase);
        meterView.Layout();
        meterView.SaveBackground();
        meterBitmap.Create(meterWidth, meterHeight, 32);
        phase.phase = MeterPhase::Values;
        phase.desc = nullptr; // the description was the set-up's

        RtaPanelConfig config = rta.GetConfig();
        config.right = paneWidth;
        config.bottom = paneHeight;
        config.resolution = 1;
        rta.Start(config);
        for (int tick = 0; rta.GetResultCount() == 0 && tick < 1000; ++tick) {
            Audio(audio, tick);
            rta.Feed(audio.data(), kTickSamples);
            Sleep(1); // the worker makes the first result; not timed
        }
        for (int k = 0; k < 2; ++k) {
            paths[k].SetTuning(8500, 3584, 2048, 750);
            paths[k].Setup(8192, 65536);
            paths[k].SetDisplayParams(300, 46, 1500);
            SizeScopeDisplay(displays[k], 0, 0, paneWidth, paneHeight);
            panes[k].Create(paneWidth, paneHeight, 32);
        }
        rtaPane.Create(paneWidth, paneHeight, 32);
    }

    void Deliver(int tick)
    {
        Audio(audio, tick);
        const int32_t* channels[2] = {audio.data(), audio.data()};
        loudness.Process(channels, 2, kTickSamples);
        for (CScopeSignalPath& p : paths)
            p.Input(audio.data(), kTickSamples, kScopeGain, 0);
    }

    void Draw()
    {
        meter.OnMeterNotify(&phase);
        meterView.DrawInto(meterBitmap);
        rta.Draw(rtaPane.GetDC());
        FeedScopePair({{&paths[0], &paths[1]}, {&displays[0], &displays[1]}}, paneWidth,
                      controller.settings.fScopeLines_dB);
        displays[0].Render(panes[0]);
        displays[1].Render(panes[1]);
    }

    // Microseconds per tick over one run.
    double Run()
    {
        double drawing = 0;
        for (int tick = 0; tick < kTicks; ++tick) {
            Deliver(tick);
            const double t0 = BenchNow();
            Draw();
            drawing += BenchNow() - t0;
        }
        return drawing * 1e6 / kTicks;
    }

    std::vector<int32_t> audio;
    int paneWidth;
    Controller controller;
    CLoudnessMeter loudness;
    CMeterPanel meter;
    CBarGraphView meterView;
    CBitmapDC meterBitmap;
    MeterViewPhase phase;
    CRtaPanel rta;
    CBitmapDC rtaPane;
    CScopeSignalPath paths[2];
    CScopeDisplay displays[2];
    CBitmapDC panes[2];
};

void BenchTick(const char* key, int meterWidth, int meterHeight, int paneWidth, int paneHeight)
{
    Scene scene(meterWidth, meterHeight, paneWidth, paneHeight);
    std::printf("%s: %.1f\n", key, MedianOfRuns([&] { return scene.Run(); }));
}

} // namespace

int main()
{
    BenchTick("app.tick.800x400.us", 784, 60, 784, 296);
    BenchTick("app.tick.1920x1080.us", 1904, 95, 1904, 941);
    return 0;
}
