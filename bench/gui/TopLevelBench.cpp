// Cost of a top-level window: creating it with its skin, and painting its
// frame (sheen, frame, caption band, region) at three sizes.
#include "bench/BenchClock.h"
#include "bench/BenchMedian.h"
#include "gui/window/CTopLevelWindow.h"
#include <cstdio>

namespace {

const double kSeconds = 0.5; // per run: long enough to steady each figure

TopLevelWindowParams Params()
{
    TopLevelWindowParams params;
    params.native.noActivate = 1;
    params.native.x = 200;
    params.native.y = 200;
    params.native.width = 800;
    params.native.height = 400;
    params.caption = "Quillmere RTA";
    return params;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

double CreateMs()
{
    long long count = 0;
    const double t0 = BenchNow();
    double t = 0;
    do {
        CTopLevelWindow window;
        window.Create(Params());
        window.Destroy();
        PumpMessages();
        ++count;
        t = BenchNow() - t0;
    } while (t < kSeconds);
    return t * 1e3 / double(count);
}

double FrameMs(CTopLevelWindow& window, int width, int height)
{
    CControlContainer& container = window.GetContainer();
    container.Resize(0, 0, width, height);
    long long count = 0;
    const double t0 = BenchNow();
    double t = 0;
    do {
        window.RenderFrame(&container);
        ++count;
        t = BenchNow() - t0;
    } while (t < kSeconds);
    return t * 1e3 / double(count);
}

} // namespace

int main()
{
    std::printf("gui.create.ms: %.2f\n", MedianOfRuns(CreateMs));
    CTopLevelWindow window;
    window.Create(Params());
    const struct {
        int width, height;
    } sizes[] = {{800, 400}, {1920, 1080}, {3840, 1920}};
    for (const auto& s : sizes)
        std::printf("gui.frame.%dx%d.ms: %.2f\n", s.width, s.height,
                    MedianOfRuns([&] { return FrameMs(window, s.width, s.height); }));
    return 0;
}
