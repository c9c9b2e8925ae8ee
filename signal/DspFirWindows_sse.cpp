// Private windows and tone generator of the FIR designs: SSE variant. Only
// the raised-cosine windows differ from the generic ones (a three-term
// recurrence over N/2 pairs); the rest run the generic code.
#include <cmath>

#include "signal/DspBodies.h"
#include "signal/DspFirWindows.h"

namespace dsp {
namespace sse {
namespace {

// w_0 = first, then w_k = a - y_k with y_k = b cos(theta_k) by y_(k+1) = 2c y_k - y_(k-1).
LibStatus RaisedCosine(double* x, int n, double a, double b, double first)
{
    LibStatus st = CheckWindowArguments(x, n);
    if (st != StatusOk)
        return st;
    double twoC = 2.0 * std::cos(FirTwoPi / (n - 1));
    double previous = b * twoC * 0.5, y = b;
    for (int k = 0; k < n / 2; ++k) {
        double w = k == 0 ? first : a - y;
        x[k] *= w;
        x[n - 1 - k] *= w;
        double next = twoC * y - previous;
        previous = y;
        y = next;
    }
    return StatusOk;
}

} // namespace

LibStatus ToneCos_64f(double* pDst, int len, double magn, double rFreq, double* pPhase, int hint)
{
    return generic::ToneCos_64f(pDst, len, magn, rFreq, pPhase, hint);
}

LibStatus WinBartlett_64f_I(double* pSrcDst, int len)
{
    return generic::WinBartlett_64f_I(pSrcDst, len);
}

LibStatus WinHamming_64f_I(double* pSrcDst, int len)
{
    return RaisedCosine(pSrcDst, len, 0.54, 0.46, 0.08);
}

LibStatus WinHann_64f_I(double* pSrcDst, int len)
{
    return RaisedCosine(pSrcDst, len, 0.5, 0.5, 0.0);
}

LibStatus WinBlackmanAlpha_64f_I(double* pSrcDst, int len, double alpha)
{
    return generic::WinBlackmanAlpha_64f_I(pSrcDst, len, alpha);
}

LibStatus WinBlackmanFir_64f_I(double* pSrcDst, int len)
{
    return generic::WinBlackmanFir_64f_I(pSrcDst, len);
}

} // namespace sse
} // namespace dsp
