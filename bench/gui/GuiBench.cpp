// Drawing cost of the toolkit's bar views: an RTA-sized row of 63 segment bars
// with decay and peak marks, drawn into an 800 x 300 surface.
#include "bench/BenchClock.h"
#include "bench/BenchMedian.h"
#include "gui/graphics/CBarGraphView.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include <cstdio>

namespace {

const int kBars = 63; // 1/6-octave bands
const int kWidth = 800, kHeight = 300;
const int kDecayStep = 80;   // 5 thousandths per frame
const double kSeconds = 0.3; // per run: long enough to steady the figure

// A level per bar and frame that moves like a programme signal: every bar
// changes, some rise and some fall under their decay.
int Level(int bar, int frame)
{
    return (bar * 37 + frame * 53) % 1000;
}

void BenchBars()
{
    CBarGraphView view;
    BarGraphViewDesc* d = view.Reset();
    d->width = kWidth;
    d->height = kHeight;
    d->areaRight = kWidth;
    d->areaBottom = kHeight;
    d->capacity = kBars;
    view.Configure(*d);
    for (int i = 0; i < kBars; ++i) {
        CSegmentBarRenderer* bar = static_cast<CSegmentBarRenderer*>(view.CreateRenderer(BarRendererType::Segment));
        bar->decayStep[0] = bar->decayStep[1] = kDecayStep;
    }
    view.Layout();
    view.SaveBackground();

    long long frames = 0;
    const auto run = [&] {
        const long long first = frames;
        const double t0 = BenchNow();
        double t = 0;
        do {
            for (int i = 0; i < kBars; ++i) {
                CSegmentBarRenderer* bar = view.GetSegmentRenderer(i);
                bar->values[0] = Level(i, int(frames));
                bar->values[1] = bar->values[0] - 300; // the part above a threshold
                bar->peakValue = Level(i, int(frames / 16) * 16) + 20;
            }
            view.Present(nullptr);
            ++frames;
            t = BenchNow() - t0;
        } while (t < kSeconds);
        return t * 1e6 / double(frames - first);
    };
    std::printf("gui.bars63.us_per_frame: %.1f\n", MedianOfRuns(run));
}

} // namespace

int main()
{
    BenchBars();
    return 0;
}
