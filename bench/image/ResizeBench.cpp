// Resize throughput of a 1024 x 1024 four-channel 8-bit image per method, factor and variant,
// in megapixels of source per second.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/BenchClock.h"
#include "bench/BenchMedian.h"
#include "image/resize/ResizeVariants.h"

namespace {

struct Variant {
    const char* name;
    decltype(&dsp::generic::dspiResizeCore) core;
    decltype(&dsp::generic::dspiResizeSuper) super;
};

const Variant kVariants[] = {
    {"generic", &dsp::generic::dspiResizeCore, &dsp::generic::dspiResizeSuper},
    {"sse", &dsp::sse::dspiResizeCore, &dsp::sse::dspiResizeSuper},
    {"sse2", &dsp::sse2::dspiResizeCore, &dsp::sse2::dspiResizeSuper},
    {"sse3", &dsp::sse3::dspiResizeCore, &dsp::sse3::dspiResizeSuper},
};

struct Method {
    const char* name;
    int interpolation;
};

const Method kMethods[] = {{"nearest", InterpNearest},
                           {"linear", InterpLinear},
                           {"cubic", InterpCubic},
                           {"lanczos", InterpLanczos},
                           {"super", InterpSuper}};

const int kSide = 1024;

LibStatus Resize(const Variant& v, const Method& m, const std::vector<unsigned char>& src,
                 std::vector<unsigned char>& dst, double factor)
{
    ImageSize size = {kSide, kSide};
    ImageRect roi = {0, 0, kSide, kSide};
    int out = static_cast<int>(kSide * factor + 1e-7);
    if (m.interpolation == InterpSuper) {
        return v.super(src.data(), size, kSide * 4, roi, dst.data(), out * 4, {out, out}, factor, factor, 4, 4, 0, 0);
    }
    return v.core(src.data(), size, kSide * 4, roi, dst.data(), out * 4, {out, out}, factor, factor, 0.0, 0.0, 4, 4, 0,
                  0, m.interpolation, 1);
}

// One figure and its runs so far.
struct Figure {
    const Variant* variant;
    const Method* method;
    double factor;
    bool ok;
    std::vector<double> rates;
};

// One run of a figure: megapixels of source per second over about 40 ms, after one untimed call
// (the first call after other figures finds the caches holding their data).
void Run(Figure& f, const std::vector<unsigned char>& src, std::vector<unsigned char>& dst)
{
    const double kRunSeconds = 0.04;
    f.ok = f.ok && Resize(*f.variant, *f.method, src, dst, f.factor) == StatusOk;
    int reps = 0;
    const double start = BenchNow();
    double elapsed = 0.0;
    do {
        f.ok = f.ok && Resize(*f.variant, *f.method, src, dst, f.factor) == StatusOk;
        ++reps;
        elapsed = BenchNow() - start;
    } while (elapsed < kRunSeconds);
    f.rates.push_back(static_cast<double>(kSide) * kSide * reps / elapsed / 1e6);
}

} // namespace

// Each figure is the median of kBenchRuns runs, taken in rounds over every figure so that a busy
// spell of a shared machine touches one run of each figure, not all runs of one; -1 on failure.
int main()
{
    std::vector<unsigned char> src(static_cast<size_t>(kSide) * kSide * 4);
    unsigned state = 1;
    for (unsigned char& b : src) {
        state = state * 1103515245u + 12345u;
        b = static_cast<unsigned char>(state >> 24);
    }
    std::vector<unsigned char> dst(static_cast<size_t>(kSide) * kSide * 4 * 9 / 4);
    std::vector<Figure> figures;
    for (double factor : {0.75, 0.5, 1.5}) {
        for (const Method& m : kMethods) {
            if (m.interpolation == InterpSuper && factor > 1.0) {
                continue;
            }
            for (const Variant& v : kVariants) {
                figures.push_back({&v, &m, factor, true, {}});
            }
        }
    }
    for (int r = 0; r < kBenchRuns; ++r) {
        for (Figure& f : figures) {
            Run(f, src, dst);
        }
    }
    for (const Figure& f : figures) {
        std::printf("resize.%s.%g.%s.mpx_per_s: %.1f\n", f.method->name, f.factor, f.variant->name,
                    f.ok ? Median(f.rates) : -1.0);
    }
    return 0;
}
