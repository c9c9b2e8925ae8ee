#include "ResizeTestSupport.h"

#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <type_traits>

#include "image/resize/LanczosKernelSamples.h"
#include "image/resize/ResizeMemory.h"

namespace {

const ResizeVariantApi kVariants[] = {
    {"generic", &dsp::generic::dspiResizeCore, &dsp::generic::dspiResizeSuper, &dsp::generic::LanczosWeights},
    {"sse", &dsp::sse::dspiResizeCore, &dsp::sse::dspiResizeSuper, &dsp::sse::LanczosWeights},
    {"sse2", &dsp::sse2::dspiResizeCore, &dsp::sse2::dspiResizeSuper, &dsp::sse2::LanczosWeights},
    {"sse3", &dsp::sse3::dspiResizeCore, &dsp::sse3::dspiResizeSuper, &dsp::sse3::LanczosWeights},
};

template <class T, class Gen>
TestImage<T> Random(int w, int h, int step, unsigned seed, Gen gen)
{
    TestImage<T> image(w, h, step);
    std::mt19937 rng(seed);
    for (T& v : image.data) {
        v = gen(rng);
    }
    return image;
}

// Index and fraction of a position with the core's edge rule for the method.
void EdgeRule(double p, int regionStart, int imageSize, int interpolation, int* k, double* t)
{
    *k = static_cast<int>(p + 1e-7);
    int absolute = regionStart + *k;
    if (interpolation == InterpLinear && absolute == imageSize - 1) {
        *k -= 1;
        *t = 1.0;
        return;
    }
    if (interpolation == InterpCubic) {
        if (absolute == imageSize - 1) {
            *k -= 2;
            *t = 2.0;
            return;
        }
        if (absolute == 0) {
            *k += 1;
        } else if (absolute == imageSize - 2) {
            *k -= 1;
        }
    }
    *t = p - *k;
}

template <class T>
double Pixel(const TestImage<T>& src, int x, int y, int c)
{
    x = std::min(std::max(x, 0), src.width - 1);
    y = std::min(std::max(y, 0), src.height - 1);
    return static_cast<double>(src.At(x, y, c));
}

double CubicAt(double p0, double p1, double p2, double p3, double t)
{
    // Lagrange form through the points -1, 0, 1, 2.
    return p0 * (-t * (t - 1) * (t - 2) / 6) + p1 * ((t + 1) * (t - 1) * (t - 2) / 2) +
           p2 * (-(t + 1) * t * (t - 2) / 2) + p3 * ((t + 1) * t * (t - 1) / 6);
}

} // namespace

const ResizeVariantApi& ResizeVariantAt(int index)
{
    return kVariants[index];
}

std::string ResizeVariantName(const ::testing::TestParamInfo<int>& info)
{
    return kVariants[info.param].name;
}

TestImage<uint8_t> RandomImage8u(int w, int h, int step, unsigned seed)
{
    return Random<uint8_t>(w, h, step, seed, [](std::mt19937& r) { return r() & 0xff; });
}

TestImage<uint16_t> RandomImage16u(int w, int h, int step, unsigned seed)
{
    return Random<uint16_t>(w, h, step, seed, [](std::mt19937& r) { return r() & 0xffff; });
}

TestImage<float> RandomImage32f(int w, int h, int step, unsigned seed)
{
    return Random<float>(w, h, step, seed, [](std::mt19937& r) { return static_cast<float>(r() % 20001) / 10000; });
}

AllocProbe::AllocProbe(int failAt) : m_failAt(failAt)
{
    ResizeAllocHooks hooks = {&AllocProbe::Alloc, &AllocProbe::Release, this};
    SetResizeAllocHooks(&hooks);
}

AllocProbe::~AllocProbe()
{
    SetResizeAllocHooks(nullptr);
}

void* AllocProbe::Alloc(int bytes, void* context)
{
    AllocProbe* probe = static_cast<AllocProbe*>(context);
    if (++probe->m_calls == probe->m_failAt) {
        return nullptr;
    }
    ++probe->m_live;
    return _aligned_malloc(bytes, 32);
}

void AllocProbe::Release(void* block, void* context)
{
    --static_cast<AllocProbe*>(context)->m_live;
    _aligned_free(block);
}

int ReferenceExtent(int regionSize, double factor, int requested)
{
    int n = static_cast<int>(std::floor(regionSize * factor + 1e-7));
    return std::min(requested, std::max(n, 1));
}

double ReferencePosition(int index, int regionSize, double factor, int interpolation)
{
    if (interpolation == InterpNearest) {
        return (index + 0.5) / factor;
    }
    double scaled = regionSize * factor;
    return scaled > 1.0 ? index * (regionSize - 1) / (scaled - 1.0) : 0.0;
}

double LanczosTableWeight(double d)
{
    double a = std::fabs(d) * 100.0;
    if (a >= 300.0) {
        return 0.0;
    }
    int m = static_cast<int>(a);
    const float* table = LanczosKernelSamples;
    return table[m] + (a - m) * (static_cast<double>(table[m + 1]) - table[m]);
}

double LanczosKernel(double x)
{
    if (x == 0.0) {
        return 1.0;
    }
    if (std::fabs(x) >= 3.0) {
        return 0.0;
    }
    double px = 3.14159265358979323846 * x;
    return 3.0 * std::sin(px) * std::sin(px / 3.0) / (px * px);
}

template <class T>
double ReferenceSample(const TestImage<T>& src, ImageRect roi, double px, double py, int c, int interpolation)
{
    int kx, ky;
    double tx, ty;
    EdgeRule(px, roi.x, src.width, interpolation, &kx, &tx);
    EdgeRule(py, roi.y, src.height, interpolation, &ky, &ty);
    int x = roi.x + kx;
    int y = roi.y + ky;
    if (interpolation == InterpNearest) {
        return Pixel(src, x, y, c);
    }
    if (interpolation == InterpLinear) {
        if (!std::is_floating_point<T>::value) {
            // Integer pixels interpolate with Q14 weights.
            tx = std::trunc(tx * 16384 + 1e-7) / 16384;
            ty = std::trunc(ty * 16384 + 1e-7) / 16384;
        }
        double top = Pixel(src, x, y, c) * (1 - tx) + Pixel(src, x + 1, y, c) * tx;
        double bottom = Pixel(src, x, y + 1, c) * (1 - tx) + Pixel(src, x + 1, y + 1, c) * tx;
        return top * (1 - ty) + bottom * ty;
    }
    if (interpolation == InterpCubic) {
        double rows[4];
        for (int j = 0; j < 4; ++j) {
            int r = y + j - 1;
            rows[j] = CubicAt(Pixel(src, x - 1, r, c), Pixel(src, x, r, c), Pixel(src, x + 1, r, c),
                              Pixel(src, x + 2, r, c), tx);
        }
        return CubicAt(rows[0], rows[1], rows[2], rows[3], ty);
    }
    double sum = 0.0;
    for (int j = 0; j < 6; ++j) {
        double row = 0.0;
        for (int i = 0; i < 6; ++i) {
            row += Pixel(src, x + i - 2, y + j - 2, c) * LanczosTableWeight(i - 2 - tx);
        }
        sum += row * LanczosTableWeight(j - 2 - ty);
    }
    return sum;
}

template double ReferenceSample(const TestImage<uint8_t>&, ImageRect, double, double, int, int);
template double ReferenceSample(const TestImage<uint16_t>&, ImageRect, double, double, int, int);
template double ReferenceSample(const TestImage<float>&, ImageRect, double, double, int, int);
