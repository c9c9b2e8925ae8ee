#include "signal/fft/FftRecombine.h"

namespace dsp::generic {

void FftFwdRecombine(float* x, int n, const float* table)
{
    for (int k = 1; k < n / 2; ++k) {
        float* a = x + 2 * k;
        float* b = x + 2 * (n - k);
        const double ar = a[0], ai = a[1], br = b[0], bi = b[1];
        const double A = table[2 * k];
        const double B = table[2 * k + 1];
        const double d = ar - br;
        const double e = ai + bi;
        const double D = B * d + A * e;
        const double E = B * e - A * d;
        a[0] = static_cast<float>(br + D);
        a[1] = static_cast<float>(E - bi);
        b[0] = static_cast<float>(ar - D);
        b[1] = static_cast<float>(E - ai);
    }
    x[n + 1] = -x[n + 1];
}

void FftInvPreRecombine(const float* src, float* dst, int n, const float* table)
{
    for (int k = 1; k < n / 2; ++k) {
        const double a = src[2 * k];
        const double c = src[2 * k + 1];
        const double b = src[2 * (n - k)];
        const double d = src[2 * (n - k) + 1];
        const double t0 = table[2 * k];
        const double t1 = table[2 * k + 1];
        const double u = t1 * (a - b) - t0 * (c + d);
        const double w = t0 * (a - b) + t1 * (c + d);
        dst[2 * k] = static_cast<float>((a + b) + u);
        dst[2 * k + 1] = static_cast<float>((c - d) + w);
        dst[2 * (n - k)] = static_cast<float>((a + b) - u);
        dst[2 * (n - k) + 1] = static_cast<float>(w - (c - d));
    }
    dst[n] = 2.0f * src[n];
    dst[n + 1] = -2.0f * src[n + 1];
}

} // namespace dsp::generic
