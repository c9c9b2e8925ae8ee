// Cost of a window's skin: the load (48 decodes, 13 scaled copies, 17 fonts)
// and one button drawn at a typical size.
#include "bench/BenchClock.h"
#include "gui/skin/CSkinRenderer.h"
#include <cstdio>

namespace {

const double kSeconds = 1.0; // long enough to steady each figure
const int kButtonWidth = 181, kButtonHeight = 40;
const int kOpaque = 256;

void BenchLoad()
{
    long long loads = 0;
    const double t0 = BenchNow();
    double t = 0;
    do {
        CSkinRenderer renderer;
        renderer.Load(nullptr);
        ++loads;
        t = BenchNow() - t0;
    } while (t < kSeconds);
    std::printf("gui.skin_load.ms: %.2f\n", t * 1e3 / double(loads));
}

void BenchButton()
{
    CSkinRenderer renderer;
    renderer.Load(nullptr);
    CBitmapDC target;
    target.Create(kButtonWidth, kButtonHeight, 32);
    CTextBuffer text;
    text.text = "Button";
    text.width = kButtonWidth;
    text.height = kButtonHeight;
    text.font = renderer.GetFont(1, kButtonHeight);
    SkinDrawRequest request = {};
    request.target = &target;
    request.kind = kSkinButton;
    request.level = kOpaque;
    request.textRecord = &text;
    long long draws = 0;
    const double t0 = BenchNow();
    double t = 0;
    do {
        renderer.DrawElement(request);
        ++draws;
        t = BenchNow() - t0;
    } while (t < kSeconds);
    std::printf("gui.draw_button.us: %.1f\n", t * 1e6 / double(draws));
}

} // namespace

int main()
{
    BenchLoad();
    BenchButton();
    return 0;
}
