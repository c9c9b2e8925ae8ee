// Private windows and tone generator of the FIR designs: generic variant.
#include "signal/DspFirWindows.h"

#include <cmath>

#include "signal/DspBodies.h"
#include "signal/DspRotation.h"

namespace dsp {

int CheckToneArguments(const double* dst, int len, double magn, double rFreq, const double* pPhase)
{
    if (!pPhase)
        return StatusNullPointer;
    if (!(magn > 0.0))
        return StatusToneMagnitudeError;
    if (!(rFreq >= 0.0 && rFreq < 0.5))
        return StatusToneFrequencyError;
    if (!(*pPhase >= 0.0 && *pPhase < FirTwoPi))
        return StatusTonePhaseError;
    if (!dst)
        return StatusNullPointer;
    return len < 1 ? StatusSizeError : StatusOk;
}

void AdvanceTonePhase(double* pPhase, int len, double rFreq)
{
    double t = FirTwoPi * rFreq * len + *pPhase;
    double r = t - FirTwoPi * std::floor(t * 0.15915494309189535);
    *pPhase = (r < 0.0 || r >= FirTwoPi) ? 0.0 : r;
}

int CheckWindowArguments(const double* x, int len)
{
    if (!x)
        return StatusNullPointer;
    return len < 3 ? StatusSizeError : StatusOk;
}

namespace generic {
namespace {

void WeighBoth(double* x, int n, int k, double w)
{
    x[k] *= w;
    x[n - 1 - k] *= w;
}

// w_k = a + b cos(theta_k) on both halves; an odd centre keeps its weight of 1.
LibStatus RaisedCosine(double* x, int n, double a, double b)
{
    LibStatus st = CheckWindowArguments(x, n);
    if (st != StatusOk)
        return st;
    Rotation r(n);
    for (int k = 0; k < n / 2; ++k, r.Step())
        WeighBoth(x, n, k, r.C * b + a);
    return StatusOk;
}

} // namespace

LibStatus ToneCos_64f(double* pDst, int len, double magn, double rFreq, double* pPhase, int hint)
{
    LibStatus st = CheckToneArguments(pDst, len, magn, rFreq, pPhase);
    if (st != StatusOk)
        return st;
    double phase = *pPhase;
    AdvanceTonePhase(pPhase, len, rFreq);
    double step = FirTwoPi * rFreq;
    pDst[0] = magn * std::cos(phase);
    if (len == 1)
        return StatusOk;
    pDst[1] = magn * std::cos(step + phase);
    if (len == 2)
        return StatusOk;
    double c = 2.0 * std::cos(step);
    pDst[2] = c * pDst[1] - pDst[0];
    if (len == 3)
        return StatusOk;
    pDst[3] = c * pDst[2] - pDst[1];
    double k = c * c - 2.0;
    int even = len & ~1;
    for (int n = 4; n < even; n += 2) {
        pDst[n] = k * pDst[n - 2] - pDst[n - 4];
        pDst[n + 1] = k * pDst[n - 1] - pDst[n - 3];
    }
    if (len % 2)
        pDst[len - 1] = k * pDst[len - 3] - pDst[len - 5];
    return StatusOk;
}

LibStatus WinBartlett_64f_I(double* pSrcDst, int len)
{
    LibStatus st = CheckWindowArguments(pSrcDst, len);
    if (st != StatusOk)
        return st;
    pSrcDst[0] = 0.0;
    pSrcDst[len - 1] = 0.0;
    if (len == 3)
        return StatusOk;
    double step = 2.0 / (len - 1), r = 0.0;
    for (int k = 1; k < len / 2; ++k) {
        r = r + step;
        WeighBoth(pSrcDst, len, k, r);
    }
    return StatusOk;
}

LibStatus WinHamming_64f_I(double* pSrcDst, int len)
{
    return RaisedCosine(pSrcDst, len, 0.54, -0.46);
}

LibStatus WinHann_64f_I(double* pSrcDst, int len)
{
    return RaisedCosine(pSrcDst, len, 0.5, -0.5);
}

LibStatus WinBlackmanAlpha_64f_I(double* pSrcDst, int len, double alpha)
{
    LibStatus st = CheckWindowArguments(pSrcDst, len);
    if (st != StatusOk)
        return st;
    if (len == 3) {
        pSrcDst[0] = pSrcDst[2] = 0.0;
        return StatusOk;
    }
    double a0 = (alpha + 1.0) * 0.5, a2 = 0.5 * alpha, d = 1.0;
    Rotation r(len);
    for (int k = 0; k < len / 2; ++k) {
        WeighBoth(pSrcDst, len, k, (a0 + -0.5 * r.C) + -a2 * d);
        r.Step();
        d = (r.C + r.C) * r.C - 1.0;
    }
    return StatusOk;
}

LibStatus WinBlackmanFir_64f_I(double* pSrcDst, int len)
{
    if (len < 4)
        return StatusSizeError;
    double q = 0.5 / std::cos(FirPi / (len - 1));
    return WinBlackmanAlpha_64f_I(pSrcDst, len, q * -q);
}

} // namespace generic
} // namespace dsp
