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
    Rotation r(len);
    for (int k = 0; k < len / 2; ++k, r.Step()) {
        double w = r.C * -0.46 + 0.54;
        pDst[k] = float(pSrc[k] * w);
        pDst[len - 1 - k] = float(pSrc[len - 1 - k] * w);
    }
    if (len % 2)
        pDst[len / 2] = pSrc[len / 2];
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
    Rotation r(len);
    double d = 1.0;
    for (int k = 0; k < len / 2; ++k) {
        double w = (a0 + -0.5 * r.C) + -a2 * d;
        pSrcDst[k] = float(pSrcDst[k] * w);
        pSrcDst[len - 1 - k] = float(pSrcDst[len - 1 - k] * w);
        r.Step();
        d = (r.C + r.C) * r.C - 1.0;
    }
    return StatusOk;
}

LibStatus dspsWinBlackmanStd_32f_I(float* pSrcDst, int len)
{
    return WinBlackmanAlpha_32f_I(pSrcDst, len, BlackmanStdAlpha);
}

} // namespace generic
} // namespace dsp
