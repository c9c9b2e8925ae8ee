#pragma once
// Arithmetic of the generic variant: x87 double precision, rounded to float when stored.
// Included only by the generic variant's file.
#include <cmath>

#include "image/resize/LanczosKernelSamples.h"
#include "image/resize/ResizeJob.h"

namespace {

struct GenericArith {
    static const bool kFourWideRounding = false;
    static const bool kSuperDoubleTail = false;
    static const bool kVectorRows = false;
    static const LanczosExtras kLanczosExtras = LanczosExtrasNone;

    static double SixTaps(const float s[6], const float* w)
    {
        double sum = static_cast<double>(s[0]) * w[0];
        for (int k = 1; k < 6; ++k) {
            sum += static_cast<double>(s[k]) * w[k];
        }
        return sum;
    }

    static float LanczosHorz(const float s[6], const float* w) { return static_cast<float>(SixTaps(s, w)); }
    static double LanczosVert(const float s[6], const float* w) { return SixTaps(s, w); }
    static float LanczosVertFloat(const float s[6], const float* w) { return static_cast<float>(SixTaps(s, w)); }

    static void LanczosWeights(const float* fractions, int count, float* weights)
    {
        const float* table = LanczosKernelSamples;
        for (int i = 0; i < count; ++i) {
            double x = -2.0 - fractions[i];
            for (int k = 0; k < 6; ++k, x += 1.0) {
                double w = 0.0;
                if (x > -3.0 && x < 3.0) {
                    double s = std::fabs(x) * 100.0;
                    int m = static_cast<int>(s);
                    w = table[m] + (s - m) * (static_cast<double>(table[m + 1]) - table[m]);
                }
                weights[6 * i + k] = static_cast<float>(w);
            }
        }
    }

    static double Cubic(double p0, double p1, double p2, double p3, double t, double c3)
    {
        double d1 = p1 - p0;
        double d2 = (p2 - p1) - d1;
        double d3 = (((p3 - p2) - p2) + p1) - d2;
        double c1 = 1.0 + t;
        double c2 = t * c1 * 0.5;
        return p0 + d1 * c1 + d2 * c2 + d3 * c3;
    }

    static double CubicC3(double t) { return (t - 1.0) * (t * (1.0 + t) * 0.5) / 3.0; }

    static float CubicHorz(float p0, float p1, float p2, float p3, float t)
    {
        return static_cast<float>(Cubic(p0, p1, p2, p3, t, CubicC3(t)));
    }

    // The vertical pass takes c3 at single precision.
    static double CubicVert(float p0, float p1, float p2, float p3, float t)
    {
        volatile float c3 = static_cast<float>(CubicC3(t));
        return Cubic(p0, p1, p2, p3, t, c3);
    }

    static float LinearHorz(float a, float b, float t)
    {
        return static_cast<float>(a + (static_cast<double>(b) - a) * t);
    }
    static float LinearVert(float upper, float lower, float t)
    {
        return static_cast<float>(upper * (1.0 - t) + static_cast<double>(lower) * t);
    }
};

} // namespace
