// Window functions on floats: SSE3 variant (the SSE2 Hamming and the SSE Blackman kernels).
#include "signal/DspBodies.h"
#include "signal/DspCheck.h"
#include "signal/DspWindow.h"
#include "signal/DspWindow_sse.h"
#include "signal/DspWindow_sse2.h"

namespace dsp {
namespace sse3 {

LibStatus dspsWinHamming_32f(const float* pSrc, float* pDst, int len)
{
    LibStatus st = CheckVectors(pSrc, pDst, len);
    if (st != StatusOk)
        return st;
    if (len < 3)
        return StatusSizeError;
    sse2::HammingKernel(pSrc, pDst, len);
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
    sse::BlackmanAlphaKernel(pSrcDst, len, alpha);
    return StatusOk;
}

LibStatus dspsWinBlackmanStd_32f_I(float* pSrcDst, int len)
{
    return WinBlackmanAlpha_32f_I(pSrcDst, len, BlackmanStdAlpha);
}

} // namespace sse3
} // namespace dsp
