// Every row loop against a plain double-precision resampler, for each pixel type, layout,
// method, several factors and a region inside the image, in every variant.
#include <gtest/gtest.h>

#include <cmath>

#include "ResizeTestSupport.h"

namespace {

// Pairs of x and y factors; 0.15 makes rows advance by six and more.
const double kFactors[] = {0.75, 1.5, 0.5, 2.3, 0.31, 1.0, 0.15};
const int kMethods[] = {InterpNearest, InterpLinear, InterpCubic, InterpLanczos};

template <class T>
double Expected(double v, int method);

template <>
double Expected<float>(double v, int)
{
    return v;
}

template <class T>
double Expected(double v, int method)
{
    double top = sizeof(T) == 1 ? 255 : 65535;
    if (method == InterpLinear) {
        return std::floor(v + 0.5);
    }
    v = std::trunc(v + 1e-7);
    return v < 0 ? 0 : v > top ? top : v;
}

template <class T>
double Tolerance(int method)
{
    if (sizeof(T) == 4) {
        return method == InterpNearest ? 0.0 : 2e-4;
    }
    return method == InterpNearest ? 0.0 : 1.0;
}

template <class T>
void CheckAgainstReference(const ResizeVariantApi& api, const TestImage<T>& src, int channels)
{
    ImageRect roi = {2, 1, src.width - 3, src.height - 2};
    for (int method : kMethods) {
        for (double xf : kFactors) {
            double yf = kFactors[(&xf - kFactors + 2) % 7];
            int w = ReferenceExtent(roi.width, xf, 60);
            int h = ReferenceExtent(roi.height, yf, 60);
            TestImage<T> dst(w, h, src.pixelStep);
            ASSERT_EQ(StatusOk, CallCore(api, src, roi, dst, xf, yf, method, channels));
            for (int y = 0; y < h; ++y) {
                double py = ReferencePosition(y, roi.height, yf, method);
                for (int x = 0; x < w; ++x) {
                    double px = ReferencePosition(x, roi.width, xf, method);
                    for (int c = 0; c < channels; ++c) {
                        double v = Expected<T>(ReferenceSample(src, roi, px, py, c, method), method);
                        ASSERT_NEAR(v, dst.At(x, y, c), Tolerance<T>(method))
                            << "method " << method << " factors " << xf << "," << yf << " at " << x << "," << y << ","
                            << c;
                    }
                }
            }
        }
    }
}

class ResizeReferenceTest : public ::testing::TestWithParam<int> {
protected:
    const ResizeVariantApi& Api() const { return ResizeVariantAt(GetParam()); }
};

TEST_P(ResizeReferenceTest, EightBitPixels)
{
    CheckAgainstReference(Api(), RandomImage8u(23, 19, 4, 21), 4);
    CheckAgainstReference(Api(), RandomImage8u(23, 19, 1, 22), 1);
    CheckAgainstReference(Api(), RandomImage8u(23, 19, 3, 23), 3);
}

TEST_P(ResizeReferenceTest, SixteenBitPixels)
{
    CheckAgainstReference(Api(), RandomImage16u(23, 19, 4, 24), 4);
    CheckAgainstReference(Api(), RandomImage16u(23, 19, 1, 25), 1);
    CheckAgainstReference(Api(), RandomImage16u(23, 19, 4, 26), 3);
}

TEST_P(ResizeReferenceTest, FloatPixels)
{
    CheckAgainstReference(Api(), RandomImage32f(23, 19, 4, 27), 4);
    CheckAgainstReference(Api(), RandomImage32f(23, 19, 1, 28), 1);
    CheckAgainstReference(Api(), RandomImage32f(23, 19, 3, 29), 3);
}

INSTANTIATE_TEST_SUITE_P(Variants, ResizeReferenceTest, ::testing::Range(0, 4), ResizeVariantName);

} // namespace
