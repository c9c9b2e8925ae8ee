#include "signal/fft/FftSmallOrder.h"

namespace dsp::generic {

namespace {

using Kernel = void (*)(const float*, float*, double);

const double kHalfSqrt2 = 0.70710677f;
const double kSqrt2 = 1.4142135f;

inline float F(double v)
{
    return static_cast<float>(v);
}

void Fwd0(const float* x, float* y, double s)
{
    y[0] = F(x[0] * s);
}

void Fwd1(const float* x, float* y, double s)
{
    const double a = (double(x[0]) + x[1]) * s;
    const double b = (double(x[0]) - x[1]) * s;
    y[0] = F(a);
    y[1] = F(b);
}

void Fwd2(const float* x, float* y, double s)
{
    const double a = (double(x[0]) + x[2]) * s;
    const double b = (double(x[1]) + x[3]) * s;
    const double d02 = (double(x[0]) - x[2]) * s;
    const double d31 = (double(x[3]) - x[1]) * s;
    y[0] = F(a + b);
    y[1] = F(a - b);
    y[2] = F(d02);
    y[3] = F(d31);
}

void Fwd3(const float* x, float* y, double s)
{
    const double a = (double(x[0]) + x[4]) * s;
    const double b = (double(x[2]) + x[6]) * s;
    const double d = (double(x[1]) + x[5]) * s;
    const double e = (double(x[3]) + x[7]) * s;
    const double p04 = (double(x[0]) - x[4]) * s;
    const double p15 = (double(x[1]) - x[5]) * s;
    const double p26 = (double(x[2]) - x[6]) * s;
    const double p37 = (double(x[3]) - x[7]) * s;
    const double m = kHalfSqrt2 * (p15 - p37);
    const double n = kHalfSqrt2 * (p15 + p37);
    y[0] = F((a + b) + (d + e));
    y[1] = F((a + b) - (d + e));
    y[4] = F(a - b);
    y[5] = F(e - d);
    y[2] = F(p04 + m);
    y[6] = F(p04 - m);
    y[3] = F(-n - p26);
    y[7] = F(p26 - n);
}

void Inv2(const float* x, float* y, double s)
{
    const double a = (double(x[0]) + x[1]) * s;
    const double b = (double(x[0]) - x[1]) * s;
    const double re = 2.0 * x[2] * s;
    const double im = 2.0 * x[3] * s;
    y[0] = F(a + re);
    y[2] = F(a - re);
    y[1] = F(b - im);
    y[3] = F(b + im);
}

void Inv3(const float* x, float* y, double s)
{
    const double a = (double(x[0]) + x[1]) * s;
    const double b = (double(x[0]) - x[1]) * s;
    const double p = (double(x[2]) - x[6]) * s;
    const double q = (double(x[3]) + x[7]) * s;
    const double re2 = 2.0 * x[4] * s;
    const double im2 = 2.0 * x[5] * s;
    const double sum26 = 2.0 * (double(x[2]) + x[6]) * s;
    const double dif37 = 2.0 * (double(x[3]) - x[7]) * s;
    const double pm = kSqrt2 * (p - q);
    const double pp = kSqrt2 * (p + q);
    y[0] = F(a + re2 + sum26);
    y[4] = F(a + re2 - sum26);
    y[2] = F(a - re2 - dif37);
    y[6] = F(a - re2 + dif37);
    y[1] = F(b - im2 + pm);
    y[5] = F(b - im2 - pm);
    y[3] = F(b + im2 - pp);
    y[7] = F(b + im2 + pp);
}

// A two-point transform is its own unnormalised inverse.
const Kernel kForward[4] = {Fwd0, Fwd1, Fwd2, Fwd3};
const Kernel kInverse[4] = {Fwd0, Fwd1, Inv2, Inv3};

} // namespace

void FftSmallFwd(int order, const float* src, float* dst, float scale)
{
    kForward[order](src, dst, scale);
}

void FftSmallInv(int order, const float* src, float* dst, float scale)
{
    kInverse[order](src, dst, scale);
}

} // namespace dsp::generic
