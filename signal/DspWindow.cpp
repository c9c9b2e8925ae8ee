// Window functions on floats: generic variant (rotation recurrences in double).
#include <cmath>

#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspRotation.h"
#include "signal/DspWindow.h"

namespace dsp {
namespace generic {

LibStatus dspsWinHamming_32f(const float* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    if (len < 3)
        return StatusSizeError;
    int p = (len - 1) / 2;
    Rotation r(len);
    for (int k = 0; k < p; ++k, r.Step()) {
        double w = r.C * -0.46 + 0.54;
        pDst[k] = float(pSrc[k] * w);
        pDst[len - 1 - k] = float(pSrc[len - 1 - k] * w);
    }
    if (len % 2) {
        pDst[p] = pSrc[p];
    } else {
        double w = r.C * -0.46 + 0.54;
        pDst[p] = float(pSrc[p] * w);
        pDst[len - 1 - p] = float(pSrc[len - 1 - p] * w);
    }
    return StatusOk;
}

LibStatus WinBlackmanAlpha_32f_I(float* pSrcDst, int len, float alpha)
{
    LibStatus st = CheckVector(pSrcDst, len);
    if (st != StatusOk)
        return st;
    if (len < 3)
        return StatusSizeError;
    if (len == 3) {
        pSrcDst[0] = pSrcDst[2] = 0.0f;
        return StatusOk;
    }
    double a0 = (double(alpha) + 1.0) * 0.5, a2 = 0.5 * double(alpha);
    int p = (len - 1) / 2;
    Rotation r(len);
    double d = 1.0;
    for (int k = 0; k < p; ++k) {
        double w = (a0 + -0.5 * r.C) + -a2 * d;
        pSrcDst[k] = float(pSrcDst[k] * w);
        pSrcDst[len - 1 - k] = float(pSrcDst[len - 1 - k] * w);
        r.Step();
        d = (r.C + r.C) * r.C - 1.0;
    }
    if (len % 2 == 0) {
        double w = (a0 + -0.5 * r.C) + -a2 * d;
        pSrcDst[p] = float(pSrcDst[p] * w);
        pSrcDst[len - 1 - p] = float(pSrcDst[len - 1 - p] * w);
    }
    return StatusOk;
}

LibStatus dspsWinBlackmanStd_32f_I(float* pSrcDst, int len)
{
    return WinBlackmanAlpha_32f_I(pSrcDst, len, BlackmanStdAlpha);
}

} // namespace generic
} // namespace dsp
