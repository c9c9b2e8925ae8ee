#pragma once
// Images, processor variants, an allocation probe and a plain double-precision reference
// resampler for the resize tests.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "image/resize/ResizeTypes.h"
#include "image/resize/ResizeVariants.h"

struct ResizeVariantApi {
    const char* name;
    decltype(&dsp::generic::dspiResizeCore) core;
    decltype(&dsp::generic::dspiResizeSuper) super;
    decltype(&dsp::generic::LanczosWeights) weights;
};

const ResizeVariantApi& ResizeVariantAt(int index);                       // 0 generic .. 3 sse3
std::string ResizeVariantName(const ::testing::TestParamInfo<int>& info); // test names

// Interleaved image of width x height pixels of pixelStep samples, rows packed.
template <class T>
struct TestImage {
    TestImage(int w, int h, int step, T fill = T())
        : width(w), height(h), pixelStep(step), data(static_cast<size_t>(w) * h * step, fill)
    {}
    T& At(int x, int y, int c) { return data[(static_cast<size_t>(y) * width + x) * pixelStep + c]; }
    T At(int x, int y, int c) const { return data[(static_cast<size_t>(y) * width + x) * pixelStep + c]; }
    int StepBytes() const { return width * pixelStep * static_cast<int>(sizeof(T)); }
    ImageSize Size() const { return {width, height}; }
    int width;
    int height;
    int pixelStep;
    std::vector<T> data;
};

TestImage<uint8_t> RandomImage8u(int w, int h, int step, unsigned seed);
TestImage<uint16_t> RandomImage16u(int w, int h, int step, unsigned seed);
TestImage<float> RandomImage32f(int w, int h, int step, unsigned seed);

// Core call on whole images with the entry's fixed arguments (factor mode 1, no shift).
template <class T>
LibStatus CallCore(const ResizeVariantApi& api, const TestImage<T>& src, ImageRect roi, TestImage<T>& dst, double xf,
                   double yf, int interpolation, int channels)
{
    int type = sizeof(T) == 1 ? PixelType8u : sizeof(T) == 2 ? PixelType16u : PixelType32f;
    return api.core(src.data.data(), src.Size(), src.StepBytes(), roi, dst.data.data(), dst.StepBytes(), dst.Size(), xf,
                    yf, 0.0, 0.0, src.pixelStep, channels, type, 0, interpolation, 1);
}

// Supersampling call on whole images (pixels, not planes).
template <class T>
LibStatus CallSuper(const ResizeVariantApi& api, const TestImage<T>& src, ImageRect roi, TestImage<T>& dst, double xf,
                    double yf, int channels)
{
    int type = sizeof(T) == 1 ? PixelType8u : sizeof(T) == 2 ? PixelType16u : PixelType32f;
    return api.super(src.data.data(), src.Size(), src.StepBytes(), roi, dst.data.data(), dst.StepBytes(), dst.Size(),
                     xf, yf, src.pixelStep, channels, type, 0);
}

// Counts library blocks and makes the n-th allocation fail (0: none).
class AllocProbe {
public:
    explicit AllocProbe(int failAt = 0);
    ~AllocProbe();
    int Calls() const { return m_calls; }
    int Live() const { return m_live; }

private:
    static void* Alloc(int bytes, void* context);
    static void Release(void* block, void* context);
    int m_failAt;
    int m_calls = 0;
    int m_live = 0;
};

// What the core does, written directly in double precision: the destination size and the
// value of one destination sample for each method.
int ReferenceExtent(int regionSize, double factor, int requested);
double ReferencePosition(int index, int regionSize, double factor, int interpolation);
template <class T>
double ReferenceSample(const TestImage<T>& src, ImageRect roi, double px, double py, int c, int interpolation);
// The Lanczos-3 kernel itself, and as the library interpolates it from its sample table.
double LanczosKernel(double x);
double LanczosTableWeight(double d);
